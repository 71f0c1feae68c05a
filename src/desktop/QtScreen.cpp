#include "desktop/QtScreen.h"

#include <QGuiApplication>
#include <QScreen>

QSize QtScreen::size() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    return screen ? screen->size() : QSize(1024, 768);
}
