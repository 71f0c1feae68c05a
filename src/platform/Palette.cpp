#include "platform/Palette.h"

#include <QAbstractButton>
#include <QWidget>

namespace palette {

ColourWord toWord(const QColor &color)
{
    return ColourWord(color.red()) | (ColourWord(color.green()) << 8) | (ColourWord(color.blue()) << 16);
}

void setBackground(QWidget *widget, ColourWord word)
{
    QPalette p = widget->palette();
    const QColor color = toColor(word);
    p.setColor(QPalette::Window, color);
    p.setColor(QPalette::Button, color);
    p.setColor(QPalette::Base, color);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void setForeground(QWidget *widget, ColourWord word)
{
    QPalette p = widget->palette();
    const QColor color = toColor(word);
    p.setColor(QPalette::WindowText, color);
    p.setColor(QPalette::ButtonText, color);
    p.setColor(QPalette::Text, color);
    widget->setPalette(p);
}

ColourWord background(const QWidget *widget)
{
    const bool button = qobject_cast<const QAbstractButton *>(widget) != nullptr;
    return toWord(widget->palette().color(button ? QPalette::Button : QPalette::Window));
}

ColourWord foreground(const QWidget *widget)
{
    return toWord(widget->palette().color(QPalette::WindowText));
}

} // namespace palette
