#include "desktop/QtMousePointer.h"

#include <QCursor>
#include <QGuiApplication>

void QtMousePointer::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QGuiApplication::restoreOverrideCursor();
}
