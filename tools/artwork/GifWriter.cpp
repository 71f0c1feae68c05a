#include "GifWriter.h"

#include <QByteArray>
#include <QFile>

#include <vector>

namespace artwork {
namespace {

constexpr int kMaxCode = 4095; // codes are at most 12 bits wide

class BitSink
{
public:
    void put(int code, int width)
    {
        m_acc |= quint32(code) << m_bits;
        m_bits += width;
        while (m_bits >= 8) {
            m_bytes.append(char(m_acc & 0xFF));
            m_acc >>= 8;
            m_bits -= 8;
        }
    }
    QByteArray finish()
    {
        if (m_bits > 0)
            m_bytes.append(char(m_acc & 0xFF));
        m_acc = 0;
        m_bits = 0;
        return m_bytes;
    }

private:
    QByteArray m_bytes;
    quint32 m_acc = 0;
    int m_bits = 0;
};

void putWord(QByteArray &out, int value)
{
    out.append(char(value & 0xFF));
    out.append(char((value >> 8) & 0xFF));
}

QByteArray compress(const QImage &indexed, int minCodeSize)
{
    const int clear = 1 << minCodeSize;
    const int end = clear + 1;
    // next[code * 256 + index]: the code of "code followed by index", 0 if none yet.
    std::vector<quint16> next(size_t(kMaxCode + 1) * 256, 0);
    int lastCode = end;
    int width = minCodeSize + 1;
    BitSink sink;
    sink.put(clear, width);

    int current = -1;
    for (int y = 0; y < indexed.height(); ++y) {
        const uchar *line = indexed.constScanLine(y);
        for (int x = 0; x < indexed.width(); ++x) {
            const int index = line[x];
            if (current < 0) {
                current = index;
                continue;
            }
            quint16 &slot = next[size_t(current) * 256 + size_t(index)];
            if (slot != 0) {
                current = slot;
                continue;
            }
            sink.put(current, width);
            slot = quint16(++lastCode);
            if (lastCode >= (1 << width) && width < 12)
                ++width;
            if (lastCode == kMaxCode) {
                sink.put(clear, width);
                std::fill(next.begin(), next.end(), quint16(0));
                lastCode = end;
                width = minCodeSize + 1;
            }
            current = index;
        }
    }
    if (current >= 0) {
        sink.put(current, width);
        // The reader adds a table entry after this code as well, and may widen
        // its codes before reading the end code.
        if (lastCode + 1 >= (1 << width) && width < 12)
            ++width;
    }
    sink.put(end, width);
    return sink.finish();
}

} // namespace

bool writeGif(const QImage &indexed, const QString &path)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() < 1
        || indexed.colorCount() > 256)
        return false;

    int tableBits = 1;
    while ((1 << tableBits) < indexed.colorCount())
        ++tableBits;
    const int minCodeSize = std::max(2, tableBits);

    QByteArray out("GIF89a");
    putWord(out, indexed.width());
    putWord(out, indexed.height());
    out.append(char(0x80 | (7 << 4) | (tableBits - 1))); // global table, 8-bit colour resolution
    out.append(char(0));                                 // background index
    out.append(char(0));                                 // square pixels
    for (int i = 0; i < (1 << tableBits); ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        out.append(char(qRed(c)));
        out.append(char(qGreen(c)));
        out.append(char(qBlue(c)));
    }
    out.append(char(0x2C)); // image descriptor
    putWord(out, 0);
    putWord(out, 0);
    putWord(out, indexed.width());
    putWord(out, indexed.height());
    out.append(char(0)); // no local table, not interlaced

    out.append(char(minCodeSize));
    const QByteArray data = compress(indexed, minCodeSize);
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const qsizetype n = std::min<qsizetype>(255, data.size() - at);
        out.append(char(n));
        out.append(data.constData() + at, n);
    }
    out.append(char(0));    // end of the image data
    out.append(char(0x3B)); // trailer

    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(out) == out.size();
}

} // namespace artwork
