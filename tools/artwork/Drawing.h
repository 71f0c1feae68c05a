#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPointF>
#include <QRectF>
#include <QSize>
#include <QStringList>

class QPainter;

namespace artwork {

// One family for every word we draw, so that the pictures come out the same
// on every machine that has it.
QFont font(qreal pixelSize, bool bold = false);

// Every picture below is made at `scale` times its size with that device
// pixel ratio, so the same drawing code paints the @2x renderings. 1 by default.
void setScale(qreal scale);

// An opaque picture filled with one colour.
QImage filled(QSize size, QColor colour);

// A transparent picture for icons and pointers.
QImage transparent(QSize size);

// Lines of text, each centred horizontally, the block centred vertically.
void drawCentredLines(QPainter &painter, const QRectF &area, const QStringList &lines,
                      const QFont &font, QColor colour);

// The yellow smiling face that stands for a picture on the print symbols.
void drawSmiley(QPainter &painter, QPointF centre, qreal radius);

} // namespace artwork
