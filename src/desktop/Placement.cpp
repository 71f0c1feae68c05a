#include "desktop/Placement.h"

#include <QMargins>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace placement {

// A frame is known only once a window is shown; the window manager frames
// ours alike, so the owner's window's stands for it.
void centreOnScreenOf(QWidget *window, const QWidget *owner)
{
    const QWidget *main = owner->window();
    const QScreen *screen = main->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry(), outer = main->frameGeometry(), inner = main->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    QRect placed(QPoint(), window->size().grownBy(frame));
    placed.moveCenter(area.center());
    // The client area's place: a move() would mean the frame's only while no
    // native window exists, and a message box has one by the time its size is known.
    const QPoint frameAt(std::max(placed.left(), area.left()), std::max(placed.top(), area.top()));
    window->setGeometry(QRect(frameAt + QPoint(frame.left(), frame.top()), window->size()));
}

} // namespace placement
