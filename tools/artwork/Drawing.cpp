#include "Drawing.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

namespace artwork {

QFont font(qreal pixelSize, bool bold)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPixelSize(int(pixelSize + 0.5));
    f.setBold(bold);
    f.setHintingPreference(QFont::PreferFullHinting);
    return f;
}

namespace {
qreal g_scale = 1;

QImage canvas(QSize size, QImage::Format format)
{
    QImage image(size * g_scale, format);
    image.setDevicePixelRatio(g_scale);
    return image;
}
} // namespace

void setScale(qreal scale)
{
    g_scale = scale;
}

QImage filled(QSize size, QColor colour)
{
    QImage image = canvas(size, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

QImage transparent(QSize size)
{
    QImage image = canvas(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    return image;
}

void drawCentredLines(QPainter &painter, const QRectF &area, const QStringList &lines,
                      const QFont &f, QColor colour)
{
    const QFontMetricsF metrics(f);
    const qreal lineHeight = metrics.height();
    const qreal total = lineHeight * qreal(lines.size());
    qreal top = area.top() + (area.height() - total) / 2;
    painter.save();
    painter.setFont(f);
    painter.setPen(colour);
    for (const QString &line : lines) {
        painter.drawText(QRectF(area.left(), top, area.width(), lineHeight), Qt::AlignCenter, line);
        top += lineHeight;
    }
    painter.restore();
}

void drawSmiley(QPainter &painter, QPointF centre, qreal radius)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 60, 0), std::max<qreal>(1.0, radius / 6)));
    painter.setBrush(QColor(255, 214, 0));
    painter.drawEllipse(centre, radius, radius);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(40, 25, 0));
    const qreal eye = std::max<qreal>(0.9, radius * 0.14);
    painter.drawEllipse(centre + QPointF(-radius * 0.36, -radius * 0.28), eye, eye * 1.3);
    painter.drawEllipse(centre + QPointF(radius * 0.36, -radius * 0.28), eye, eye * 1.3);

    QPainterPath smile;
    const QRectF mouth(centre.x() - radius * 0.55, centre.y() - radius * 0.45, radius * 1.1, radius * 1.05);
    smile.arcMoveTo(mouth, 200);
    smile.arcTo(mouth, 200, 140);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(40, 25, 0), std::max<qreal>(1.0, radius / 6), Qt::SolidLine, Qt::RoundCap));
    painter.drawPath(smile);
    painter.restore();
}

} // namespace artwork
