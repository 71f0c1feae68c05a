#pragma once

#include <QFont>

// Every window design is laid out for an 8 point face; larger faces cut the
// captions of the narrow buttons and labels off.
namespace designfont {
inline QFont of(QFont font)
{
    font.setPointSizeF(8);
    return font;
}
} // namespace designfont
