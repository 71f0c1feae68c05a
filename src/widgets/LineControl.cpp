#include "widgets/LineControl.h"

#include "widgets/Twips.h"

#include <QPainter>

LineControl::LineControl(QWidget *parent, int x1, int y1, int x2, int y2)
    : QWidget(parent)
    , m_line(twips::toPixels(x1), twips::toPixels(y1), twips::toPixels(x2), twips::toPixels(y2))
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAttribute(Qt::WA_NoSystemBackground);
    const QRect box = QRect(m_line.p1(), m_line.p2()).normalized();
    // A straight line has no width or height of its own: keep one pixel to draw on.
    setGeometry(box.left(), box.top(), qMax(1, box.width()), qMax(1, box.height()));
}

void LineControl::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(QPen(Qt::black, 0));
    const QPoint origin = pos();
    painter.drawLine(m_line.p1() - origin, m_line.p2() - origin);
}
