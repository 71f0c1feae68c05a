#pragma once

#include "printing/PrintSheets.h"

#include <array>

// The six print modes of the print dialogue and the sheets each prints, in
// the order they come out of the printer.
namespace printmodes {

struct Mode
{
    const char *caption;
    std::array<PrintSheets::Id, 2> sheets;
    int sheetCount;
};

using Id = PrintSheets::Id;

inline constexpr Mode kModes[6] = {
    {"Single Image + Script", {Id::FromForm, Id::FromForm}, 1},
    {"Single Image only", {Id::FromFormGraphics, Id::FromFormGraphics}, 1},
    {"Single Script only", {Id::FromFormText, Id::FromFormText}, 1},
    {"Page Images + Scripts", {Id::AllPictures, Id::AllScript}, 2},
    {"Page Images only", {Id::AllPictures, Id::AllPictures}, 1},
    {"Page Scripts only", {Id::AllScript, Id::AllScript}, 1},
};

// The "Page" modes print the sheets of board pages, the others the current scene's.
constexpr bool printsPages(const Mode &mode)
{
    return mode.sheets[0] == Id::AllPictures || mode.sheets[0] == Id::AllScript;
}

} // namespace printmodes
