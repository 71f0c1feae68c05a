#include "platform/QtWindowSystem.h"

#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {
void placeFrame(QWidget *window, QSize screen)
{
    const QSize frame = window->frameGeometry().size();
    window->move(std::max(0, (screen.width() - frame.width()) / 2), std::max(0, (screen.height() - frame.height()) / 2));
}

// The frame a window manager puts around a window is known only after the
// window is shown; the first move that brings it centres the window again.
class FramePlacer : public QObject
{
public:
    FramePlacer(QWidget *window, QSize screen) : QObject(window), m_window(window), m_screen(screen)
    {
        setObjectName(QStringLiteral("FramePlacer"));
        window->installEventFilter(this);
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (watched == m_window && event->type() == QEvent::Move && m_window->isVisible()
            && m_window->frameGeometry().size() != m_window->size()) {
            m_window->removeEventFilter(this);
            placeFrame(m_window, m_screen);
            deleteLater();
        }
        return false;
    }

private:
    QWidget *m_window;
    QSize m_screen;
};
} // namespace

void QtWindowSystem::centre(QWidget *window, QSize screen)
{
    if (!window)
        return;
    placeFrame(window, screen);
    if (!window->findChild<QObject *>(QStringLiteral("FramePlacer"), Qt::FindDirectChildrenOnly))
        new FramePlacer(window, screen);
}

void QtWindowSystem::setEnabled(QWidget *window, bool enabled)
{
    if (window)
        window->setEnabled(enabled);
}

void QtWindowSystem::makeTopmost(QWidget *window)
{
    if (window)
        window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}
