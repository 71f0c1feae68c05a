#pragma once

class QWidget;

// The topmost band: the window manager's "above" layer where the platform
// has one (X11); elsewhere windows simply stay above the window that owns them.
namespace stacking {

// Puts `window` in the topmost band; call before it is first shown.
void StayOnTop(QWidget *window);

// Puts `window` in the band too while another window of ours is shown there,
// so it never opens behind one. Call before it is shown.
void keepAboveTopmost(QWidget *window);

} // namespace stacking
