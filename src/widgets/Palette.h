#pragma once

#include "resources/Colours.h"

#include <QColor>

class QWidget;

namespace palette {
inline QColor toColor(ColourWord word) { return QColor(colours::red(word), colours::green(word), colours::blue(word)); }
ColourWord toWord(const QColor &color);
// Background (and, for buttons, button face) of one widget.
void setBackground(QWidget *widget, ColourWord word);
void setForeground(QWidget *widget, ColourWord word);
// The design colours: those of the enabled state.
ColourWord background(const QWidget *widget);
ColourWord foreground(const QWidget *widget);
} // namespace palette
