#pragma once

#include <QSize>

class QWidget;

// Window-level calls the windows make on the system: enabling a whole window
// (it then takes no mouse or keyboard input) and putting one in the topmost band.
class WindowSystem
{
public:
    virtual ~WindowSystem() = default;
    virtual void setEnabled(QWidget *window, bool enabled) = 0;
    // Call before the window is first shown, so it neither flickers nor moves.
    virtual void makeTopmost(QWidget *window) = 0;
    // Centres the window with its frame on a screen of `screen` pixels, its
    // title bar never above the top. Call before it is shown; a window
    // manager's frame, known only once it is shown, is taken into account then.
    virtual void centre(QWidget *window, QSize screen) = 0;
};
