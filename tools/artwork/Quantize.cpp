#include "Quantize.h"

#include <QHash>
#include <QList>

#include <gif_lib.h>

#include <algorithm>
#include <climits>
#include <vector>

namespace artwork {
namespace {

struct Entry
{
    QRgb colour;
    int count;
};

std::vector<QRgb> opaquePixels(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    std::vector<QRgb> pixels;
    pixels.reserve(size_t(argb.width()) * size_t(argb.height()));
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) == 255)
                pixels.push_back(line[x]);
        }
    }
    return pixels;
}

QHash<QRgb, int> histogram(const std::vector<QRgb> &pixels)
{
    QHash<QRgb, int> counts;
    for (const QRgb c : pixels)
        ++counts[c];
    return counts;
}

// The most frequent colour of a box and the box's pixel count.
Entry representative(const QHash<QRgb, int> &box)
{
    Entry best{0, 0};
    int total = 0;
    for (auto it = box.cbegin(); it != box.cend(); ++it) {
        total += it.value();
        if (it.value() > best.count || (it.value() == best.count && it.key() < best.colour))
            best = {it.key(), it.value()};
    }
    return {best.colour, total};
}

} // namespace

int colourCount(const QImage &picture)
{
    return int(histogram(opaquePixels(picture)).size());
}

QImage toIndexed(const QImage &picture, int maxColours)
{
    return toIndexed(picture, paletteOf(picture, maxColours));
}

QImage toIndexed(const QImage &picture, const QList<QRgb> &palette)
{
    return picture.convertToFormat(QImage::Format_RGB32)
        .convertToFormat(QImage::Format_Indexed8, palette, Qt::ThresholdDither | Qt::AvoidDither);
}

QImage toIndexedDithered(const QImage &picture, const QList<QRgb> &palette, int strength)
{
    static constexpr int kBayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QImage out(rgb.size(), QImage::Format_Indexed8);
    out.setColorTable(palette);
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        uchar *target = out.scanLine(y);
        for (int x = 0; x < rgb.width(); ++x) {
            const int offset = (2 * kBayer[y % 4][x % 4] - 15) * strength / 32;
            const int r = qRed(line[x]) + offset;
            const int g = qGreen(line[x]) + offset;
            const int b = qBlue(line[x]) + offset;
            int best = 0;
            int bestDistance = INT_MAX;
            for (int i = 0; i < int(palette.size()); ++i) {
                const QRgb c = palette[i];
                const int dr = r - qRed(c);
                const int dg = g - qGreen(c);
                const int db = b - qBlue(c);
                const int distance = 3 * dr * dr + 4 * dg * dg + 2 * db * db;
                if (distance < bestDistance) {
                    bestDistance = distance;
                    best = i;
                }
            }
            target[x] = uchar(best);
        }
    }
    return out;
}

QList<QRgb> paletteOf(const QImage &picture, int maxColours)
{
    const std::vector<QRgb> pixels = opaquePixels(picture);
    const QHash<QRgb, int> counts = histogram(pixels);
    std::vector<Entry> entries;
    if (counts.size() <= maxColours) {
        for (auto it = counts.cbegin(); it != counts.cend(); ++it)
            entries.push_back({it.key(), it.value()});
    } else {
        // giflib cuts the colour cube into boxes; its own entries are box
        // averages on a 5-bit grid, so each box gives its most frequent colour instead.
        const size_t n = pixels.size();
        std::vector<GifByteType> red(n), green(n), blue(n), box(n);
        for (size_t i = 0; i < n; ++i) {
            red[i] = GifByteType(qRed(pixels[i]));
            green[i] = GifByteType(qGreen(pixels[i]));
            blue[i] = GifByteType(qBlue(pixels[i]));
        }
        int boxes = std::min(maxColours, 256);
        std::vector<GifColorType> averages(static_cast<size_t>(boxes));
        if (GifQuantizeBuffer(unsigned(n), 1, &boxes, red.data(), green.data(), blue.data(), box.data(),
                              averages.data())
            != GIF_OK)
            return {};
        std::vector<QHash<QRgb, int>> members(static_cast<size_t>(boxes));
        for (size_t i = 0; i < n; ++i)
            ++members[box[i]][pixels[i]];
        for (const QHash<QRgb, int> &member : members) {
            if (!member.isEmpty())
                entries.push_back(representative(member));
        }
    }
    // Most frequent first: the ground colour becomes index 0, and the order
    // does not depend on the hash.
    std::sort(entries.begin(), entries.end(), [](const Entry &a, const Entry &b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });
    QList<QRgb> palette;
    for (const Entry &e : entries)
        palette.append(e.colour);
    return palette;
}

} // namespace artwork
