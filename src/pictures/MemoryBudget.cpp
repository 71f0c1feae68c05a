#include "pictures/MemoryBudget.h"

MemoryBudget &MemoryBudget::shared()
{
    static MemoryBudget budget(kSharedBytes);
    return budget;
}

bool MemoryBudget::take(qint64 bytes)
{
    if (bytes > m_bytes)
        return false;
    std::unique_lock lock(m_mutex);
    ++m_waiting;
    m_freed.wait(lock, [&] { return m_free >= bytes; });
    --m_waiting;
    m_free -= bytes;
    return true;
}

void MemoryBudget::give(qint64 bytes)
{
    {
        const std::lock_guard lock(m_mutex);
        m_free += bytes;
    }
    m_freed.notify_all();
}

int MemoryBudget::waiting()
{
    const std::lock_guard lock(m_mutex);
    return m_waiting;
}
