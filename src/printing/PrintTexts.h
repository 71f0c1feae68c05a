#pragma once

// The print dialogue's captions and its layout, in twips.
namespace printdialog {

inline constexpr char kCaption[] = "Print Preview";
inline constexpr char kPrintSetup[] = "Print Setup";
inline constexpr char kClose[] = "Close";
// What a screen reader reads for the preview's picture and script.
inline constexpr char kImage1Name[] = "Current view";
inline constexpr char kText1Name[] = "Script of the current view";
// The progress of a job of more than one board page.
inline constexpr char kPrintingPage[] = "Printing page %1 of %2";

inline constexpr int kClientWidth = 6525;
inline constexpr int kClientHeight = 2880;

struct Place
{
    int left, top, width, height;
};

inline constexpr Place kImage1Place = {120, 120, 1695, 1965};
inline constexpr Place kText1Place = {120, 2040, 1935, 735};
// Single modes on the left, page modes on the right; each symbol level with its option.
inline constexpr Place kOptionPlaces[6] = {
    {2160, 120, 1575, 495}, {2160, 840, 1575, 495}, {2160, 1560, 1575, 495},
    {4440, 120, 1575, 495}, {4440, 840, 1575, 495}, {4440, 1560, 1575, 495},
};
inline constexpr Place kSymbolPlaces[6] = {
    {3720, 120, 480, 480}, {3720, 840, 480, 480}, {3720, 1560, 480, 480},
    {6000, 120, 480, 480}, {6000, 840, 480, 480}, {6000, 1560, 480, 480},
};
inline constexpr Place kOKButtonPlace = {3840, 2280, 1215, 375};
inline constexpr Place kCancelButtonPlace = {5160, 2280, 1215, 375};

} // namespace printdialog
