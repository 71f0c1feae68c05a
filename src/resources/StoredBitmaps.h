#pragma once

#include <QCursor>
#include <QIcon>
#include <QImage>

// The pictures stored in the program, by the numbers the windows know them by.
namespace resources {
QImage storedBitmap(int number); // null for an unknown number
QIcon appIcon();
QImage iconImage();              // 32 x 32
QImage printSymbol(int mode);    // 0..5, 32 x 32
QImage logo();
QCursor magnifierCursor();
} // namespace resources
