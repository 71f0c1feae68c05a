#include "Robot.h"

#include <QLinearGradient>
#include <QPainter>
#include <QRadialGradient>

#include <algorithm>

namespace {
const QColor kOutline(16, 32, 88);
const QColor kVisor(18, 26, 60);
} // namespace

Robot::Robot(QPointF base, qreal height) : m_base(base), m_height(height) {}

qreal Robot::halfWidthAt(qreal y) const
{
    // The cone widens evenly from the tip to the rim, which sits a little
    // above the base point (the rim's curve hangs below it).
    const qreal top = m_base.y() - m_height;
    const qreal rim = m_base.y() - m_height * 0.06;
    const qreal half = m_height * 0.48;
    return half * std::clamp((y - top) / (rim - top), 0.0, 1.0);
}

QPainterPath Robot::body() const
{
    const qreal h = m_height;
    const qreal cx = m_base.x();
    const qreal top = m_base.y() - h;
    const qreal rim = m_base.y() - h * 0.06;
    const qreal half = halfWidthAt(rim);
    const qreal tipY = top + h * 0.06;
    const qreal tipHalf = halfWidthAt(tipY);

    QPainterPath path;
    path.moveTo(cx - tipHalf, tipY);
    path.quadTo(cx, top - h * 0.015, cx + tipHalf, tipY);
    path.lineTo(cx + half, rim);
    path.quadTo(cx + half * 1.02, m_base.y() + h * 0.02, cx, m_base.y() + h * 0.03);
    path.quadTo(cx - half * 1.02, m_base.y() + h * 0.02, cx - half, rim);
    path.closeSubpath();
    return path;
}

QPointF Robot::eyeCentre(int which) const
{
    const qreal dx = m_height * 0.088;
    return {m_base.x() + (which == 0 ? -dx : dx), m_base.y() - m_height * 0.6};
}

void Robot::drawArm(QPainter &painter, int side) const
{
    const qreal h = m_height;
    const qreal y = m_base.y() - h * 0.4;
    const QPointF shoulder(m_base.x() + side * (halfWidthAt(y) - h * 0.02), y);
    const QPointF elbow = shoulder + QPointF(side * h * 0.15, h * 0.07);
    const QPointF hand = elbow + QPointF(side * h * 0.06, h * 0.13);

    painter.setPen(QPen(kOutline, std::max<qreal>(1.0, h * 0.055), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(Qt::NoBrush);
    QPainterPath arm;
    arm.moveTo(shoulder);
    arm.lineTo(elbow);
    arm.lineTo(hand);
    painter.drawPath(arm);
    painter.setPen(QPen(QColor(70, 120, 220), std::max<qreal>(0.6, h * 0.028), Qt::SolidLine, Qt::RoundCap,
                        Qt::RoundJoin));
    painter.drawPath(arm);

    painter.setPen(QPen(kOutline, std::max<qreal>(0.8, h * 0.018)));
    painter.setBrush(QColor(200, 210, 230));
    painter.drawEllipse(hand, h * 0.058, h * 0.058);
}

void Robot::drawAntenna(QPainter &painter) const
{
    const qreal h = m_height;
    const QPointF tip(m_base.x(), m_base.y() - h);
    const QPointF bulb = tip + QPointF(0, -h * 0.13);
    painter.setPen(QPen(kOutline, std::max<qreal>(1.0, h * 0.025), Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(tip, bulb);

    QRadialGradient glow(bulb + QPointF(-h * 0.015, -h * 0.015), h * 0.055);
    glow.setColorAt(0, QColor(255, 236, 150));
    glow.setColorAt(1, QColor(235, 130, 20));
    painter.setPen(QPen(QColor(120, 50, 0), std::max<qreal>(0.8, h * 0.015)));
    painter.setBrush(glow);
    painter.drawEllipse(bulb, h * 0.05, h * 0.05);
}

void Robot::drawVisor(QPainter &painter) const
{
    const qreal h = m_height;
    const qreal y = eyeCentre(0).y();
    const qreal band = h * 0.1;

    painter.save();
    painter.setClipPath(body());
    painter.setPen(Qt::NoPen);
    painter.setBrush(kVisor);
    painter.drawRect(QRectF(m_base.x() - h, y - band, 2 * h, 2 * band));
    // The belt with its three little lamps.
    const qreal belt = m_base.y() - h * 0.2;
    painter.setBrush(QColor(30, 60, 150));
    painter.drawRect(QRectF(m_base.x() - h, belt - h * 0.035, 2 * h, h * 0.07));
    painter.restore();

    const QColor lamps[] = {QColor(250, 90, 70), QColor(255, 220, 60), QColor(90, 230, 120)};
    for (int i = 0; i < 3; ++i) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(lamps[i]);
        painter.drawEllipse(QPointF(m_base.x() + (i - 1) * h * 0.12, m_base.y() - h * 0.2), h * 0.025, h * 0.025);
    }

    const qreal r = eyeRadius();
    for (int which = 0; which < 2; ++which) {
        const QPointF c = eyeCentre(which);
        if (m_eyes == Eyes::Open) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(QColor(250, 252, 255));
            painter.drawEllipse(c, r, r * 1.1);
            painter.setBrush(QColor(10, 14, 30));
            // Looking up and to the left, at the speech bubble.
            painter.drawEllipse(c + QPointF(-r * 0.3, -r * 0.25), r * 0.5, r * 0.55);
            painter.setBrush(Qt::white);
            painter.drawEllipse(c + QPointF(-r * 0.45, -r * 0.45), r * 0.16, r * 0.16);
        } else {
            // Closed lids: a soft downward curve.
            QPainterPath lid;
            lid.moveTo(c + QPointF(-r, -r * 0.1));
            lid.quadTo(c + QPointF(0, r * 0.95), c + QPointF(r, -r * 0.1));
            painter.setBrush(Qt::NoBrush);
            painter.setPen(QPen(QColor(150, 190, 255), std::max<qreal>(1.2, h * 0.034), Qt::SolidLine, Qt::RoundCap));
            painter.drawPath(lid);
        }
    }
}

void Robot::draw(QPainter &painter) const
{
    const qreal h = m_height;
    const qreal half = halfWidthAt(m_base.y());
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);

    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 45));
    painter.drawEllipse(QPointF(m_base.x() + h * 0.08, m_base.y() + h * 0.02), half * 1.35, h * 0.07);

    drawArm(painter, -1);
    drawArm(painter, 1);

    QLinearGradient shade(m_base.x() - half, 0, m_base.x() + half, 0);
    shade.setColorAt(0.0, QColor(60, 115, 220));
    shade.setColorAt(0.32, QColor(120, 175, 250));
    shade.setColorAt(0.7, QColor(40, 90, 205));
    shade.setColorAt(1.0, QColor(22, 50, 140));
    painter.setPen(QPen(kOutline, std::max<qreal>(1.0, h * 0.022), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.setBrush(shade);
    painter.drawPath(body());

    drawVisor(painter);
    drawAntenna(painter);
    painter.restore();
}

void Robot::drawEyesInDark(QPainter &painter) const
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal r = eyeRadius();
    for (int which = 0; which < 2; ++which) {
        const QPointF c = eyeCentre(which);
        QRadialGradient halo(c, r * 2.6);
        halo.setColorAt(0.0, QColor(255, 240, 140, 150));
        halo.setColorAt(1.0, QColor(255, 200, 60, 0));
        painter.setBrush(halo);
        painter.drawEllipse(c, r * 2.6, r * 2.6);
        painter.setBrush(QColor(255, 250, 210));
        painter.drawEllipse(c, r, r * 1.1);
        painter.setBrush(QColor(30, 20, 0));
        painter.drawEllipse(c + QPointF(-r * 0.15, 0), r * 0.42, r * 0.5);
    }
    painter.restore();
}
