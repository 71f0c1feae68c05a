#include "Icons.h"

#include "Drawing.h"

#include "resources/Colours.h"
#include "resources/StoredBitmaps.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>

namespace artwork::icons {
namespace {

// The nine scene frames on their board, as tools/icons draws the program
// icon on its 32-unit grid.
void drawBoard(QPainter &p, qreal unit, QPointF origin, bool withBoard)
{
    p.save();
    p.translate(origin);
    p.scale(unit, unit);
    p.setRenderHint(QPainter::Antialiasing);
    if (withBoard) {
        QLinearGradient shade(0, 0, 32, 32);
        shade.setColorAt(0, QColor(64, 120, 225));
        shade.setColorAt(1, QColor(22, 48, 135));
        p.setPen(QPen(QColor(12, 28, 80), 1));
        p.setBrush(shade);
        p.drawRoundedRect(QRectF(1.5, 1.5, 29, 29), 6, 6);
    }
    p.setPen(Qt::NoPen);
    for (int i = 0; i < 9; ++i) {
        const QRectF cell(6 + 7 * (i % 3), 6 + 7 * (i / 3), 6, 6);
        p.setBrush(i == 4 ? QColor(255, 206, 0) : QColor(240, 246, 255));
        p.drawRect(cell);
    }
    p.restore();
}

// A sheet of paper with its top right corner folded over.
void drawSheet(QPainter &p)
{
    const QPolygonF sheet({QPointF(3.5, 0.5), QPointF(23.5, 0.5), QPointF(28.5, 5.5), QPointF(28.5, 31.5),
                           QPointF(3.5, 31.5)});
    p.setPen(QPen(QColor(96, 96, 96), 1));
    p.setBrush(Qt::white);
    p.drawPolygon(sheet);
    p.setBrush(QColor(216, 216, 216));
    p.drawPolygon(QPolygonF({QPointF(23.5, 0.5), QPointF(23.5, 5.5), QPointF(28.5, 5.5)}));
}

// "abc" in a pixel font of our own: at this size a real font blurs into grey.
// Each glyph is three pixels wide; rows run from the top of the "b".
constexpr const char *kGlyphs[3][7] = {
    {"...", "...", "XX.", "..X", ".XX", "X.X", ".XX"},
    {"X..", "X..", "XX.", "X.X", "X.X", "X.X", "XX."},
    {"...", "...", ".XX", "X..", "X..", "X..", ".XX"},
};

// One line of letters, centred on the sheet, its top at top.
void drawLetters(QPainter &p, int top, int scale = 1)
{
    const int width = (3 * 3 + 2) * scale;
    const int left = 16 - width / 2;
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    for (int g = 0; g < 3; ++g) {
        for (int row = 0; row < 7; ++row) {
            for (int col = 0; col < 3; ++col) {
                if (kGlyphs[g][row][col] == 'X')
                    p.drawRect(left + (g * 4 + col) * scale, top + row * scale, scale, scale);
            }
        }
    }
    p.restore();
}

} // namespace

QImage printSymbol(int mode)
{
    QImage image = transparent(QSize(32, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    drawSheet(p);
    switch (mode) {
    case 0: // Single Image + Script
        drawLetters(p, 5);
        drawSmiley(p, QPointF(16, 21.5), 7);
        break;
    case 1: // Single Image only
        drawSmiley(p, QPointF(16, 16.5), 9);
        break;
    case 2: // Single Script only
        drawLetters(p, 9, 2);
        break;
    case 3: // Page Images + Scripts
        drawSmiley(p, QPointF(10.5, 9.5), 4.5);
        drawSmiley(p, QPointF(20.5, 9.5), 4.5);
        drawLetters(p, 15);
        drawLetters(p, 23);
        break;
    case 4: // Page Images only
        drawSmiley(p, QPointF(16, 9.5), 6);
        drawSmiley(p, QPointF(16, 23), 6);
        break;
    case 5: // Page Scripts only
        drawLetters(p, 8);
        drawLetters(p, 18);
        break;
    default:
        return {};
    }
    return image;
}

QImage logo()
{
    QImage image = filled(QSize(185, 27),
                          QColor(colours::red(colours::kPanel), colours::green(colours::kPanel),
                                 colours::blue(colours::kPanel)));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawBoard(p, 27 / 32.0, QPointF(2, 0), true);

    const QFont mark = font(23, true);
    const QRectF text(33, 0, 150, 26);
    p.setFont(mark);
    p.setPen(QColor(40, 40, 48));
    p.drawText(text.translated(1, 1), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvadine"));
    p.setPen(Qt::white);
    p.drawText(text, Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Quorvadine"));
    return image;
}

QImage magnifier()
{
    QImage image = transparent(QSize(32, 32));
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    const QPointF lens = resources::kMagnifierHotSpot;
    const qreal radius = 8;

    // A white edge around everything, so the pointer shows on dark pictures.
    const QPointF handleFrom = lens + QPointF(radius * 0.72, radius * 0.72);
    const QPointF handleTo(28.5, 28.5);
    p.setPen(QPen(Qt::white, 7, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleFrom, handleTo);
    p.setPen(QPen(Qt::white, 4.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(lens, radius, radius);

    p.setPen(QPen(QColor(20, 20, 20), 4.5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(handleFrom, handleTo);
    p.setPen(QPen(QColor(20, 20, 20), 2));
    p.setBrush(QColor(190, 225, 255, 110));
    p.drawEllipse(lens, radius, radius);

    QPainterPath shine;
    const QRectF inner(lens.x() - radius + 3, lens.y() - radius + 3, 2 * radius - 6, 2 * radius - 6);
    shine.arcMoveTo(inner, 100);
    shine.arcTo(inner, 100, 70);
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(shine);
    return image;
}

} // namespace artwork::icons
