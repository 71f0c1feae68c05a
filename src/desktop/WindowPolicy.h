#pragma once

#include <QObject>

class QWidget;

// How our windows behave on the desktop, declared once for all of them. The
// main window makes one; from then on it acts on every window of ours as the
// window is shown:
// - the Script Editor, the print dialogue, the options window and the help
//   window stay on top (`StayOnTop`);
// - every other window but the main window and the close-up joins them while
//   one of them is shown, so that it never opens behind one;
// - a window shows the first time centred, with its frame, on the work area
//   of the main window's screen;
// - a desktop's own dialog, which cannot join the band, opens above it: the
//   band steps aside while that dialog is open.
class WindowPolicy : public QObject
{
public:
    explicit WindowPolicy(QWidget *main);
    ~WindowPolicy() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_main;
};

namespace windowpolicy {

// Puts `window` in the topmost band (the window manager's "above" layer where
// the platform has one, X11; elsewhere a window simply stays above the one
// that owns it), without moving or resizing it.
void StayOnTop(QWidget *window);

// Shows `window`, or only brings it to the front when it is shown already.
void show(QWidget *window);

// Raises `window` and asks for the keyboard for it, unless a modal window
// blocks it: the window system would only mark it as wanting attention.
void bringToFront(QWidget *window);

// Gives a shown window another modality where it stands. Qt takes a modality
// only when a window is shown, and showing it again would let the window
// system place it anew.
void setModality(QWidget *window, Qt::WindowModality modality);

} // namespace windowpolicy
