#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>
#include <QPoint>

// The pictures compiled into the program. Every image comes back ready to
// draw (RGB32, or ARGB32_Premultiplied where it has transparency).
namespace resources {

// Where the magnifier pointer points: the middle of its lens.
inline constexpr QPoint kMagnifierHotSpot{12, 12};

// Bitmap by its number: 101 blank scene, 2000 blank preview, 2001 and 2005
// layout choice, 1000 and 1001 About box, 2003 and 2004 help window.
// Any other number gives a null image.
QImage storedBitmap(int number);

// The program icon at 32, 48 and 256 pixels.
QIcon appIcon();

// The 32 x 32 icon of the About box.
QImage iconImage();

// The 32 x 32 symbol beside print mode 0..5; null for any other mode.
QImage printSymbol(int mode);

// The wordmark above the big preview, 185 x 27.
QImage logo();

// The magnifying-glass pointer of the big preview. Needs a QGuiApplication.
QCursor magnifierCursor();

} // namespace resources
