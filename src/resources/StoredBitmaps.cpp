#include "resources/StoredBitmaps.h"

#include <QPainter>

// Placeholder drawings until the artwork lands.
namespace resources {

namespace {
QImage plate(int w, int h, QColor ground, QColor ink, const QString &word)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(ground);
    QPainter p(&image);
    p.setPen(ink);
    p.drawText(image.rect(), Qt::AlignCenter, word);
    return image;
}
} // namespace

QImage storedBitmap(int number)
{
    switch (number) {
    case 101: return plate(127, 127, Qt::white, Qt::black, QStringLiteral("[empty]"));
    case 2000: return plate(183, 200, QColor(33, 49, 49), Qt::white, QStringLiteral("[empty]"));
    case 2001: return plate(100, 100, Qt::white, Qt::black, QStringLiteral("3 x 3"));
    case 2005: return plate(100, 100, Qt::white, Qt::black, QStringLiteral("later"));
    case 1000: return plate(380, 180, Qt::black, Qt::white, QStringLiteral("o o"));
    case 1001: return plate(380, 180, Qt::darkGray, Qt::blue, QStringLiteral("robot"));
    case 2003: return plate(360, 256, Qt::lightGray, Qt::blue, QStringLiteral("asleep"));
    case 2004: return plate(360, 256, Qt::lightGray, Qt::blue, QStringLiteral("awake"));
    default: return {};
    }
}

QImage iconImage() { return plate(32, 32, Qt::blue, Qt::white, QStringLiteral("Q")); }
QIcon appIcon() { return QIcon(QPixmap::fromImage(iconImage())); }
QImage printSymbol(int mode) { return plate(32, 32, Qt::white, Qt::black, QString::number(mode)); }
QImage logo() { return plate(185, 27, Qt::black, Qt::white, QStringLiteral("Quorvadine")); }
QCursor magnifierCursor() { return QCursor(Qt::CrossCursor); }

} // namespace resources
