#pragma once

#include "printing/Sheet.h"
#include "resources/Colours.h"

#include <array>
#include <span>

// The five print sheets as designed: client areas and every box, in twips.
namespace sheets {

using Kind = SheetItem::Kind;

struct Place
{
    const char *name;
    int index; // -1 for a single control
    Kind kind;
    int left, top, width, height;
};

struct Design
{
    const char *name;
    int width, height;
    std::span<const Place> places;
};

inline constexpr char kTranscriptsHeading[] = "Scene Transcripts:";

inline constexpr Place kFromForm[] = {
    {"Image1", -1, Kind::Picture, 0, 0, 1965, 1965},
    {"Text1", -1, Kind::Text, 0, 2040, 1965, 4815},
};

inline constexpr Place kFromFormGraphics[] = {
    {"Image1", -1, Kind::Picture, 0, 0, 1965, 1965},
};

inline constexpr Place kFromFormText[] = {
    {"Text1", -1, Kind::Text, 0, 0, 1965, 6735},
};

// Grid position i: column i % 3, row i / 3, as the main window's scene boxes.
inline constexpr int kGridLefts[3] = {120, 2280, 4440};
inline constexpr int kGridLabelTops[3] = {0, 2400, 4800};
inline constexpr int kGridImageTops[3] = {240, 2640, 5040};
inline constexpr int kGridBox = 1965;
inline constexpr int kGridLabelHeight = 225;

inline constexpr Place kAllPictures[] = {
    {"SceneLabel", 0, Kind::Label, 120, 0, 1965, 225},
    {"SceneLabel", 1, Kind::Label, 2280, 0, 1965, 225},
    {"SceneLabel", 2, Kind::Label, 4440, 0, 1965, 225},
    {"SceneLabel", 3, Kind::Label, 120, 2400, 1965, 225},
    {"SceneLabel", 4, Kind::Label, 2280, 2400, 1965, 225},
    {"SceneLabel", 5, Kind::Label, 4440, 2400, 1965, 225},
    {"SceneLabel", 6, Kind::Label, 120, 4800, 1965, 225},
    {"SceneLabel", 7, Kind::Label, 2280, 4800, 1965, 225},
    {"SceneLabel", 8, Kind::Label, 4440, 4800, 1965, 225},
    {"ImageTest0", -1, Kind::Picture, 120, 240, 1965, 1965},
    {"ImageTest1", -1, Kind::Picture, 2280, 240, 1965, 1965},
    {"ImageTest2", -1, Kind::Picture, 4440, 240, 1965, 1965},
    {"ImageTest3", -1, Kind::Picture, 120, 2640, 1965, 1965},
    {"ImageTest4", -1, Kind::Picture, 2280, 2640, 1965, 1965},
    {"ImageTest5", -1, Kind::Picture, 4440, 2640, 1965, 1965},
    {"ImageTest6", -1, Kind::Picture, 120, 5040, 1965, 1965},
    {"ImageTest7", -1, Kind::Picture, 2280, 5040, 1965, 1965},
    {"ImageTest8", -1, Kind::Picture, 4440, 5040, 1965, 1965},
    {"Text2", -1, Kind::Text, 0, 7440, 3375, 525},
    {"Text1", 0, Kind::Text, 0, 8400, 9495, 915},
    {"Text1", 1, Kind::Text, 0, 9360, 9495, 735},
    {"Text1", 2, Kind::Text, 0, 10200, 9495, 735},
    {"Text1", 3, Kind::Text, 0, 11040, 9495, 735},
    {"Text1", 4, Kind::Text, 0, 11880, 9495, 735},
    {"Text1", 5, Kind::Text, 0, 12720, 9495, 735},
    {"Text1", 6, Kind::Text, 0, 13560, 9495, 735},
    {"Text1", 7, Kind::Text, 0, 14400, 9495, 735},
    {"Text1", 8, Kind::Text, 0, 15240, 9495, 735},
};

inline constexpr Place kAllScript[] = {
    {"Text2", -1, Kind::Text, 0, 0, 3375, 285},
    {"Text1", 0, Kind::Text, 0, 720, 9495, 615},
    {"Text1", 1, Kind::Text, 0, 1440, 9495, 615},
    {"Text1", 2, Kind::Text, 0, 2160, 9495, 615},
    {"Text1", 3, Kind::Text, 0, 2880, 9495, 615},
    {"Text1", 4, Kind::Text, 0, 3600, 9495, 615},
    {"Text1", 5, Kind::Text, 0, 4320, 9495, 615},
    {"Text1", 6, Kind::Text, 0, 5040, 9495, 615},
    {"Text1", 7, Kind::Text, 0, 5760, 9495, 615},
    {"Text1", 8, Kind::Text, 0, 6480, 9495, 615},
};

// Indexed by PrintSheets::Id.
inline constexpr Design kDesigns[] = {
    {"ActualPrintFromForm", 1965, 6735, kFromForm},
    {"ActualPrintFromFormGRAPHICS", 1965, 1980, kFromFormGraphics},
    {"ActualPrintFromFormTEXT", 1965, 6735, kFromFormText},
    {"ActualPrintFormALLPICTURES", 6495, 16005, kAllPictures},
    {"ActualPrintFormALLSCRIPT", 9600, 7200, kAllScript},
};

} // namespace sheets
