#include "platform/QtDialogOwner.h"

#include <QApplication>
#include <QSettings>
#include <QWidget>
#include <QWindow>

#include <algorithm>

namespace qtdialogs {

void own(QWidget *dialog, QWidget *owner)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    const bool topmostOpen = std::any_of(windows.begin(), windows.end(), [dialog](const QWidget *w) {
        return w != dialog && w->isVisible() && w->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
    });
    if (topmostOpen)
        dialog->setWindowFlag(Qt::WindowStaysOnTopHint, true);
    if (!owner || !owner->window()->windowHandle())
        return;
    dialog->winId();
    dialog->windowHandle()->setTransientParent(owner->window()->windowHandle());
}

void keepNoSettings()
{
    // No folder can be made below a device file, so Qt finds the store
    // unwritable and writes nothing, not even as root.
    const QString nowhere = QStringLiteral("/dev/null/quorvadine");
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, nowhere);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, nowhere);
    // The desktop's GTK dialog keeps its window size and sort order in the
    // desktop's settings store (dconf, in the configuration folder); in
    // memory they last for the run. Read when the store is first used, which
    // on X11 is the first dialog.
    qputenv("GSETTINGS_BACKEND", "memory");
}

} // namespace qtdialogs
