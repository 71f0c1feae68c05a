#include "desktop/Session.h"

#include <QGuiApplication>
#include <QWindow>

namespace session {

namespace {
bool isWaylandName(const QString &platformName)
{
    return platformName.startsWith(QLatin1String("wayland"));
}
} // namespace

QByteArray platformFor(const QProcessEnvironment &environment, const QStringList &arguments)
{
    const auto set = [&](const char *name) { return !environment.value(QLatin1String(name)).isEmpty(); };
    const bool wayland = set("WAYLAND_DISPLAY")
                         || environment.value(QStringLiteral("XDG_SESSION_TYPE")) == QLatin1String("wayland");
    const bool chosen = set("QT_QPA_PLATFORM") || arguments.contains(QLatin1String("-platform"))
                        || arguments.contains(QLatin1String("--platform"));
    return wayland && set("DISPLAY") && !chosen ? QByteArrayLiteral("xcb;wayland") : QByteArray();
}

void choosePlatform(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    const QByteArray platform = platformFor(QProcessEnvironment::systemEnvironment(), arguments);
    if (!platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", platform);
}

QMargins ownDecorations(const QString &platformName, QMargins frame)
{
    return isWaylandName(platformName) ? frame : QMargins();
}

bool isWayland()
{
    return isWaylandName(QGuiApplication::platformName());
}

QMargins ownDecorations(const QWindow *window)
{
    return window ? ownDecorations(QGuiApplication::platformName(), window->frameMargins()) : QMargins();
}

} // namespace session
