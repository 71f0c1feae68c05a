#include "platform/QtWindowSystem.h"

#include <QWidget>

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
