#pragma once

#include <QtGlobal>

#include <condition_variable>
#include <mutex>

// Memory that decodes share, over every thread: a decode takes what it needs
// before it allocates, waits while others hold it, and gives it back when done.
class MemoryBudget
{
public:
    explicit MemoryBudget(qint64 bytes) : m_bytes(bytes), m_free(bytes) {}

    // The one every loader of the program shares, of kSharedBytes: what the
    // files' bytes and the decoders' buffers may take at once, so that the
    // peak does not grow with the number of cores.
    static constexpr qint64 kSharedBytes = 512 * 1024 * 1024;
    static MemoryBudget &shared();

    // Waits until `bytes` are free and takes them; false at once when they never can be.
    bool take(qint64 bytes);
    void give(qint64 bytes);

    // For tests: how many decodes wait now.
    int waiting();

private:
    const qint64 m_bytes;
    std::mutex m_mutex;
    std::condition_variable m_freed;
    qint64 m_free;
    int m_waiting = 0;
};
