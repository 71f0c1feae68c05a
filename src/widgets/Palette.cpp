#include "widgets/Palette.h"

#include <QAbstractButton>
#include <QWidget>

namespace palette {

namespace {
constexpr QPalette::ColorRole kCaptionRoles[] = {QPalette::WindowText, QPalette::ButtonText, QPalette::Text};

bool isButton(const QWidget *widget) { return qobject_cast<const QAbstractButton *>(widget) != nullptr; }

// The design colours are those of a usable control. A disabled button greys
// its caption so it never looks usable; the grey is fixed, as the design's
// backgrounds are (the style's own grey vanishes on a grey button). Labels
// and text boxes keep their colours in every state.
void greyWhenDisabled(QPalette &p)
{
    for (QPalette::ColorRole role : kCaptionRoles)
        p.setColor(QPalette::Disabled, role, toColor(colours::kGreyText));
}
} // namespace

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
    if (isButton(widget))
        greyWhenDisabled(p);
    widget->setPalette(p);
    widget->setAutoFillBackground(true);
}

void setForeground(QWidget *widget, ColourWord word)
{
    QPalette p = widget->palette();
    const QColor color = toColor(word);
    for (QPalette::ColorRole role : kCaptionRoles)
        p.setColor(role, color);
    if (isButton(widget))
        greyWhenDisabled(p);
    widget->setPalette(p);
}

ColourWord background(const QWidget *widget)
{
    return toWord(widget->palette().color(QPalette::Active, isButton(widget) ? QPalette::Button : QPalette::Window));
}

ColourWord foreground(const QWidget *widget)
{
    return toWord(widget->palette().color(QPalette::Active, QPalette::WindowText));
}

} // namespace palette
