#include "desktop/StayOnTop.h"

#include <QApplication>
#include <QWidget>

#include <algorithm>

namespace stacking {

void StayOnTop(QWidget *window)
{
    window->setWindowFlag(Qt::WindowStaysOnTopHint, true);
}

void keepAboveTopmost(QWidget *window)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    if (std::any_of(windows.begin(), windows.end(), [window](const QWidget *w) {
            return w != window && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
        }))
        StayOnTop(window);
}

} // namespace stacking
