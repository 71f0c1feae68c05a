#pragma once

#include "resources/Colours.h"

#include <array>

// The Script Editor's window design: captions, places in twips, colours and
// tool tips, read by the window and by its tests.
namespace scriptdesign {

inline constexpr char kCaption[] = "Script Editor";
inline constexpr int kClientWidth = 8250;
inline constexpr int kClientHeight = 4725;
inline constexpr ColourWord kBackground = colours::kWindow;
inline constexpr ColourWord kLightYellow = 0x00C0FFFF;
inline constexpr ColourWord kDarkBlue = 0x00C00000;

inline constexpr char kScenePrefix[] = "Scene: ";
inline constexpr char kLoadTitle[] = "Load a script";
inline constexpr char kSaveTitle[] = "Save a script";
inline constexpr char kFilter[] = "File Format (*.ScE)|*.ScE|";
// What a screen reader reads for the list and the Edit bay (its caption is spaced out).
inline constexpr char kListName[] = "Scene scripts";
inline constexpr char kEditBayName[] = "Edit bay";

struct Control
{
    const char *name;
    int left, top, width, height;
    const char *caption;
    ColourWord background, foreground;
};

inline constexpr std::array<Control, 8> kControls{{
    {"List1", 120, 120, 6255, 4545, "", kLightYellow, colours::kBlack},
    {"Label1", 6480, 120, 1695, 255, "E d i t    B a y", colours::kGrey, colours::kBlack},
    {"ScriptIndexLabel", 6480, 360, 1695, 255, "", colours::kGrey, kDarkBlue},
    {"ScriptTextBox", 6480, 600, 1695, 2655, "", colours::kWhite, colours::kBlack},
    {"Command1", 6480, 3320, 1695, 495, "<--write to scene", kLightYellow, colours::kBlack},
    {"Command3", 6480, 3900, 855, 375, "Load", colours::kWindow, colours::kBlack},
    {"Command4", 7440, 3900, 735, 375, "Save", colours::kWindow, colours::kBlack},
    {"Command2", 6480, 4320, 1695, 315, "Close", colours::kWindow, colours::kBlack},
}};

// The design's tips. The options window switches them to the tip table's
// texts (board/TipTable.h) or to none; only Close differs: its design tip
// says "central", the table's not.
struct Tip
{
    const char *control;
    const char *first;
};

inline constexpr std::array<Tip, 5> kToolTips{{
    {"Command1", "Transcribe"},
    {"Command3", "Get a script"},
    {"Command4", "Save current script"},
    {"Command2", "Return to Quorvadine central"},
    {"ScriptTextBox", "Click into : edit scene"},
}};

} // namespace scriptdesign
