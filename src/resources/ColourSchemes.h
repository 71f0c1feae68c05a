#pragma once

#include "resources/Colours.h"

#include <array>

// The five colour schemes of the options window and the default colouring,
// indexed by OptionOn. Scheme 0 is the default with its two colours swapped.
namespace schemes {

struct Scheme
{
    ColourWord sceneLabel; // the nine scene labels
    ColourWord window;     // the main window's background
};

inline constexpr int kDefault = 5;

inline constexpr std::array<Scheme, 6> kSchemes{{
    {0x00E0E0E0, 0x00C0C0C0},
    {0x00C0C0FF, 0x000000FF},
    {0x00C0FFC0, 0x0000C000},
    {0x00FFFFC0, 0x00C0C000},
    {0x00FFFFFF, 0x00FFFFFF},
    {0x00C0C0C0, 0x00E0E0E0}, // defaults: the main window's own colouring at start
}};

static_assert(kSchemes[kDefault].sceneLabel == colours::kGrey);
static_assert(kSchemes[kDefault].window == colours::kWindow);

} // namespace schemes
