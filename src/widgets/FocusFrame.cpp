#include "widgets/FocusFrame.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QPainter>
#include <QProxyStyle>
#include <QStyleOption>

namespace {

// The desktop's style, with the focus drawn by our frame alone: the style's
// own focus marks (a faint outline, or the tint it shares with default
// buttons) are left out.
class FocusStyle : public QProxyStyle
{
public:
    using QProxyStyle::QProxyStyle;

    // The option as the style draws it when the control has no keyboard.
    template <typename Option>
    static Option withoutFocus(const Option &option)
    {
        Option plain(option);
        plain.state &= ~State_HasFocus;
        return plain;
    }

    void drawPrimitive(PrimitiveElement element, const QStyleOption *option, QPainter *painter,
                       const QWidget *widget) const override
    {
        switch (element) {
        case PE_FrameFocusRect:
            focusframe::paint(*painter, option->rect);
            return;
        case PE_PanelButtonCommand:
            if (const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option)) {
                const QStyleOptionButton plain = withoutFocus(*button);
                QProxyStyle::drawPrimitive(element, &plain, painter, widget);
                return;
            }
            break;
        case PE_FrameLineEdit:
            if (const auto *frame = qstyleoption_cast<const QStyleOptionFrame *>(option)) {
                const QStyleOptionFrame plain = withoutFocus(*frame);
                QProxyStyle::drawPrimitive(element, &plain, painter, widget);
                if (frame->state & State_HasFocus)
                    focusframe::paint(*painter, option->rect);
                return;
            }
            break;
        case PE_Frame:
            // A focused text box or list: its frame becomes the focus frame.
            QProxyStyle::drawPrimitive(element, option, painter, widget);
            if (qobject_cast<const QAbstractScrollArea *>(widget) && widget->hasFocus())
                focusframe::paint(*painter, option->rect);
            return;
        default:
            break;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

    void drawComplexControl(ComplexControl control, const QStyleOptionComplex *option, QPainter *painter,
                            const QWidget *widget) const override
    {
        QProxyStyle::drawComplexControl(control, option, painter, widget);
        if (control == CC_ComboBox && (option->state & State_HasFocus))
            focusframe::paint(*painter, option->rect);
    }

    void drawControl(ControlElement element, const QStyleOption *option, QPainter *painter,
                     const QWidget *widget) const override
    {
        // Around the whole button, not its caption alone.
        const auto *button = qstyleoption_cast<const QStyleOptionButton *>(option);
        if (element == CE_PushButton && button && (button->state & State_HasFocus)) {
            const QStyleOptionButton plain = withoutFocus(*button);
            QProxyStyle::drawControl(element, &plain, painter, widget);
            focusframe::paint(*painter, option->rect.adjusted(1, 1, -1, -1));
            return;
        }
        QProxyStyle::drawControl(element, option, painter, widget);
    }
};

} // namespace

namespace focusframe {

void paint(QPainter &painter, const QRect &rect, int width)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setBrush(Qt::NoBrush);
    // Rings of whole pixels: a pen of width 1 covers the pixels right and below its line.
    for (int i = 0; i <= width; ++i) {
        painter.setPen(i < width ? Qt::black : Qt::white);
        painter.drawRect(rect.adjusted(i, i, -i - 1, -i - 1));
    }
    painter.restore();
}

void install()
{
    if (!dynamic_cast<FocusStyle *>(QApplication::style()))
        QApplication::setStyle(new FocusStyle(QApplication::style()->name()));
}

} // namespace focusframe
