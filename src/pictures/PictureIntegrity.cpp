#include "pictures/PictureIntegrity.h"

#include "pictures/Bytes.h"
#include "pictures/JpegMarkers.h"

#include <algorithm>

namespace pictureintegrity {

namespace {
using bytes::be16;
using bytes::byteAt;
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

// The fewest bytes the first scan's coded data can take: libjpeg fills a scan
// that ends early with grey, so a header claiming 10,000 x 10,000 pixels over
// a few hundred bytes would decode to a grey picture of hundreds of MB. Every
// Huffman code is at least a bit; a sequential block needs a DC code and an
// end-of-block code, a progressive DC scan one code or one bit a block. Other
// codings (arithmetic, lossless) and AC scans may code a block in less.
qint64 minimumScanBytes(const JpegMarkers::Segment &frame, QByteArrayView scan)
{
    const QByteArrayView sof = frame.body;
    const bool sequential = frame.marker == 0xC0 || frame.marker == 0xC1;
    if ((!sequential && frame.marker != 0xC2) || sof.size() < 6 || scan.size() < 1)
        return 0;
    const qint64 height = be16(sof, 1), width = be16(sof, 3);
    const qsizetype count = byteAt(sof, 5), inScan = byteAt(scan, 0);
    if (sof.size() < 6 + 3 * count || scan.size() < 1 + 2 * inScan + 3)
        return 0;
    if (!sequential && byteAt(scan, 1 + 2 * inScan) != 0) // an AC scan first: libjpeg refuses it anyway
        return 0;
    qint64 maxH = 1, maxV = 1;
    for (qsizetype i = 0; i < count; ++i) {
        maxH = std::max<qint64>(maxH, byteAt(sof, 7 + 3 * i) >> 4);
        maxV = std::max<qint64>(maxV, byteAt(sof, 7 + 3 * i) & 15);
    }
    qint64 blocks = 0;
    for (qsizetype s = 0; s < inScan; ++s) {
        for (qsizetype i = 0; i < count; ++i) {
            if (byteAt(sof, 6 + 3 * i) != byteAt(scan, 1 + 2 * s))
                continue;
            const qint64 h = byteAt(sof, 7 + 3 * i) >> 4, v = byteAt(sof, 7 + 3 * i) & 15;
            // The component's own blocks; an interleaved scan codes padding blocks too.
            blocks += ((width * h + maxH - 1) / maxH + 7) / 8 * (((height * v + maxV - 1) / maxV + 7) / 8);
            break;
        }
    }
    return blocks * (sequential ? 2 : 1) / 8;
}
} // namespace

bool jpegComplete(QByteArrayView data)
{
    JpegMarkers markers(data);
    JpegMarkers::Segment segment, frame;
    do {
        if (!markers.next(segment) || segment.marker == 0xD9) // broken, or ends before its first scan
            return false;
        if (JpegMarkers::isFrame(segment.marker))
            frame = segment;
    } while (segment.marker != 0xDA);
    const qsizetype scanAt = markers.position();
    if (!markers.skipScanData())
        return false;
    if (markers.position() - scanAt < minimumScanBytes(frame, segment.body))
        return false; // a header that claims more blocks than its scan can code
    // Scan data stuffs every FF with a 00, so an FF D9 after the first scan
    // can only be the end marker. Searched from the back: in a whole file it
    // sits at the very end, or before data some cameras append.
    static constexpr char kEnd[] = {char(0xFF), char(0xD9)};
    return data.sliced(scanAt).lastIndexOf(QByteArrayView(kEnd, 2)) >= 0;
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
    // The header's numbers may claim anything: every size made from them is
    // checked for overflow, and one that overflows cannot fit in the file.
    qint64 needed = imageSize > 0 ? imageSize : 1;
    if (compression == 0 || compression == 3 || compression == 6) { // rows stored as they are
        qint64 rowBits = 0;
        if (__builtin_mul_overflow(width, bits, &rowBits) || __builtin_mul_overflow((rowBits + 31) / 32 * 4, height, &needed))
            return false;
    }
    qint64 end = 0;
    return !__builtin_add_overflow(pixelsAt, needed, &end) && data.size() >= end;
}

bool gifComplete(QByteArrayView data)
{
    if (data.size() < 13 || !data.startsWith("GIF8"))
        return false;
    qsizetype i = 13;
    const uint screenFlags = byteAt(data, 10);
    if (screenFlags & 0x80)
        i += 3 * (qsizetype(1) << ((screenFlags & 7) + 1));
    for (;;) {
        if (i >= data.size())
            return false;
        const uint block = byteAt(data, i);
        if (block == 0x3B)
            return false; // a trailer before any image
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
            // The first image is the one shown: what follows it (more
            // frames of an animation) may be cut off, or left unread.
            return skipSubBlocks(data, i);
        } else {
            return false;
        }
    }
}

namespace {
bool isJpeg(QByteArrayView data) { return data.startsWith("\xFF\xD8"); }
bool isBmp(QByteArrayView data) { return data.startsWith("BM"); }
bool isGif(QByteArrayView data) { return data.startsWith("GIF8"); }
} // namespace

bool complete(QByteArrayView data)
{
    if (isJpeg(data))
        return jpegComplete(data);
    if (isBmp(data))
        return bmpComplete(data);
    if (isGif(data))
        return gifComplete(data);
    return true;
}

bool ours(QByteArrayView data)
{
    return isJpeg(data) || isBmp(data) || isGif(data);
}

} // namespace pictureintegrity
