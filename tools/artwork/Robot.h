#pragma once

#include <QPainterPath>
#include <QPointF>

class QPainter;

// The blue cone-shaped figure of the help window and the About box: a cone
// body with a dark visor, two eyes, short arms and an antenna with a bulb.
class Robot
{
public:
    enum class Eyes { Open, Shut };

    // base: the middle of the bottom rim, where the figure stands;
    // height: from the rim to the tip of the cone (the antenna comes on top).
    Robot(QPointF base, qreal height);

    void setEyes(Eyes eyes) { m_eyes = eyes; }

    // The whole figure with its shadow, lit from the upper left.
    void draw(QPainter &painter) const;

    // Only the eyes, glowing, for a scene in the dark.
    void drawEyesInDark(QPainter &painter) const;

    QPointF eyeCentre(int which) const;
    qreal eyeRadius() const { return m_height * 0.062; }

private:
    QPainterPath body() const;
    qreal halfWidthAt(qreal y) const;
    void drawArm(QPainter &painter, int side) const;
    void drawAntenna(QPainter &painter) const;
    void drawVisor(QPainter &painter) const;

    QPointF m_base;
    qreal m_height;
    Eyes m_eyes = Eyes::Open;
};
