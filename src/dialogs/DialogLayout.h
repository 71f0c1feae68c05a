#pragma once

#include <array>

// Window designs of the options window, the help window and the About box,
// in twips from the top left of the client area.
namespace dialoglayout {

struct Size
{
    int width, height;
};

struct Place
{
    const char *name;
    int index; // element of a control array; -1 for a single control
    int left, top, width, height;
};

struct LinePlace
{
    const char *name;
    int x1, y1, x2, y2;
};

// The help texts take a half point less than the window's face: the longest
// need nine lines at 8 points, and Text1 holds eight.
inline constexpr double kHelpTextPoints = 7.5;

inline constexpr Size kOptionsClient{4095, 4695};
inline constexpr int kSchemeTop = 2160; // option row k lies at kSchemeTop + kSchemeStep * k
inline constexpr int kSchemeStep = 360;

inline constexpr std::array<Place, 24> kOptionsPlaces{{
    {"Check0", -1, 120, 240, 3855, 375},
    {"Check1", -1, 120, 720, 3855, 375},
    {"Check2", -1, 120, 1200, 3855, 375},
    {"Shape1", -1, 120, 1680, 3855, 2295},
    {"Label1", 10, 120, 1680, 1815, 255},
    {"Label2", -1, 120, 1680, 15, 2295},
    {"Option1", 0, 240, kSchemeTop + kSchemeStep * 0, 255, 255},
    {"Option1", 1, 240, kSchemeTop + kSchemeStep * 1, 255, 255},
    {"Option1", 2, 240, kSchemeTop + kSchemeStep * 2, 255, 255},
    {"Option1", 3, 240, kSchemeTop + kSchemeStep * 3, 255, 255},
    {"Option1", 4, 240, kSchemeTop + kSchemeStep * 4, 255, 255},
    {"Option1", 5, 1440, 4320, 255, 255},
    {"Label1", 0, 720, kSchemeTop + kSchemeStep * 0, 975, 255},
    {"Label1", 1, 720, kSchemeTop + kSchemeStep * 1, 975, 255},
    {"Label1", 2, 720, kSchemeTop + kSchemeStep * 2, 975, 255},
    {"Label1", 3, 720, kSchemeTop + kSchemeStep * 3, 975, 255},
    {"Label1", 4, 720, kSchemeTop + kSchemeStep * 4, 975, 255},
    {"Label1", 5, 1920, kSchemeTop + kSchemeStep * 0, 1815, 255},
    {"Label1", 6, 1920, kSchemeTop + kSchemeStep * 1, 1815, 255},
    {"Label1", 7, 1920, kSchemeTop + kSchemeStep * 2, 1815, 255},
    {"Label1", 8, 1920, kSchemeTop + kSchemeStep * 3, 1815, 255},
    {"Label1", 9, 1920, kSchemeTop + kSchemeStep * 4, 1815, 255},
    {"Command1", -1, 1800, 4200, 1215, 375},
    {"cmdOK", -1, 3120, 4200, 855, 375},
}};

inline constexpr Size kHelpClient{5385, 3840};

inline constexpr std::array<Place, 6> kHelpPlaces{{
    {"List1", -1, 120, 120, 2535, 3570},
    {"Text1", -1, 2880, 240, 2295, 1725},
    {"Command1", -1, 4320, 3120, 855, 495},
    {"Label1", 0, 3600, 2400, 255, 255},
    {"Label1", 1, 3840, 2160, 255, 255},
    {"Label1", 2, 3360, 2040, 255, 255},
}};

// The speech bubble around Text1; its tail points down at the figure.
inline constexpr std::array<LinePlace, 6> kHelpLines{{
    {"Line1", 2760, 120, 2760, 2040},
    {"Line2", 2760, 120, 5280, 120},
    {"Line3", 5280, 120, 5280, 2040},
    {"Line4", 5280, 2040, 3720, 2760},
    {"Line5", 2760, 2040, 4560, 2040},
    {"Line6", 4560, 2040, 3720, 2760},
}};

inline constexpr Size kAboutClient{5730, 2400};

inline constexpr std::array<Place, 6> kAboutPlaces{{
    {"lblDescription", -1, 0, 45, 5700, 645},
    {"lblDisclaimer", -1, 0, 1965, 5700, 390},
    {"Picture1", -1, 0, 1980, 480, 375},
    {"lblVersion", -1, 480, 2040, 915, 195},
    {"Label1", -1, 2400, 2055, 1935, 255},
    {"cmdOK", -1, 4320, 2010, 1260, 315},
}};

} // namespace dialoglayout
