#include "platform/PictureIntegrity.h"

#include "platform/JpegMarkers.h"

namespace pictureintegrity {

namespace {
uint byteAt(QByteArrayView data, qsizetype i) { return uchar(data.at(i)); }
qint64 le16(QByteArrayView data, qsizetype i) { return byteAt(data, i) | byteAt(data, i + 1) << 8; }
qint64 le32(QByteArrayView data, qsizetype i) { return le16(data, i) | le16(data, i + 2) << 16; }

// Skips a chain of GIF data sub-blocks ending in an empty one.
bool skipSubBlocks(QByteArrayView data, qsizetype &i)
{
    for (;;) {
        if (i >= data.size())
            return false;
        const qsizetype length = byteAt(data, i++);
        if (length == 0)
            return true;
        i += length;
    }
}
} // namespace

bool jpegComplete(QByteArrayView data)
{
    JpegMarkers markers(data);
    JpegMarkers::Segment segment;
    do {
        if (!markers.next(segment) || segment.marker == 0xD9) // broken, or ends before its first scan
            return false;
    } while (segment.marker != 0xDA);
    // Scan data stuffs every FF with a 00, so an FF D9 after the first scan
    // can only be the end marker. Searched from the back: in a whole file it
    // sits at the very end, or before data some cameras append.
    static constexpr char kEnd[] = {char(0xFF), char(0xD9)};
    return data.sliced(markers.position()).lastIndexOf(QByteArrayView(kEnd, 2)) >= 0;
}

bool bmpComplete(QByteArrayView data)
{
    if (data.size() < 26 || data.at(0) != 'B' || data.at(1) != 'M')
        return false;
    const qint64 pixelsAt = le32(data, 10);
    const qint64 headerSize = le32(data, 14);
    qint64 width = 0, height = 0, bits = 0, compression = 0, imageSize = 0;
    if (headerSize == 12) { // the old core header
        width = le16(data, 18);
        height = le16(data, 20);
        bits = le16(data, 24);
    } else {
        if (data.size() < 38)
            return false;
        width = qint32(le32(data, 18));
        height = qint32(le32(data, 22));
        bits = le16(data, 28);
        compression = le32(data, 30);
        imageSize = le32(data, 34);
    }
    if (width <= 0 || height == 0 || bits == 0)
        return false;
    height = height < 0 ? -height : height;
    qint64 needed = 0;
    if (compression == 0 || compression == 3 || compression == 6) // rows stored as they are
        needed = (width * bits + 31) / 32 * 4 * height;
    else
        needed = imageSize > 0 ? imageSize : 1;
    return data.size() >= pixelsAt + needed;
}

bool gifComplete(QByteArrayView data)
{
    if (data.size() < 13 || !data.startsWith("GIF8"))
        return false;
    qsizetype i = 13;
    const uint screenFlags = byteAt(data, 10);
    if (screenFlags & 0x80)
        i += 3 * (qsizetype(1) << ((screenFlags & 7) + 1));
    bool sawImage = false;
    for (;;) {
        if (i == data.size())
            return sawImage; // no trailer, but nothing cut off either
        if (i > data.size())
            return false;
        const uint block = byteAt(data, i);
        if (block == 0x3B)
            return sawImage;
        if (block == 0x21) {
            i += 2;
            if (!skipSubBlocks(data, i))
                return false;
        } else if (block == 0x2C) {
            if (i + 11 > data.size())
                return false;
            const uint imageFlags = byteAt(data, i + 9);
            i += 10;
            if (imageFlags & 0x80)
                i += 3 * (qsizetype(1) << ((imageFlags & 7) + 1));
            ++i; // code size
            if (!skipSubBlocks(data, i))
                return false;
            sawImage = true;
        } else {
            return sawImage; // trailing bytes after a whole image
        }
    }
}

bool complete(QByteArrayView data)
{
    if (data.startsWith("\xFF\xD8"))
        return jpegComplete(data);
    if (data.startsWith("BM"))
        return bmpComplete(data);
    if (data.startsWith("GIF8"))
        return gifComplete(data);
    return true;
}

} // namespace pictureintegrity
