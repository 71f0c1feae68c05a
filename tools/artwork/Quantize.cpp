#include "Quantize.h"

#include <QHash>
#include <QList>

#include <algorithm>
#include <climits>
#include <cmath>
#include <array>
#include <vector>

namespace artwork {
namespace {

struct Entry
{
    QRgb colour;
    int count;
};

int channel(QRgb c, int which)
{
    switch (which) {
    case 0: return qRed(c);
    case 1: return qGreen(c);
    default: return qBlue(c);
    }
}

struct Box
{
    std::vector<Entry> entries;

    // Widest channel and its extent.
    std::pair<int, int> widest() const
    {
        std::array<int, 3> lo{255, 255, 255};
        std::array<int, 3> hi{0, 0, 0};
        for (const Entry &e : entries) {
            for (int k = 0; k < 3; ++k) {
                lo[size_t(k)] = std::min(lo[size_t(k)], channel(e.colour, k));
                hi[size_t(k)] = std::max(hi[size_t(k)], channel(e.colour, k));
            }
        }
        int best = 0;
        for (int k = 1; k < 3; ++k) {
            if (hi[size_t(k)] - lo[size_t(k)] > hi[size_t(best)] - lo[size_t(best)])
                best = k;
        }
        return {best, hi[size_t(best)] - lo[size_t(best)]};
    }

    QRgb mostFrequent() const
    {
        return std::max_element(entries.begin(), entries.end(),
                                [](const Entry &a, const Entry &b) { return a.count < b.count; })
            ->colour;
    }
};

QHash<QRgb, int> histogram(const QImage &picture)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    QHash<QRgb, int> counts;
    for (int y = 0; y < argb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < argb.width(); ++x) {
            if (qAlpha(line[x]) == 255)
                ++counts[line[x]];
        }
    }
    return counts;
}

} // namespace

int colourCount(const QImage &picture)
{
    return int(histogram(picture).size());
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
    const QHash<QRgb, int> counts = histogram(picture);
    std::vector<Entry> all;
    all.reserve(size_t(counts.size()));
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        all.push_back({it.key(), it.value()});
    // Most frequent first: the ground colour becomes index 0, and the order
    // does not depend on the hash.
    std::sort(all.begin(), all.end(), [](const Entry &a, const Entry &b) {
        return a.count != b.count ? a.count > b.count : a.colour < b.colour;
    });

    QList<QRgb> palette;
    if (int(all.size()) <= maxColours) {
        for (const Entry &e : all)
            palette.append(e.colour);
    } else {
        std::vector<Box> boxes{Box{all}};
        while (int(boxes.size()) < maxColours) {
            // Split the box whose spread weighs most, its pixel count
            // counting only as a square root: a wide sky gets many steps, yet a
            // small distinct detail (eyes, a sun) still gets a colour of its own.
            int pick = -1;
            double pickScore = 0;
            for (int i = 0; i < int(boxes.size()); ++i) {
                const Box &box = boxes[size_t(i)];
                if (box.entries.size() < 2)
                    continue;
                long long population = 0;
                for (const Entry &e : box.entries)
                    population += e.count;
                const double score = box.widest().second * std::sqrt(double(population));
                if (pick < 0 || score > pickScore) {
                    pick = i;
                    pickScore = score;
                }
            }
            if (pick < 0)
                break;
            Box &box = boxes[size_t(pick)];
            const int ch = box.widest().first;
            std::sort(box.entries.begin(), box.entries.end(), [ch](const Entry &a, const Entry &b) {
                return channel(a.colour, ch) != channel(b.colour, ch)
                           ? channel(a.colour, ch) < channel(b.colour, ch)
                           : a.colour < b.colour;
            });
            long long total = 0;
            for (const Entry &e : box.entries)
                total += e.count;
            long long running = 0;
            size_t cut = 1;
            for (size_t i = 0; i + 1 < box.entries.size(); ++i) {
                running += box.entries[i].count;
                cut = i + 1;
                if (running * 2 >= total)
                    break;
            }
            Box upper{std::vector<Entry>(box.entries.begin() + std::ptrdiff_t(cut), box.entries.end())};
            box.entries.resize(cut);
            boxes.push_back(std::move(upper));
        }
        std::vector<Entry> reps;
        for (const Box &box : boxes) {
            long long total = 0;
            for (const Entry &e : box.entries)
                total += e.count;
            reps.push_back({box.mostFrequent(), int(std::min<long long>(total, 1 << 30))});
        }
        std::sort(reps.begin(), reps.end(), [](const Entry &a, const Entry &b) {
            return a.count != b.count ? a.count > b.count : a.colour < b.colour;
        });
        for (const Entry &e : reps)
            palette.append(e.colour);
    }
    return palette;
}

} // namespace artwork
