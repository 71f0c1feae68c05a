#pragma once

#include "printing/Sheet.h"

#include <array>

class PictureLoader;

namespace board {
class SceneBoard;
class ScriptListAccess;
class WorkBuffer;
} // namespace board

// The five print sheets. They hold what the print dialogue last put in them
// and live until the main window closes.
class PrintSheets
{
public:
    enum class Id { FromForm, FromFormGraphics, FromFormText, AllPictures, AllScript };

    PrintSheets();

    Sheet &sheet(Id id) { return m_sheets[std::size_t(id)]; }
    const Sheet &sheet(Id id) const { return m_sheets[std::size_t(id)]; }

    Sheet &ActualPrintFromForm() { return sheet(Id::FromForm); }
    Sheet &ActualPrintFromFormGRAPHICS() { return sheet(Id::FromFormGraphics); }
    Sheet &ActualPrintFromFormTEXT() { return sheet(Id::FromFormText); }
    Sheet &ActualPrintFormALLPICTURES() { return sheet(Id::AllPictures); }
    Sheet &ActualPrintFormALLSCRIPT() { return sheet(Id::AllScript); }

    // The single-line border of the eleven sheet pictures.
    void setPictureBorders(bool on);

    // Fills all five from the main window's board and the script list.
    // RichTextBox1 is the print dialogue's buffer the page start is read in.
    // Pictures are decoded again from their files at print size; a file that
    // cannot be read keeps the picture the main window shows.
    void fill(const board::SceneBoard &main, board::ScriptListAccess &list, board::WorkBuffer &RichTextBox1,
              PictureLoader *loader);

    // The scene number the page starts at, read out of the first scene label.
    static int PageStartScene(const QString &firstLabel, board::WorkBuffer &RichTextBox1);

private:
    void fillScriptRows(int start, board::ScriptListAccess &list);
    void setRow(int row, const QString &text);

    std::array<Sheet, 5> m_sheets;
};
