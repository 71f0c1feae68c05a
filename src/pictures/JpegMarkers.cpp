#include "pictures/JpegMarkers.h"

#include "pictures/Bytes.h"

#include <cstring>

namespace {
using bytes::byteAt;
} // namespace

JpegMarkers::JpegMarkers(QByteArrayView data)
    : m_data(data)
    , m_valid(data.size() >= 4 && byteAt(data, 0) == 0xFF && byteAt(data, 1) == 0xD8)
{
}

bool JpegMarkers::next(Segment &segment)
{
    if (!m_valid)
        return false;
    for (;;) {
        if (m_at + 2 > m_data.size() || byteAt(m_data, m_at) != 0xFF)
            return false;
        const uint marker = byteAt(m_data, m_at + 1);
        if (marker == 0xFF) { // fill byte before a marker
            ++m_at;
            continue;
        }
        segment.marker = marker;
        if (marker == 0x01 || (marker >= 0xD0 && marker <= 0xD9)) { // markers without a length
            segment.body = {};
            m_at += 2;
            return true;
        }
        if (m_at + 4 > m_data.size())
            return false;
        const qsizetype length = qsizetype(byteAt(m_data, m_at + 2) << 8 | byteAt(m_data, m_at + 3));
        if (length < 2 || m_at + 2 + length > m_data.size())
            return false;
        segment.body = m_data.sliced(m_at + 4, length - 2);
        m_at += 2 + length;
        return true;
    }
}

bool JpegMarkers::skipScanData()
{
    // Coded data stuffs every FF with a 00, so the first FF followed by
    // anything else but a restart marker or a fill byte starts the next segment.
    const char *begin = m_data.data();
    for (;;) {
        const void *found = m_at < m_data.size() ? std::memchr(begin + m_at, 0xFF, size_t(m_data.size() - m_at)) : nullptr;
        if (!found)
            return false;
        m_at = static_cast<const char *>(found) - begin;
        if (m_at + 1 >= m_data.size())
            return false;
        const uint after = byteAt(m_data, m_at + 1);
        if (after == 0x00 || (after >= 0xD0 && after <= 0xD7)) {
            m_at += 2;
            continue;
        }
        if (after == 0xFF) {
            ++m_at;
            continue;
        }
        return true;
    }
}
