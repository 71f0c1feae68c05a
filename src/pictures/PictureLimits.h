#pragma once

#include <QtGlobal>

namespace picturelimits {

// Pictures claiming more pixels than this are refused as broken (a
// decompression bomb) before anything is allocated: a 100 megapixel
// picture is larger than any camera's, and a progressive JPEG needs about
// three bytes a pixel while it decodes, whatever size it is shown at.
constexpr qint64 kMaxPixels = 100'000'000;

} // namespace picturelimits
