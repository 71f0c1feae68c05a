#pragma once

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
};
