#pragma once

#include "interfaces/PictureLoader.h"
#include "printing/Sheet.h"

#include <QStringList>

#include <array>

namespace board {
class SceneBoard;
class ScriptListAccess;
class WorkBuffer;
} // namespace board

// The board as the print dialogue found it when it opened: the sheets of
// pages other than the one shown are filled from it, as the main window
// would show those pages.
struct BoardSnapshot
{
    QStringList pictures; // every scene's file, scene 1 first
    QStringList entries;  // the script list, header included
    int currentPage = 1;  // the page shown; 0 for none (the command line)
    bool borders = true;
    int pages() const { return int((pictures.size() + 8) / 9); }
};

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
    // cannot be read prints as the blank scene picture.
    void fill(const board::SceneBoard &main, board::ScriptListAccess &list, board::WorkBuffer &RichTextBox1,
              PictureLoader *loader);

    // The pictures of board page `page` (from 1), as decoded for its sheets.
    static QList<PictureLoader::Request> pageRequests(const BoardSnapshot &board, int page);
    // The two page sheets as the main window would show board page `page`:
    // its labels, its pictures (`decoded`, in request order; a null one is a
    // file that could not be read) and the scripts that begin at its first scene.
    void fillPage(const BoardSnapshot &board, int page, const QList<QImage> &decoded);

    // The scene number the page starts at, read out of the first scene label.
    static int PageStartScene(const QString &firstLabel, board::WorkBuffer &RichTextBox1);

private:
    void fillScriptRows(int start, board::ScriptListAccess &list);
    void fillScriptRows(int start, const QStringList &entries);
    void setRow(int row, const QString &text);

    std::array<Sheet, 5> m_sheets;
};
