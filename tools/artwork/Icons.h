#pragma once

#include <QImage>

// The small pictures of the program that are not numbered bitmaps.
namespace artwork::icons {

// The symbol beside print mode 0..5: faces for pictures, "abc" for scripts.
QImage printSymbol(int mode);

// The wordmark above the big preview, 185 x 27, on the view panel's grey.
QImage logo();

// The magnifying-glass pointer of the big preview, 32 x 32.
QImage magnifier();

} // namespace artwork::icons
