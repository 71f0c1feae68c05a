#include "pictures/JpegEighth.h"

#include "pictures/Bytes.h"
#include "pictures/JpegMarkers.h"
#include "pictures/PictureLimits.h"

#include <QTransform>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace jpegeighth {

namespace {

using bytes::be16;
using bytes::byteAt;

constexpr int kFastBits = 9;

struct HuffmanTable
{
    bool defined = false;
    // The codes of up to kFastBits bits, looked up at once: length << 8 | value.
    std::array<quint16, 1 << kFastBits> fast{};
    std::array<int, 17> maxCode{};  // largest code of each length, -1 for none
    std::array<int, 17> firstCode{};
    std::array<int, 17> firstIndex{};
    std::array<uchar, 256> values{};
};

// Reads one DHT segment's tables into `dc` (class 0) and `ac` (class 1, only checked).
bool readHuffman(QByteArrayView body, std::array<HuffmanTable, 4> &dc)
{
    qsizetype at = 0;
    while (at < body.size()) {
        if (at + 17 > body.size())
            return false;
        const uint tableClass = byteAt(body, at) >> 4, id = byteAt(body, at) & 15;
        if (tableClass > 1 || id > 3)
            return false;
        int total = 0;
        std::array<int, 17> counts{};
        for (int length = 1; length <= 16; ++length)
            total += counts[length] = int(byteAt(body, at + length));
        at += 17;
        if (total > 256 || at + total > body.size())
            return false;
        if (tableClass == 0) {
            HuffmanTable table;
            int code = 0, index = 0;
            for (int length = 1; length <= 16; ++length) {
                table.firstCode[length] = code;
                table.firstIndex[length] = index;
                code += counts[length];
                index += counts[length];
                table.maxCode[length] = counts[length] ? code - 1 : -1;
                if (code > (1 << length))
                    return false; // more codes than the length holds
                code <<= 1;
            }
            for (int i = 0; i < total; ++i)
                table.values[size_t(i)] = uchar(byteAt(body, at + i));
            for (int length = 1, index = 0; length <= kFastBits; ++length) {
                for (int n = 0; n < counts[length]; ++n, ++index) {
                    const int prefix = (table.firstCode[length] + n) << (kFastBits - length);
                    for (int fill = 0; fill < 1 << (kFastBits - length); ++fill)
                        table.fast[size_t(prefix + fill)] = quint16(length << 8 | table.values[size_t(index)]);
                }
            }
            table.defined = true;
            dc[id] = table;
        }
        at += total;
    }
    return true;
}

// The coded data of one scan, bit by bit. Needing a bit beyond the data or
// past a marker means the scan is damaged.
class BitReader
{
public:
    BitReader(QByteArrayView data, qsizetype at)
        : m_data(data)
        , m_at(at)
    {
    }

    int bits(int n)
    {
        if (m_count < n)
            fill();
        if (m_count < n)
            return -1;
        const int value = n ? int(m_bits >> (64 - n)) : 0;
        consume(n);
        return value;
    }

    int bit() { return bits(1); }

    int decode(const HuffmanTable &table)
    {
        if (m_count < 16)
            fill();
        const uint entry = table.fast[size_t(m_bits >> (64 - kFastBits))];
        if (entry && int(entry >> 8) <= m_count) {
            consume(int(entry >> 8));
            return int(entry & 0xFF);
        }
        for (int length = 1; length <= 16 && length <= m_count; ++length) {
            const int code = int(m_bits >> (64 - length));
            if (code <= table.maxCode[length]) {
                consume(length);
                return table.values[size_t(table.firstIndex[length] + code - table.firstCode[length])];
            }
        }
        return -1;
    }

    // Drops the bits left in the byte and steps over a restart marker.
    bool restart()
    {
        if (m_count >= 8)
            return false; // more data before the marker than a byte's padding
        m_bits = 0;
        m_count = 0;
        while (m_at + 1 < m_data.size() && byteAt(m_data, m_at) == 0xFF && byteAt(m_data, m_at + 1) == 0xFF)
            ++m_at;
        if (m_at + 1 >= m_data.size() || byteAt(m_data, m_at) != 0xFF)
            return false;
        const uint marker = byteAt(m_data, m_at + 1);
        if (marker < 0xD0 || marker > 0xD7)
            return false;
        m_at += 2;
        return true;
    }

private:
    void consume(int n)
    {
        m_bits = n < 64 ? m_bits << n : 0;
        m_count -= n;
    }

    // Takes whole bytes into the bit buffer, up to a marker or the end.
    void fill()
    {
        while (m_count <= 56 && m_at < m_data.size()) {
            const uint byte = byteAt(m_data, m_at);
            if (byte == 0xFF) {
                if (m_at + 1 >= m_data.size() || byteAt(m_data, m_at + 1) != 0x00)
                    return; // a marker
                ++m_at;
            }
            ++m_at;
            m_bits |= quint64(byte) << (56 - m_count);
            m_count += 8;
        }
    }

    QByteArrayView m_data;
    qsizetype m_at;
    quint64 m_bits = 0; // the next bits, from the top
    int m_count = 0;
};

struct Component
{
    uint id = 0;
    int h = 1, v = 1, quantTable = 0;
    int blocksWide = 0, blocksHigh = 0; // the component's own blocks
    int stride = 0, rows = 0;           // with the padding of whole MCUs
    int quant = 0;                      // the DC quantiser, taken at the first scan
    int missingBits = 0;                // low bits not sent yet (successive approximation)
    bool haveDc = false;
    std::vector<int> dc;                // one value per block
};

int ceilDiv(int a, int b) { return (a + b - 1) / b; }

// Turns the image as QImageReader's automatic transformation does.
QImage turned(QImage image, QImageIOHandler::Transformations turn)
{
    if (turn == QImageIOHandler::TransformationNone)
        return image;
    if (turn == QImageIOHandler::TransformationRotate270)
        return image.transformed(QTransform().rotate(270));
    image = std::move(image).mirrored(turn & QImageIOHandler::TransformationMirror,
                                      turn & QImageIOHandler::TransformationFlip);
    if (turn & QImageIOHandler::TransformationRotate90)
        image = image.transformed(QTransform().rotate(90));
    return image;
}

class Decoder
{
public:
    explicit Decoder(QByteArrayView data)
        : m_data(data)
    {
    }

    QImage run(QImageIOHandler::Transformations turn)
    {
        JpegMarkers markers(m_data);
        if (!markers.valid())
            return {}; // not a JPEG at all
        JpegMarkers::Segment segment;
        bool sawFrame = false, sawAc = false, adobeRgb = false;
        while (markers.next(segment)) {
            const uint m = segment.marker;
            if (m == 0xD9) // a file of DC scans alone
                return everyDc() ? turned(image(), turn) : damaged();
            if (m == 0xDC) // a height given after the scan
                return {};
            if (m == 0xC2) {
                if (sawFrame)
                    return damaged();
                if (!readFrame(segment.body))
                    return {};
                sawFrame = true;
            } else if (m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8) {
                return {}; // sequential, lossless or arithmetic coding (its tables too): the usual decoder
            } else if (m == 0xC4) {
                if (!readHuffman(segment.body, m_tables))
                    return damaged();
            } else if (m == 0xDB) {
                if (!readQuantisers(segment.body))
                    return damaged();
            } else if (m == 0xDD) {
                if (segment.body.size() < 2)
                    return damaged();
                m_restartInterval = int(be16(segment.body, 0));
            } else if (m == 0xEE) {
                // Adobe's marker: a transform other than YCbCr (plain RGB, YCCK) is left to libjpeg.
                if (segment.body.size() >= 12 && segment.body.startsWith("Adobe") && byteAt(segment.body, 11) != 1)
                    adobeRgb = true;
            } else if (m == 0xDA) {
                if (adobeRgb)
                    return {};
                if (!sawFrame)
                    return damaged();
                const qsizetype scanAt = markers.position();
                int result = scan(segment.body, scanAt, sawAc);
                if (result < 0 || (result > 0 && !markers.skipScanData()))
                    return damaged();
                if (result == 0) // the first AC scan after every DC: done
                    return turned(image(), turn);
            }
        }
        return damaged(); // the structure breaks, or the data ends, before the end marker
    }

    bool isDamaged() const { return m_damaged; }

private:
    QImage damaged()
    {
        m_damaged = true;
        return {};
    }

    bool everyDc() const
    {
        return !m_components.empty()
            && std::all_of(m_components.begin(), m_components.end(), [](const Component &c) { return c.haveDc; });
    }

    bool readFrame(QByteArrayView body)
    {
        // 12-bit samples, or a height given after the scan: not one this reads.
        if (body.size() >= 6 && (byteAt(body, 0) != 8 || be16(body, 1) == 0))
            return false;
        m_damaged = true; // until the frame is known to be sound
        if (body.size() < 6)
            return false;
        m_height = int(be16(body, 1));
        m_width = int(be16(body, 3));
        const int count = int(byteAt(body, 5));
        if (m_width == 0 || count == 0 || body.size() < 6 + 3 * count || qint64(m_width) * m_height > picturelimits::kMaxPixels)
            return false;
        m_components.resize(size_t(count));
        for (int i = 0; i < count; ++i) {
            Component &c = m_components[size_t(i)];
            c.id = byteAt(body, 6 + 3 * i);
            c.h = int(byteAt(body, 7 + 3 * i) >> 4);
            c.v = int(byteAt(body, 7 + 3 * i) & 15);
            c.quantTable = int(byteAt(body, 8 + 3 * i));
            if (c.h < 1 || c.h > 4 || c.v < 1 || c.v > 4 || c.quantTable > 3)
                return false;
            m_maxH = std::max(m_maxH, c.h);
            m_maxV = std::max(m_maxV, c.v);
        }
        m_damaged = false;
        if (count != 1 && count != 3)
            return false; // CMYK, YCCK or two components: the usual decoder
        // Three components named R, G, B hold RGB, not YCbCr.
        if (count == 3 && m_components[0].id == 'R' && m_components[1].id == 'G' && m_components[2].id == 'B')
            return false;
        m_mcusWide = ceilDiv(m_width, 8 * m_maxH);
        m_mcusHigh = ceilDiv(m_height, 8 * m_maxV);
        for (Component &c : m_components) {
            if (m_maxH % c.h || m_maxV % c.v)
                return false;
            c.blocksWide = ceilDiv(ceilDiv(m_width * c.h, m_maxH), 8);
            c.blocksHigh = ceilDiv(ceilDiv(m_height * c.v, m_maxV), 8);
            c.stride = m_mcusWide * c.h;
            c.rows = m_mcusHigh * c.v;
        }
        return true;
    }

    bool readQuantisers(QByteArrayView body)
    {
        qsizetype at = 0;
        while (at < body.size()) {
            const uint precision = byteAt(body, at) >> 4, id = byteAt(body, at) & 15;
            const qsizetype size = precision ? 128 : 64;
            if (precision > 1 || id > 3 || at + 1 + size > body.size())
                return false;
            m_quantisers[id] = int(precision ? be16(body, at + 1) : byteAt(body, at + 1));
            at += 1 + size;
        }
        return true;
    }

    // Decodes a DC scan into the blocks' values, or steps over an AC scan.
    // 1: go on with the next scan; 0: every DC is known and the AC scans
    // begin; -1: the file is not one this reads.
    int scan(QByteArrayView body, qsizetype at, bool &sawAc)
    {
        if (body.size() < 1)
            return -1;
        const int count = int(byteAt(body, 0));
        if (count < 1 || count > 4 || body.size() < 1 + 2 * count + 3)
            return -1;
        std::array<Component *, 4> parts{};
        std::array<int, 4> tables{};
        for (int i = 0; i < count; ++i) {
            const uint id = byteAt(body, 1 + 2 * i);
            auto found = std::find_if(m_components.begin(), m_components.end(), [id](const Component &c) { return c.id == id; });
            if (found == m_components.end())
                return -1;
            parts[size_t(i)] = &*found;
            tables[size_t(i)] = int(byteAt(body, 2 + 2 * i) >> 4);
        }
        const qsizetype p = 1 + 2 * count;
        const int first = int(byteAt(body, p)), last = int(byteAt(body, p + 1));
        const int high = int(byteAt(body, p + 2) >> 4), low = int(byteAt(body, p + 2) & 15);
        if (first != 0) {
            sawAc = true;
            return everyDc() ? 0 : 1;
        }
        if (last != 0 || low > 13)
            return -1;
        if (high != 0) {
            // A refinement: worth its bit only before the AC scans, and
            // only for components whose first DC scan was read.
            if (sawAc || !std::all_of(parts.begin(), parts.begin() + count, [](const Component *c) { return c->haveDc; }))
                return 1;
        } else {
            for (int i = 0; i < count; ++i) {
                Component &c = *parts[size_t(i)];
                if (c.haveDc || !m_tables[size_t(tables[size_t(i)] & 3)].defined || tables[size_t(i)] > 3)
                    return -1;
                c.dc.assign(size_t(c.stride) * size_t(c.rows), 0);
                c.missingBits = low;
                c.quant = m_quantisers[size_t(c.quantTable)];
            }
        }
        if (!decodeScan(at, parts, tables, count, high != 0, low))
            return -1;
        for (int i = 0; i < count; ++i) {
            parts[size_t(i)]->haveDc = true;
            parts[size_t(i)]->missingBits = low;
        }
        return 1;
    }

    bool decodeScan(qsizetype at, const std::array<Component *, 4> &parts, const std::array<int, 4> &tables, int count,
                    bool refine, int low)
    {
        BitReader bits(m_data, at);
        std::array<int, 4> predictors{};
        // One component alone is coded block by block over its own blocks;
        // several are coded MCU by MCU, padding blocks included.
        const bool interleaved = count > 1;
        const int unitsWide = interleaved ? m_mcusWide : parts[0]->blocksWide;
        const int unitsHigh = interleaved ? m_mcusHigh : parts[0]->blocksHigh;
        const qint64 units = qint64(unitsWide) * unitsHigh;
        for (qint64 unit = 0; unit < units; ++unit) {
            if (m_restartInterval && unit && unit % m_restartInterval == 0) {
                if (!bits.restart())
                    return false;
                predictors = {};
            }
            const int ux = int(unit % unitsWide), uy = int(unit / unitsWide);
            for (int i = 0; i < count; ++i) {
                Component &c = *parts[size_t(i)];
                const int across = interleaved ? c.h : 1, down = interleaved ? c.v : 1;
                for (int y = 0; y < down; ++y) {
                    for (int x = 0; x < across; ++x) {
                        int &value = c.dc[size_t(uy * down + y) * size_t(c.stride) + size_t(ux * across + x)];
                        if (refine) {
                            const int b = bits.bit();
                            if (b < 0)
                                return false;
                            value |= b << low;
                            continue;
                        }
                        const int size = bits.decode(m_tables[size_t(tables[size_t(i)])]);
                        if (size < 0 || size > 11)
                            return false;
                        int diff = 0;
                        if (size) {
                            diff = bits.bits(size);
                            if (diff < 0)
                                return false;
                            if (diff < 1 << (size - 1))
                                diff -= (1 << size) - 1;
                        }
                        // Whole 8-bit data keeps every DC within 11 bits.
                        predictors[size_t(i)] += diff;
                        if (std::abs(predictors[size_t(i)]) > 2048)
                            return false;
                        value = predictors[size_t(i)] * (1 << low);
                    }
                }
            }
        }
        return true;
    }

    // Each block's mean as libjpeg's 1 x 1 inverse transform gives it.
    static uchar sample(const Component &c, int bx, int by)
    {
        // Bits not sent are taken at the middle of their range, not as
        // zeros; in halves, so that the middle of one bit is exact.
        const qint64 twice = (2 * qint64(c.dc[size_t(by) * size_t(c.stride) + size_t(bx)]) + (1 << c.missingBits) - 1) * c.quant;
        return uchar(std::clamp<qint64>(((twice + 8) >> 4) + 128, 0, 255));
    }

    // A component's level at pixel (x, y) of the 1/8 picture. Where chroma
    // has half the resolution both ways (4:2:0) libjpeg makes two by two
    // values of each chroma block from its lowest frequencies; the nearest
    // blocks' means, weighted 9:3:3:1, give much the same. Otherwise each
    // block's mean is repeated, as libjpeg does.
    int level(const Component &c, int x, int y) const
    {
        if (m_maxH != 2 * c.h || m_maxV != 2 * c.v)
            return sample(c, x * c.h / m_maxH, y * c.v / m_maxV);
        const int bx = x / 2, by = y / 2;
        const int nx = std::clamp(bx + (x % 2 ? 1 : -1), 0, c.blocksWide - 1);
        const int ny = std::clamp(by + (y % 2 ? 1 : -1), 0, c.blocksHigh - 1);
        return (9 * sample(c, bx, by) + 3 * sample(c, nx, by) + 3 * sample(c, bx, ny) + sample(c, nx, ny) + 8) / 16;
    }

    QImage image() const
    {
        const int wide = ceilDiv(m_width, 8), high = ceilDiv(m_height, 8);
        if (m_components.size() == 1) {
            QImage out(wide, high, QImage::Format_Grayscale8);
            if (out.isNull())
                return {};
            const Component &c = m_components[0];
            for (int y = 0; y < high; ++y) {
                uchar *line = out.scanLine(y);
                for (int x = 0; x < wide; ++x)
                    line[x] = sample(c, x, y);
            }
            return out;
        }
        QImage out(wide, high, QImage::Format_RGB32);
        if (out.isNull())
            return {};
        const Component &cy = m_components[0], &cb = m_components[1], &cr = m_components[2];
        // libjpeg's fixed-point YCbCr to RGB, so the colours match its own.
        constexpr int kBits = 16, kHalf = 1 << (kBits - 1);
        constexpr auto fix = [](double x) { return int(x * (1 << kBits) + 0.5); };
        for (int y = 0; y < high; ++y) {
            auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
            for (int x = 0; x < wide; ++x) {
                const int luma = level(cy, x, y);
                const int blue = level(cb, x, y) - 128;
                const int red = level(cr, x, y) - 128;
                const int r = luma + ((fix(1.40200) * red + kHalf) >> kBits);
                const int g = luma + ((-fix(0.34414) * blue - fix(0.71414) * red + kHalf) >> kBits);
                const int b = luma + ((fix(1.77200) * blue + kHalf) >> kBits);
                line[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
            }
        }
        return out;
    }

    QByteArrayView m_data;
    bool m_damaged = false;
    int m_width = 0, m_height = 0, m_maxH = 1, m_maxV = 1, m_mcusWide = 0, m_mcusHigh = 0;
    int m_restartInterval = 0;
    std::vector<Component> m_components;
    std::array<HuffmanTable, 4> m_tables;
    std::array<int, 4> m_quantisers{1, 1, 1, 1};
};

} // namespace

QImage decode(QByteArrayView data, QImageIOHandler::Transformations turn, bool *damaged)
{
    Decoder decoder(data);
    QImage image = decoder.run(turn);
    if (damaged)
        *damaged = decoder.isDamaged();
    return image;
}

} // namespace jpegeighth
