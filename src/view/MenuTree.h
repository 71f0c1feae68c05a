#pragma once

#include <array>

// The main window's menu bar in display order. An entry with no caption is a
// separator line; `submenu` names the item an entry hangs under.
namespace menus {

struct Entry
{
    const char *menu;     // top-level menu name
    const char *submenu;  // nullptr, or the submenu item it belongs to
    const char *name;
    const char *caption;  // "-" for a separator
};

inline constexpr std::array<Entry, 4> kMenus{{
    {nullptr, nullptr, "mFile", "File"},
    {nullptr, nullptr, "mView", "View"},
    {nullptr, nullptr, "mTools", "Tools"},
    {nullptr, nullptr, "mHelp", "Help"},
}};

inline constexpr std::array<Entry, 21> kItems{{
    {"mFile", nullptr, "sOpen", "New Quorvadine"},
    {"mFile", nullptr, "seperator", "-"},
    {"mFile", nullptr, "sPrint", "Print..."},
    {"mFile", nullptr, "septherator", "-"},
    {"mFile", nullptr, "sExit", "Exit"},
    {"mView", nullptr, "sCloseUp", "Close Up Current"},
    {"mView", "sCloseUp", "sPosition1", "Position 1"},
    {"mView", "sCloseUp", "sPosition2", "Position 2"},
    {"mView", "sCloseUp", "sPosition3", "Position 3"},
    {"mView", "sCloseUp", "sPosition4", "Position 4"},
    {"mView", "sCloseUp", "sPosition5", "Position 5"},
    {"mView", "sCloseUp", "sPosition6", "Position 6"},
    {"mView", "sCloseUp", "sPosition7", "Position 7"},
    {"mView", "sCloseUp", "sPosition8", "Position 8"},
    {"mView", "sCloseUp", "sPosition9", "Position 9"},
    {"mView", nullptr, "seperator5", "-"},
    {"mView", nullptr, "sOptions", "Options"},
    {"mTools", nullptr, "sScriptEditor", "Script Editor"},
    {"mHelp", nullptr, "sHelp", "Help"},
    {"mHelp", nullptr, "captioned", "-"},
    {"mHelp", nullptr, "sAbout", "About Quorvadine"},
}};

} // namespace menus
