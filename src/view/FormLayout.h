#pragma once

#include <array>

// The main window's fixed layouts for 640 x 480, 800 x 600 and 1024 x 768, in
// twips. Only the scene grid and the view panel move; row 0 keeps its design
// tops and column 0 its design left in every layout.
namespace layout {

struct Column
{
    std::array<int, 3> lefts;       // columns 0, 1, 2 (images and labels)
    std::array<int, 3> imageTops;   // rows 0, 1, 2
    std::array<int, 3> labelTops;
    int imageWidth, imageHeight;
    int frameLeft, frameWidth;
};

inline constexpr Column kSmall{{120, 2280, 4440}, {240, 2400, 4560}, {20, 2190, 4360}, 1965, 1965, 6480, 3015};
inline constexpr Column kMedium{{120, 3080, 6040}, {240, 3000, 5760}, {20, 2775, 5535}, 2765, 2565, 8880, 3815};
inline constexpr Column kLarge{{120, 4230, 8340}, {240, 3818, 7446}, {20, 3593, 7221}, 4013, 3383, 12414, 4039};

inline constexpr int kLabelHeight = 225;
inline constexpr int kFrameTop = 0;
inline constexpr int kFrameHeight = 6495;

// Growth over the small layout.
inline constexpr int kMediumGrowWidth = 800, kMediumGrowHeight = 600, kMediumGrowFrame = 800;
inline constexpr int kLargeGrowWidth = 2048, kLargeGrowHeight = 1418, kLargeGrowFrame = 1024;

// Main window design: inner area and outer size.
inline constexpr int kInnerWidth = 9465, kInnerHeight = 6510;
inline constexpr int kOuterWidth = 9555, kOuterHeight = 7170;

// The view panel's controls, at the same places inside it in every layout.
struct Place
{
    const char *name;
    int left, top, width, height;
};
inline constexpr std::array<Place, 12> kFramePlaces{{
    {"PictureLabelLogo", 120, 0, 2775, 405},
    {"BigPreview", 120, 430, 2775, 3015},
    {"FatViewSceneLabel", 120, 3480, 2775, 225},
    {"SceneText", 120, 3720, 2775, 1335},
    {"Command1", 120, 5040, 1420, 375},
    {"Command2", 1515, 5040, 1380, 375},
    {"Command6", 120, 5400, 1420, 375},
    {"Command3", 1515, 5400, 1380, 375},
    {"Command5", 120, 5760, 855, 375},
    {"Command4", 2160, 5760, 735, 375},
    {"FrameTotal", 120, 6120, 2055, 255},
    {"PageCurrent", 2160, 6120, 735, 255},
}};

} // namespace layout

#include <QRect>
#include <QSize>

namespace layout {

// Where the grid and the view panel stand, in twips.
struct Geometry
{
    std::array<QRect, 9> images;
    std::array<QRect, 9> labels;
    QRect frame;
};

// Step 1 of every layout run: the small layout (row 0 and column 0 keep
// their design places).
Geometry smallLayout();
// Medium or large growth on top of what the geometry holds.
void grow(Geometry &geometry, const Column &column, int growWidth, int growHeight, int growFrame);

// The half-sizes as text, compared as text: "12000" sorts before "7680".
bool isMedium(const QString &text5);
bool isLarge(const QString &text5, const QString &text6);
bool needsAlert(const QString &text5, const QString &text6);
// Screens up to 1024 x 768 are the ones the layouts are made for. However
// much of one a window manager's frame takes, it is never called unsupported.
bool screenMayAlert(QSize screen);

} // namespace layout
