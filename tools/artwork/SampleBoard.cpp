#include "SampleBoard.h"

#include "Drawing.h"
#include "GifWriter.h"
#include "Quantize.h"

#include <QImageWriter>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

#include <array>
#include <cmath>
#include <numbers>

namespace artwork::samples {
namespace {

constexpr int kWidth = 320;
constexpr int kHeight = 240;
constexpr qreal kHorizon = 150;
constexpr qreal kPath = 206;

const std::array<const char *, 6> kSuffixes = {"jpg", "BMP", "gif", "JPG", "bmp", "GIF"};

// Bits per pixel of the board's bitmaps in turn (every third frame is one).
// The two-colour ones fall on daylight frames, where a dither still reads.
const std::array<int, 8> kBitmapDepths = {24, 1, 4, 1, 8, 24, 4, 8};

// A small palette that keeps pure black and white for the lines and numbers.
QList<QRgb> paletteWithInk(const QImage &picture, int colours)
{
    QList<QRgb> palette = paletteOf(picture, colours - 2);
    palette << qRgb(0, 0, 0) << qRgb(255, 255, 255);
    return palette;
}

QColor mix(QColor a, QColor b, qreal t)
{
    t = std::clamp(t, 0.0, 1.0);
    return QColor::fromRgbF(float(a.redF() + (b.redF() - a.redF()) * t),
                            float(a.greenF() + (b.greenF() - a.greenF()) * t),
                            float(a.blueF() + (b.blueF() - a.blueF()) * t));
}

// A colour through the day: morning, noon, sunset, night at t = 0, 0.4, 0.75, 1.
QColor daylight(qreal t, QColor morning, QColor noon, QColor sunset, QColor night)
{
    if (t < 0.4)
        return mix(morning, noon, t / 0.4);
    if (t < 0.75)
        return mix(noon, sunset, (t - 0.4) / 0.35);
    return mix(sunset, night, (t - 0.75) / 0.25);
}

void drawHouse(QPainter &p, qreal left, qreal width, bool lit, qreal dark)
{
    const qreal base = kPath - 4;
    const qreal top = base - width * 0.75;
    p.setPen(QPen(mix(QColor(60, 40, 30), QColor(10, 8, 10), dark), 1.5));
    p.setBrush(mix(QColor(235, 215, 170), QColor(60, 55, 70), dark));
    p.drawRect(QRectF(left, top, width, base - top));
    p.setBrush(mix(QColor(200, 60, 45), QColor(60, 20, 30), dark));
    p.drawPolygon(QPolygonF({QPointF(left - 6, top), QPointF(left + width / 2, top - width * 0.5),
                             QPointF(left + width + 6, top)}));
    p.setBrush(mix(QColor(110, 70, 40), QColor(30, 20, 20), dark));
    p.drawRect(QRectF(left + width * 0.4, base - width * 0.38, width * 0.22, width * 0.38));
    p.setBrush(lit ? QColor(255, 220, 90) : mix(QColor(150, 200, 235), QColor(30, 35, 60), dark));
    p.drawRect(QRectF(left + width * 0.1, top + width * 0.14, width * 0.2, width * 0.18));
    p.drawRect(QRectF(left + width * 0.7, top + width * 0.14, width * 0.2, width * 0.18));
}

void drawTree(QPainter &p, qreal x, qreal dark)
{
    p.setPen(Qt::NoPen);
    p.setBrush(mix(QColor(110, 70, 35), QColor(25, 18, 15), dark));
    p.drawRect(QRectF(x - 4, kHorizon + 10, 8, kPath - kHorizon - 14));
    p.setBrush(mix(QColor(50, 140, 60), QColor(10, 35, 25), dark));
    p.drawEllipse(QPointF(x, kHorizon - 2), 24, 22);
    p.drawEllipse(QPointF(x - 14, kHorizon + 10), 16, 14);
    p.drawEllipse(QPointF(x + 15, kHorizon + 9), 16, 14);
}

// The walker: a stick figure with a red hat, its legs and arms swinging.
void drawWalker(QPainter &p, qreal x, int step, qreal dark)
{
    const QColor ink = mix(QColor(25, 25, 30), QColor(215, 215, 230), dark * 0.8);
    const qreal feet = kPath + 2;
    const qreal hip = feet - 24;
    const qreal neck = feet - 46;
    const qreal swing = (step % 2 == 0) ? 9 : 4;
    p.setPen(QPen(ink, 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    p.drawLine(QPointF(x, hip), QPointF(x + 1, neck));
    p.drawLine(QPointF(x, hip), QPointF(x - swing, feet));
    p.drawLine(QPointF(x, hip), QPointF(x + swing, feet));
    p.drawLine(QPointF(x + 1, neck + 4), QPointF(x + swing, neck + 20));
    p.drawLine(QPointF(x + 1, neck + 4), QPointF(x - swing + 1, neck + 19));
    p.setBrush(mix(QColor(255, 225, 190), QColor(170, 150, 140), dark));
    p.drawEllipse(QPointF(x + 2, neck - 8), 7, 7);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 40, 40));
    p.drawChord(QRectF(x - 6, neck - 19, 16, 14), 0, 180 * 16);
}

void drawNumber(QPainter &p, int number)
{
    const QRectF box(10, 10, 64, 44);
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(Qt::white);
    p.drawRoundedRect(box, 5, 5);
    p.setFont(font(34, true));
    p.setPen(Qt::black);
    p.drawText(box, Qt::AlignCenter, QStringLiteral("%1").arg(number, 2, 10, QLatin1Char('0')));
}

} // namespace

QString fileName(int number)
{
    return QStringLiteral("frame%1.%2")
        .arg(number, 2, 10, QLatin1Char('0'))
        .arg(QLatin1String(kSuffixes[size_t((number - 1) % int(kSuffixes.size()))]));
}

QImage frame(int number)
{
    const qreal t = qreal(number - 1) / (kFrames - 1);
    const qreal dark = std::clamp((t - 0.7) / 0.3, 0.0, 1.0);
    QImage image = filled(QSize(kWidth, kHeight), Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0, daylight(t, QColor(120, 160, 220), QColor(70, 140, 235), QColor(70, 60, 140),
                               QColor(8, 12, 40)));
    sky.setColorAt(1, daylight(t, QColor(250, 200, 160), QColor(190, 225, 250), QColor(250, 140, 80),
                               QColor(40, 40, 90)));
    p.fillRect(QRectF(0, 0, kWidth, kHorizon + 20), sky);

    // The sun crosses the sky and sets behind the hills; then the moon and stars.
    const qreal sunT = t / 0.8;
    if (sunT <= 1.0) {
        const QPointF sun(30 + 260 * sunT, kHorizon + 10 - 120 * std::sin(std::numbers::pi * sunT));
        p.setPen(Qt::NoPen);
        p.setBrush(mix(QColor(255, 225, 60), QColor(255, 120, 40), std::abs(sunT - 0.5) * 2));
        p.drawEllipse(sun, 16, 16);
    }
    if (dark > 0) {
        p.setPen(Qt::NoPen);
        p.setBrush(mix(QColor(70, 70, 130), QColor(245, 245, 220), dark));
        p.drawEllipse(QPointF(250, 40), 12, 12);
        p.setBrush(mix(QColor(70, 70, 130), QColor(12, 18, 50), dark));
        p.drawEllipse(QPointF(256, 36), 11, 11);
        p.setBrush(mix(QColor(60, 60, 120), Qt::white, dark));
        for (const QPointF star : {QPointF(110, 30), QPointF(150, 62), QPointF(190, 22), QPointF(300, 80),
                                   QPointF(210, 90), QPointF(95, 95), QPointF(290, 20)})
            p.drawEllipse(star, 1.4, 1.4);
    }

    // Far hills, the meadow and the path.
    p.setPen(Qt::NoPen);
    p.setBrush(daylight(t, QColor(120, 160, 150), QColor(110, 165, 140), QColor(110, 90, 110),
                        QColor(25, 30, 50)));
    QPainterPath hills;
    hills.moveTo(0, kHorizon + 5);
    hills.cubicTo(60, kHorizon - 35, 120, kHorizon - 10, 170, kHorizon - 5);
    hills.cubicTo(220, kHorizon - 40, 280, kHorizon - 30, kWidth, kHorizon);
    hills.lineTo(kWidth, kHorizon + 20);
    hills.lineTo(0, kHorizon + 20);
    hills.closeSubpath();
    p.drawPath(hills);
    p.fillRect(QRectF(0, kHorizon, kWidth, kHeight - kHorizon),
               daylight(t, QColor(110, 180, 90), QColor(95, 175, 70), QColor(90, 120, 60), QColor(18, 40, 28)));
    p.setBrush(daylight(t, QColor(205, 180, 130), QColor(215, 190, 135), QColor(170, 130, 100),
                        QColor(50, 45, 50)));
    p.drawRect(QRectF(0, kPath - 6, kWidth, 16));

    drawHouse(p, 14, 48, false, dark);
    drawTree(p, 165, dark);
    drawHouse(p, 258, 48, dark > 0.3, dark);

    // From the first door to the second, a little further each frame.
    const qreal x = 52 + (276 - 52) * t;
    drawWalker(p, x, number, dark);

    if (number == kFrames) {
        p.setFont(font(26, true));
        p.setPen(QColor(255, 240, 200));
        p.drawText(QRectF(0, 60, kWidth, 40), Qt::AlignCenter, QStringLiteral("THE END"));
    }

    drawNumber(p, number);
    p.setPen(QPen(Qt::black, 4));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(2, 2, kWidth - 4, kHeight - 4));
    return image;
}

bool write(const QImage &picture, int number, const QString &path)
{
    const QString suffix = path.section(QLatin1Char('.'), -1).toLower();
    if (suffix == QLatin1String("gif"))
        return writeGif(toIndexed(picture, 256), path);
    if (suffix == QLatin1String("bmp")) {
        QImage out;
        switch (kBitmapDepths[size_t((number - 1) / 3 % int(kBitmapDepths.size()))]) {
        case 24: out = picture.convertToFormat(QImage::Format_RGB32); break;
        case 8: out = toIndexed(picture, 256); break;
        case 4: out = toIndexedDithered(picture, paletteWithInk(picture, 16), 24); break;
        default: out = picture.convertToFormat(QImage::Format_Mono, Qt::MonoOnly | Qt::OrderedDither); break;
        }
        QImageWriter writer(path, "bmp");
        return writer.write(out);
    }
    QImageWriter writer(path, "jpeg");
    writer.setQuality(85);
    return writer.write(picture);
}

} // namespace artwork::samples
