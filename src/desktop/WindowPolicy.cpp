#include "desktop/WindowPolicy.h"

#include "desktop/Session.h"

#include <QApplication>
#include <QEvent>
#include <QGuiApplication>
#include <QMargins>
#include <QScreen>
#include <QWidget>
#include <QWindow>
#include <QtGui/private/qguiapplication_p.h>
#include <QtGui/qguiapplication_platform.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>

#if QT_CONFIG(xcb)
#include <xcb/xcb.h>
#endif

namespace {

enum class Band {
    Topmost, // in the band from its first showing
    Joins,   // in it when shown while a window of the band is
    Free,    // never: may go behind the main window
};

// Our windows by their design names; every window not named joins the band.
Band bandOf(const QWidget *window)
{
    const QString name = window->objectName();
    for (const char *topmost : {"ScriptEditor", "PrintPreviewDialog", "frmOptions", "Help"})
        if (name == QLatin1String(topmost))
            return Band::Topmost;
    return name == QLatin1String("Quorvadine") ? Band::Free : Band::Joins;
}

bool inBand(const QWidget *window)
{
    return window->windowFlags().testFlag(Qt::WindowStaysOnTopHint);
}

bool bandShown(const QWidget *besides)
{
    const QWidgetList windows = QApplication::topLevelWidgets();
    return std::any_of(windows.begin(), windows.end(),
                       [besides](const QWidget *w) { return w != besides && w->isVisible() && inBand(w); });
}

// The band leaves the window manager's "above" layer while a desktop's own
// dialog is open (it is modal: nothing else of ours takes input then), and
// comes back when it closes.
void stepAside(bool aside)
{
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && inBand(w) && w->windowHandle())
            w->windowHandle()->setFlag(Qt::WindowStaysOnTopHint, !aside);
    }
}

// A frame is known only once a window is shown; the window manager frames
// ours alike, so the main window's stands for it.
void centreOnScreenOf(QWidget *window, const QWidget *main)
{
    const QScreen *screen = main->screen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry(), outer = main->frameGeometry(), inner = main->geometry();
    const QMargins frame(inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
                         outer.bottom() - inner.bottom());
    QRect placed(QPoint(), window->size().grownBy(frame));
    placed.moveCenter(area.center());
    // The client area's place: a move() would mean the frame's only while no
    // native window exists.
    const QPoint frameAt(std::max(placed.left(), area.left()), std::max(placed.top(), area.top()));
    window->setGeometry(QRect(frameAt + QPoint(frame.left(), frame.top()), window->size()));
}

// The window manager's view of a modality, which Qt gives only when it maps
// a window: a window manager that sees a modal child gives it the keyboard
// whenever its parent is clicked.
void tellWindowManager(QWidget *window, bool modal)
{
#if QT_CONFIG(xcb)
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    xcb_connection_t *c = x11 && QGuiApplication::platformName() == QLatin1String("xcb") ? x11->connection() : nullptr;
    if (!c || !window->windowHandle())
        return;
    const auto atom = [c](const char *name) {
        xcb_intern_atom_reply_t *reply =
            xcb_intern_atom_reply(c, xcb_intern_atom(c, false, uint16_t(std::strlen(name)), name), nullptr);
        const xcb_atom_t found = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
        std::free(reply);
        return found;
    };
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = atom("_NET_WM_STATE");
    message.data.data32[0] = modal ? 1 : 0; // add or remove
    message.data.data32[1] = atom("_NET_WM_STATE_MODAL");
    message.data.data32[3] = 1; // asked by an application
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
    xcb_send_event(c, false, root, XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(c);
#else
    Q_UNUSED(window);
    Q_UNUSED(modal);
#endif
}

} // namespace

WindowPolicy::WindowPolicy(QWidget *main)
    : QObject(main)
    , m_main(main)
{
    qApp->installEventFilter(this);
}

WindowPolicy::~WindowPolicy()
{
    qApp->removeEventFilter(this);
}

bool WindowPolicy::eventFilter(QObject *watched, QEvent *event)
{
    if ((event->type() != QEvent::Show && event->type() != QEvent::Hide) || event->spontaneous()
        || !watched->isWidgetType() || watched == m_main)
        return false;
    auto *window = static_cast<QWidget *>(watched);
    const Qt::WindowType type = window->windowType();
    if (!window->isWindow() || (type != Qt::Window && type != Qt::Dialog && type != Qt::Tool))
        return false;
    // A desktop's own dialog shows in place of this one.
    if (window->testAttribute(Qt::WA_DontShowOnScreen)) {
        stepAside(event->type() == QEvent::Show);
        return false;
    }
    if (event->type() == QEvent::Hide)
        return false;
    const Band band = bandOf(window);
    if (band == Band::Topmost || (band == Band::Joins && bandShown(window)))
        windowpolicy::StayOnTop(window);
    // A Wayland compositor may give the keyboard to a window's child whenever
    // the window is clicked (weston gives it to the child shown last). A
    // window that leaves the main window usable is therefore no child there:
    // the main window takes the keyboard when clicked, at the price of
    // covering the window then.
    if (session::isWayland() && !window->isModal() && window->windowHandle()
        && window->windowHandle()->transientParent() == m_main->windowHandle())
        window->windowHandle()->setTransientParent(nullptr);
    // Placed once: it stays where the user leaves it.
    if (window->testAttribute(Qt::WA_Moved))
        return false;
    // Its own show step first: a message box takes its final size there.
    watched->event(event);
    centreOnScreenOf(window, m_main);
    return true;
}

namespace windowpolicy {

void StayOnTop(QWidget *window)
{
    // Past the widget, so that a window being shown is not made anew.
    window->overrideWindowFlags(window->windowFlags() | Qt::WindowStaysOnTopHint);
    if (QWindow *handle = window->windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, true);
}

void show(QWidget *window)
{
    window->show();
    bringToFront(window);
}

void bringToFront(QWidget *window)
{
    window->raise();
    // Blocked by a modal window (Qt's own rule, the one that keeps input
    // from it), it is not asked for.
    QWindow *handle = window->window()->windowHandle();
    if (!handle || !QGuiApplicationPrivate::instance()->isWindowBlocked(handle))
        window->activateWindow();
}

void setModality(QWidget *window, Qt::WindowModality modality)
{
    const bool wasModal = window->isModal();
    window->setWindowModality(modality);
    // Qt keeps its list of the modal windows that block others as windows
    // show and hide; the window joins or leaves it as a modal one would.
    QWindow *handle = window->windowHandle();
    if (!handle || !window->isVisible() || wasModal == window->isModal())
        return;
    if (window->isModal())
        QGuiApplicationPrivate::showModalWindow(handle);
    else
        QGuiApplicationPrivate::hideModalWindow(handle);
    tellWindowManager(window, window->isModal());
}

} // namespace windowpolicy
