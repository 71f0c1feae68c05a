#pragma once

#include <QByteArray>
#include <QMargins>
#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

class QWindow;

// What the desktop session means for our windows.
namespace session {

// The Qt platform to ask for before the application exists. On a Wayland
// session with an X server beside it (XWayland) that is X11, where the
// windows stay on top, are placed and measured as designed; Wayland stays
// the fallback should the X server not answer. A platform the user chose
// (QT_QPA_PLATFORM, -platform) is kept. Empty: let Qt choose.
QByteArray platformFor(const QProcessEnvironment &environment, const QStringList &arguments);

// Sets QT_QPA_PLATFORM from platformFor() for this process; call it first in main().
void choosePlatform(int argc, char *argv[]);

// Whether the program runs on Qt's Wayland platform.
bool isWayland();

// The margins of the decorations Qt draws itself around `frame` on
// `platformName` (Wayland without a server-side frame): they take room a
// window manager's frame would take outside the window, so the layout
// measures the inner area as if they were not there. None elsewhere.
QMargins ownDecorations(const QString &platformName, QMargins frame);
QMargins ownDecorations(const QWindow *window);

} // namespace session
