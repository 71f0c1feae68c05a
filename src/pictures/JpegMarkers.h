#pragma once

#include <QByteArrayView>

// Walks a JPEG file's marker segments in order. The integrity check and the
// progressive fast path read the same structure, so they share this walker:
// a file one of them accepts, the other sees the same way.
class JpegMarkers
{
public:
    struct Segment
    {
        uint marker = 0;      // the byte after FF
        QByteArrayView body;  // the payload after the length; empty for markers without one
    };

    // Starts after the start-of-image marker; `valid()` is false without one.
    explicit JpegMarkers(QByteArrayView data);
    bool valid() const { return m_valid; }

    // The next marker segment. False at the end of the data or where the
    // structure is broken (no marker where one must be, a length that does not
    // fit). After a start-of-scan segment, position() is where its coded data begins.
    bool next(Segment &segment);
    // From the coded data of a scan to the next marker that is not a restart
    // marker. False when the data ends first.
    bool skipScanData();

    qsizetype position() const { return m_at; }

    // Whether `marker` starts a frame (SOF0 to SOF15), whose body gives the
    // picture's size, coding and components.
    static constexpr bool isFrame(uint marker)
    {
        return marker >= 0xC0 && marker <= 0xCF && marker != 0xC4 && marker != 0xC8 && marker != 0xCC;
    }

private:
    QByteArrayView m_data;
    qsizetype m_at = 2;
    bool m_valid = false;
};
