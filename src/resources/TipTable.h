#pragma once

#include "resources/Texts.h"

#include <array>
#include <string_view>

// Tool tips the options window switches on and off, in the order it applies
// them. Switched off, each becomes the empty text.
namespace tips {

enum class Window { Form1, ScriptEditor };

struct Tip
{
    Window window;
    const char *control; // design name; "Image1" stands for all nine scene boxes
    const char *text;
};

inline constexpr std::array<Tip, 9> kTips{{
    {Window::Form1, "Image1", "Jump to scene"},
    {Window::Form1, "Command1", "Last scene"},
    {Window::Form1, "Command2", "Next scene"},
    {Window::Form1, "Command3", "Close scene"},
    {Window::ScriptEditor, "Command1", "Transcribe"},
    {Window::ScriptEditor, "Command3", "Get a script"},
    {Window::ScriptEditor, "Command4", "Save current script"},
    {Window::ScriptEditor, "Command2", "Return to Quorvadine"},
    {Window::ScriptEditor, "ScriptTextBox", "Click into : edit scene"},
}};

// The text of one control's tip when tips are on; empty for a control not in the table.
constexpr const char *tipFor(Window window, std::string_view control)
{
    for (const Tip &tip : kTips) {
        if (tip.window == window && control == tip.control)
            return tip.text;
    }
    return "";
}

// The main window sets the scene-box tip itself at start-up; both must agree.
static_assert(std::string_view(texts::kJumpToScene) == tipFor(Window::Form1, "Image1"));

} // namespace tips
