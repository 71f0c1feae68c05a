#include "StoredPictures.h"

#include "Drawing.h"
#include "Quantize.h"
#include "Robot.h"

#include "resources/Colours.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QRandomGenerator>

#include <cmath>
#include <functional>

namespace artwork::stored {
namespace {

QColor fromWord(ColourWord word)
{
    return QColor(colours::red(word), colours::green(word), colours::blue(word));
}

// Where the help window puts its figure: its speech bubble's tail ends at
// (248, 184) and the "Close" button covers x 288..345, y 208..241, so the
// figure stands under the tail tip, left of the button.
constexpr QPointF kHelpFigureBase(244, 253);
constexpr qreal kHelpFigureHeight = 58;

// The About box covers the picture with its description above y 46 and its
// band below y 131; the figure stands in between.
constexpr QPointF kCaveFigureBase(236, 127);
constexpr qreal kCaveFigureHeight = 62;

// ---- the layout sketches of 2001 ----------------------------------------

using Sketch = std::function<void(QPainter &, const QRectF &)>;

const QColor kPencil(60, 60, 70);

void ground(QPainter &p, const QRectF &r, qreal at = 0.72)
{
    p.setPen(QPen(kPencil, 1));
    p.drawLine(QPointF(r.left() + 1, r.top() + r.height() * at), QPointF(r.right() - 1, r.top() + r.height() * at));
}

void stickFigure(QPainter &p, QPointF feet, qreal h, int stride)
{
    p.setPen(QPen(kPencil, 1, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    const QPointF hip = feet + QPointF(0, -h * 0.42);
    const QPointF neck = feet + QPointF(0, -h * 0.78);
    p.drawEllipse(feet + QPointF(0, -h * 0.9), h * 0.12, h * 0.12);
    p.drawLine(hip, neck);
    p.drawLine(hip, feet + QPointF(-h * 0.18 * stride, 0));
    p.drawLine(hip, feet + QPointF(h * 0.18 * stride, 0));
    p.drawLine(neck + QPointF(0, h * 0.08), neck + QPointF(-h * 0.22, h * 0.3));
    p.drawLine(neck + QPointF(0, h * 0.08), neck + QPointF(h * 0.22, h * 0.26));
}

const Sketch kSketches[9] = {
    [](QPainter &p, const QRectF &r) { // sunrise over the horizon
        ground(p, r);
        p.setPen(QPen(QColor(200, 120, 0), 1));
        p.setBrush(QColor(255, 200, 40));
        p.drawEllipse(QPointF(r.center().x(), r.top() + r.height() * 0.62), 6, 6);
        p.setBrush(Qt::white);
        p.setPen(Qt::NoPen);
        p.drawRect(QRectF(r.left() + 1, r.top() + r.height() * 0.72 + 0.5, r.width() - 2, 6));
        ground(p, r);
    },
    [](QPainter &p, const QRectF &r) { // someone sets out
        ground(p, r);
        stickFigure(p, QPointF(r.left() + 9, r.top() + r.height() * 0.72), 17, 1);
    },
    [](QPainter &p, const QRectF &r) { // past a tree
        ground(p, r);
        p.setPen(QPen(QColor(110, 70, 30), 1));
        p.drawLine(QPointF(r.right() - 8, r.top() + r.height() * 0.72), QPointF(r.right() - 8, r.top() + 12));
        p.setPen(QPen(QColor(30, 110, 40), 1));
        p.setBrush(QColor(120, 200, 110));
        p.drawEllipse(QPointF(r.right() - 8, r.top() + 10), 6, 6);
        stickFigure(p, QPointF(r.left() + 12, r.top() + r.height() * 0.72), 17, 1);
    },
    [](QPainter &p, const QRectF &r) { // a house
        ground(p, r);
        p.setPen(QPen(kPencil, 1));
        p.setBrush(Qt::NoBrush);
        const qreal base = r.top() + r.height() * 0.72;
        p.drawRect(QRectF(r.left() + 8, base - 10, 14, 10));
        p.setBrush(QColor(220, 80, 60));
        p.drawPolygon(QPolygonF({QPointF(r.left() + 6, base - 10), QPointF(r.left() + 15, base - 17),
                                 QPointF(r.left() + 24, base - 10)}));
        p.setBrush(Qt::NoBrush);
        p.drawRect(QRectF(r.left() + 13, base - 6, 4, 6));
    },
    [](QPainter &p, const QRectF &r) { // two people meet
        ground(p, r);
        stickFigure(p, QPointF(r.left() + 9, r.top() + r.height() * 0.72), 13, 1);
        stickFigure(p, QPointF(r.right() - 9, r.top() + r.height() * 0.72), 13, -1);
        p.setPen(QPen(kPencil, 1));
        p.setBrush(Qt::white);
        p.drawEllipse(QRectF(r.center().x() - 6, r.top() + 1.5, 12, 6));
        p.drawLine(QPointF(r.center().x() - 2, r.top() + 7.5), QPointF(r.center().x() - 5, r.top() + 10));
    },
    [](QPainter &p, const QRectF &r) { // close-up of a face
        p.setPen(QPen(kPencil, 1));
        p.setBrush(QColor(255, 225, 190));
        p.drawEllipse(r.center(), 9, 10);
        p.setBrush(kPencil);
        p.drawEllipse(r.center() + QPointF(-3.5, -2), 1, 1.3);
        p.drawEllipse(r.center() + QPointF(3.5, -2), 1, 1.3);
        p.setBrush(Qt::NoBrush);
        p.drawArc(QRectF(r.center().x() - 4, r.center().y() - 1, 8, 6), 200 * 16, 140 * 16);
    },
    [](QPainter &p, const QRectF &r) { // mountains under the moon
        p.setPen(QPen(kPencil, 1));
        p.setBrush(QColor(170, 180, 200));
        const qreal base = r.top() + r.height() * 0.8;
        p.drawPolygon(QPolygonF({QPointF(r.left() + 1, base), QPointF(r.left() + 10, r.top() + 12),
                                 QPointF(r.left() + 16, r.top() + 18), QPointF(r.left() + 22, r.top() + 9),
                                 QPointF(r.right() - 1, base)}));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(240, 200, 60));
        p.drawEllipse(QPointF(r.left() + 7, r.top() + 6), 3, 3);
    },
    [](QPainter &p, const QRectF &r) { // a car drives off
        ground(p, r);
        const qreal base = r.top() + r.height() * 0.72;
        p.setPen(QPen(kPencil, 1));
        p.setBrush(QColor(80, 140, 230));
        p.drawRoundedRect(QRectF(r.left() + 5, base - 9, 20, 6), 2, 2);
        p.drawRect(QRectF(r.left() + 10, base - 13, 9, 4));
        p.setBrush(kPencil);
        p.drawEllipse(QPointF(r.left() + 10, base - 2), 2, 2);
        p.drawEllipse(QPointF(r.left() + 20, base - 2), 2, 2);
        p.drawLine(QPointF(r.left() + 1, base - 7), QPointF(r.left() + 4, base - 7));
    },
    [](QPainter &p, const QRectF &r) { // the end
        drawCentredLines(p, r, {QStringLiteral("THE"), QStringLiteral("END")}, font(8, true), kPencil);
    },
};

// ---- the cave of the About box ---------------------------------------

// The cave is drawn in these colours only (the gradients run between them),
// and they are its share of the sixteen.
namespace cave {
const QColor kDeep(22, 18, 32);
const QColor kCeiling(30, 24, 34);
const QColor kWall(38, 32, 40);
const QColor kBack(44, 48, 70);
const QColor kRidge(52, 62, 84);
const QColor kGlowOuter(66, 90, 114);
const QColor kGlowMiddle(90, 124, 146);
const QColor kGlowCore(112, 152, 172);
const QColor kFloor(58, 50, 56);
const QColor kCrystal(70, 190, 180);
const QColor kAll[] = {kDeep, kCeiling, kWall, kBack, kRidge, kGlowOuter, kGlowMiddle, kGlowCore, kFloor, kCrystal};
} // namespace cave

QPolygonF jagged(QRandomGenerator &random, QPointF from, QPointF to, int steps, qreal roughness)
{
    QPolygonF edge;
    for (int i = 0; i <= steps; ++i) {
        const qreal t = qreal(i) / steps;
        QPointF at = from + (to - from) * t;
        if (i > 0 && i < steps)
            at += QPointF(random.bounded(2 * roughness) - roughness, random.bounded(2 * roughness) - roughness);
        edge << at;
    }
    return edge;
}

void drawCave(QPainter &p)
{
    QRandomGenerator random(1001);
    const qreal w = 380;
    const qreal h = 180;
    p.setRenderHint(QPainter::Antialiasing);

    // The far chamber, lit faintly through an opening behind the figure.
    QLinearGradient back(0, 0, 0, h);
    back.setColorAt(0.0, cave::kDeep);
    back.setColorAt(0.6, cave::kBack);
    back.setColorAt(1.0, cave::kCeiling);
    p.fillRect(QRectF(0, 0, w, h), back);

    QRadialGradient glow(QPointF(205, 92), 120);
    glow.setColorAt(0.0, cave::kGlowCore);
    glow.setColorAt(0.45, cave::kGlowOuter);
    glow.setColorAt(1.0, QColor(cave::kBack.red(), cave::kBack.green(), cave::kBack.blue(), 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QPointF(205, 92), 170, 95);

    // Distant rock ridges inside the glow.
    p.setBrush(cave::kRidge);
    QPolygonF ridge = jagged(random, QPointF(40, 112), QPointF(340, 110), 18, 6);
    ridge << QPointF(340, h) << QPointF(40, h);
    p.drawPolygon(ridge);

    // Ceiling with stalactites.
    QPolygonF ceiling;
    ceiling << QPointF(0, 0) << QPointF(w, 0);
    for (int i = 24; i >= 0; --i) {
        const qreal x = w * i / 24;
        const qreal base = 34 + 10 * std::sin(i * 0.9) + random.bounded(6.0);
        ceiling << QPointF(x + 6, base);
        if (i % 3 == 1)
            ceiling << QPointF(x + 1, base + 16 + random.bounded(22.0));
        ceiling << QPointF(x - 4, base + random.bounded(4.0));
    }
    p.setBrush(cave::kCeiling);
    p.drawPolygon(ceiling);

    // Side walls.
    QPolygonF left = jagged(random, QPointF(0, 20), QPointF(0, h), 1, 0);
    left << jagged(random, QPointF(70, h), QPointF(38, 20), 12, 7);
    p.setBrush(cave::kWall);
    p.drawPolygon(left);
    QPolygonF right = jagged(random, QPointF(w, 20), QPointF(w, h), 1, 0);
    right << jagged(random, QPointF(318, h), QPointF(346, 20), 12, 7);
    p.drawPolygon(right);

    // Glowing crystals on the left wall.
    p.setBrush(cave::kCrystal);
    for (const QPointF at : {QPointF(30, 84), QPointF(44, 98), QPointF(22, 104), QPointF(334, 90)}) {
        p.drawPolygon(QPolygonF({at + QPointF(0, -9), at + QPointF(3, 0), at + QPointF(0, 3), at + QPointF(-3, 0)}));
    }

    // Floor: uneven ground, rocks and stalagmites.
    QPolygonF floor = jagged(random, QPointF(0, 118), QPointF(w, 116), 20, 3);
    floor << QPointF(w, h) << QPointF(0, h);
    p.setBrush(cave::kFloor);
    p.drawPolygon(floor);
    p.setBrush(cave::kDeep);
    for (const QPointF at : {QPointF(90, 125), QPointF(130, 121), QPointF(300, 124), QPointF(170, 128)}) {
        p.drawEllipse(at, 9 + random.bounded(6.0), 3 + random.bounded(2.0));
    }
    for (const QPointF at : {QPointF(108, 118), QPointF(285, 117), QPointF(150, 117)}) {
        const qreal tall = 14 + random.bounded(14.0);
        p.drawPolygon(QPolygonF({at + QPointF(-6, 2), at + QPointF(0, -tall), at + QPointF(6, 2)}));
    }
}

// ---- the help pictures -----------------------------------------------

QImage help(Robot::Eyes eyes)
{
    QImage image = filled(QSize(360, 256), fromWord(colours::kWindow));
    QPainter p(&image);
    Robot robot(kHelpFigureBase, kHelpFigureHeight);
    robot.setEyes(eyes);
    robot.draw(p);
    return image;
}

} // namespace

QImage emptyScene()
{
    QImage image = filled(QSize(127, 127), Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawCentredLines(p, QRectF(0, 0, 127, 127), {QStringLiteral("[empty]")}, font(14), Qt::black);
    return image;
}

QImage emptyPreview()
{
    QImage image = filled(QSize(183, 200), QColor(33, 49, 49));
    QPainter p(&image);
    drawCentredLines(p, QRectF(0, 0, 183, 200), {QStringLiteral("[empty]")}, font(16), Qt::white);
    return image;
}

QImage nineLayout()
{
    QImage image = filled(QSize(100, 100), QColor(236, 236, 228));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (int i = 0; i < 9; ++i) {
        const QRectF cell(3 + 32 * (i % 3), 3 + 32 * (i / 3), 30, 30);
        p.setPen(Qt::NoPen);
        p.setBrush(Qt::white);
        p.drawRect(cell);
        p.save();
        p.setClipRect(cell);
        kSketches[i](p, cell);
        p.restore();
        p.setPen(QPen(QColor(30, 30, 30), 1));
        p.setBrush(Qt::NoBrush);
        p.drawRect(cell.adjusted(0.5, 0.5, -0.5, -0.5));
    }
    return image;
}

QImage laterRelease()
{
    QImage image = filled(QSize(100, 100), Qt::white);
    QPainter p(&image);
    drawCentredLines(p, QRectF(0, 0, 100, 100),
                     {QStringLiteral("Available"), QStringLiteral("in a later"), QStringLiteral("release")},
                     font(13), Qt::black);
    return image;
}

QImage caveLit()
{
    // Sixteen colours shared out by hand: left to one palette, the cave's
    // dim blues would swallow the figure's blue, and the figure's navy would
    // creep into the dark rock.
    QImage rocks = filled(QSize(380, 180), Qt::black);
    {
        QPainter p(&rocks);
        drawCave(p);
    }
    Robot robot(kCaveFigureBase, kCaveFigureHeight);
    robot.setEyes(Robot::Eyes::Open);
    QImage figure = transparent(rocks.deviceIndependentSize().toSize());
    {
        QPainter p(&figure);
        robot.draw(p);
    }
    QImage both = rocks;
    {
        QPainter p(&both);
        p.drawImage(0, 0, figure);
    }
    QList<QRgb> rock;
    for (const QColor &c : cave::kAll)
        rock.append(c.rgb());
    const QList<QRgb> all = rock + paletteOf(figure, 16 - int(rock.size()));
    QImage image = toIndexedDithered(rocks, rock, 20);
    image.setColorTable(all);
    const QImage lit = toIndexed(both, all);
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if (qAlpha(figure.pixel(x, y)) > 0)
                image.setPixel(x, y, uint(lit.pixelIndex(x, y)));
        }
    }
    return image;
}

QImage caveDark()
{
    QImage image = filled(QSize(380, 180), Qt::black);
    {
        QPainter p(&image);
        drawCave(p);
        // The lamp has gone out: the same cave, barely there.
        p.fillRect(image.rect(), QColor(0, 0, 6, 214));
        Robot robot(kCaveFigureBase, kCaveFigureHeight);
        robot.drawEyesInDark(p);
    }
    return image;
}

QImage helpAsleep()
{
    return help(Robot::Eyes::Shut);
}

QImage helpAwake()
{
    return help(Robot::Eyes::Open);
}

} // namespace artwork::stored
