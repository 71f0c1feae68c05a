#pragma once

#include <QString>

// Every caption and message of the main window and the layout choice, once.
// The texts are the program's own, odd spellings included: users and their
// stored files know them.
namespace texts {

// The literals are UTF-8; every window shows them through this.
inline QString text(const char *literal) { return QString::fromUtf8(literal); }
// A message, and on a second line why, when that is known: the design's
// one line says what failed, the reason tells a broken file from an
// unsupported one.
inline QString withReason(const char *message, const QString &why)
{
    return why.isEmpty() ? text(message) : text(message) + u'\n' + why;
}

inline constexpr char kAppTitle[] = "Quorvadine";
inline constexpr char kMainCaption[] = "Quorvadine v1.0";

inline constexpr char kLoadError[] = "An error occured during loading. This is a bad thing.";
inline constexpr char kSaveError[] = "An error occured during saving. This is a bad thing.";
// When the new file took the old one's place but its folder's sync failed.
inline constexpr char kSavedUnconfirmed[] =
    "The scripts were saved, but the disk did not confirm it: the file may not survive a power cut.";
// The same for a PDF printed.
inline constexpr char kPrintedUnconfirmed[] =
    "The PDF was written, but the disk did not confirm it: the file may not survive a power cut.";
// Asked before a new board or the end of the run throws written scripts away.
inline constexpr char kUnsavedScripts[] =
    "Scripts have been written since the last Save or Load. Save them to a script file first? "
    "(No throws them away.)";
// Asked at start when the last run ended before its written scripts were saved.
inline constexpr char kRecoverScripts[] =
    "Quorvadine stopped last time before the scripts written were saved. Open those pictures with "
    "their scripts again? (No throws them away.)";
// At start, for a recovery copy that could not be read whole, with the name
// it was kept under (%1) and the reason on a second line.
inline constexpr char kRecoveryUnreadable[] =
    "The recovery copy of scripts written before Quorvadine stopped could not be read. It is kept as %1.";
inline constexpr char kRecoveryPicturesOnly[] =
    "The recovery copy of scripts written before Quorvadine stopped could not be read, only the pictures they "
    "belong to. It is kept as %1. Open those pictures again?";
inline constexpr char kTooFew[] = "Requirement: At least 9 images";
inline constexpr char kTooMany[] =
    "Limit reached: v1.0 max limit for images = 540. To work around this limitation, "
    "use multiple instances of Quorvadine.exe simultaneously.";
inline constexpr char kMissingPicture[] =
    "Graphic resource original non-figured(load path or name changed). "
    "Switching such scenes to [empty] resource";

inline constexpr char kUnsupportedResolution[] =
    "Unsupported resolution: Program will continue with formatting shifts. To continue without shifts, "
    "either swap desktop resolution or run this application in the default 'windowed' view. "
    "Supported resolutions = 640 x 480, 800 x 600, 1024 x 768.";

inline constexpr char kOpenPicturesTitle[] = "Open multiple images...";
inline constexpr char kPictureFilter[] =
    "Image Format (*.bmp)|*.bmp|Jpegs (*.jpg)|*.jpg|Gif Files (*.gif)|*.gif";

inline constexpr char kEmptyLabel[] = "Sc: -empty-";
inline constexpr char kLabelPrefix[] = "Sc:";
inline constexpr char kTotalDesign[] = "Total Images =";
inline constexpr char kTotalPrefix[] = "Total Images= ";
inline constexpr char kPageDesign[] = "Page: 0";
inline constexpr char kPagePrefix[] = "Page: ";
inline constexpr char kNoView[] = "-no view loaded-";
inline constexpr char kNoScript[] = "-no script loaded-\n";
inline constexpr char kCurrentViewPrefix[] = "Current View: ";
inline constexpr char kEndMarker[] = "+++.+++";
inline constexpr char kJumpToScene[] = "Jump to scene";

// What a screen reader reads for the controls that show no caption of their own.
inline constexpr char kSceneName[] = "Scene %1"; // a scene box, by its scene's number
inline constexpr char kPageOf[] = "Page %1 of %2";
inline constexpr char kPreviewName[] = "Current view";
inline constexpr char kLogoName[] = "About Quorvadine";
inline constexpr char kSceneTextName[] = "Script of the current view";
inline constexpr char kCloseUpName[] = "Close-up of the current view";

// Layout choice window.
inline constexpr char kLayoutCaption[] = "Layout choice:";
inline constexpr char kNinePerPage[] = "9  per page";
inline constexpr char kEighteenPerPage[] = "18 per page";
inline constexpr char kThirtySixPerPage[] = "36 per page";
inline constexpr char kMinAmount[] = "Must load min amount as per choice";
inline constexpr char kCancel[] = "Cancel";

} // namespace texts
