#include "platform/EnterKey.h"

#include <QKeyEvent>
#include <QPushButton>
#include <QWidget>

namespace enterkey {

namespace {
bool usable(const QPushButton *button)
{
    return button && button->isEnabled() && button->isVisible();
}

// Sees only the key presses no control of the window took.
class Filter : public QObject
{
public:
    using QObject::QObject;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if ((key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter) || (key->modifiers() & ~Qt::KeypadModifier))
            return false;
        auto *window = static_cast<QWidget *>(watched);
        QPushButton *target = qobject_cast<QPushButton *>(window->focusWidget());
        if (!usable(target)) {
            target = nullptr;
            for (QPushButton *button : window->findChildren<QPushButton *>()) {
                if (button->isDefault() && usable(button)) {
                    target = button;
                    break;
                }
            }
        }
        if (!target)
            return false;
        target->click();
        return true;
    }
};
} // namespace

void install(QWidget *window)
{
    window->installEventFilter(new Filter(window));
}

} // namespace enterkey
