#pragma once

#include <cstdint>

// Colours are kept as the colour word 0x00BBGGRR (blue in the high byte), the
// form every window table gives them in.
using ColourWord = std::uint32_t;

namespace colours {
inline constexpr ColourWord kWhite = 0x00FFFFFF;
inline constexpr ColourWord kGrey = 0x00C0C0C0;     // disabled page button, scene labels
inline constexpr ColourWord kLightRed = 0x008080FF; // "page >>" on page 60 of a full board
inline constexpr ColourWord kWindow = 0x00E0E0E0;   // window and button backgrounds
inline constexpr ColourWord kPanel = 0x00808080;    // view panel
inline constexpr ColourWord kBlack = 0x00000000;
inline constexpr ColourWord kGreyText = 0x00808080; // caption of a disabled control

constexpr int red(ColourWord c) { return int(c & 0xFF); }
constexpr int green(ColourWord c) { return int((c >> 8) & 0xFF); }
constexpr int blue(ColourWord c) { return int((c >> 16) & 0xFF); }
} // namespace colours
