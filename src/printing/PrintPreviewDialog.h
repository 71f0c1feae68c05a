#pragma once

#include "board/WorkBuffer.h"
#include "interfaces/Platform.h"
#include "printing/PrintSheets.h"

#include <QDialog>
#include <QFutureWatcher>
#include <QPointer>
#include <QProgressDialog>

#include <array>
#include <memory>

class ImageBox;
class PrintJob;
class QPlainTextEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace board {
class SceneBoard;
class ScriptListAccess;
} // namespace board

// The print dialogue: a preview of the current scene, the six print modes
// and "Print Setup". It fills the print sheets when it opens and prints the
// selected mode's sheets, once per copy, through the printer dialogue. In a
// page mode the printer dialogue's range covers the whole board; printing
// more than one board page shows its progress, and can be cancelled, while
// the main window stays usable.
class PrintPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    // The sheets are the main window's: they outlive the dialogue.
    PrintPreviewDialog(const Platform &platform, PrintSheets &sheets, QWidget *parent);
    ~PrintPreviewDialog() override;

    // Opening steps; run once, before the dialogue is first shown.
    void Form_Load(const board::SceneBoard &main, board::ScriptListAccess &scriptList);

    ImageBox *Image1 = nullptr;
    QPlainTextEdit *Text1 = nullptr;
    std::array<QRadioButton *, 6> Option1{};
    std::array<ImageBox *, 6> Picture2{};
    QPushButton *OKButton = nullptr;
    QPushButton *CancelButton = nullptr;
    // Hidden: the page start is read in it.
    board::WorkBuffer RichTextBox1;

    void OKButton_Click();
    void CancelButton_Click();

    // The progress of a job of more than one board page while it prints.
    QProgressDialog *progress() const { return m_progress; }

private:
    void printSelectedMode();
    void printNextPage();
    void endJob(bool finished);

    Platform m_platform;
    PrintSheets &m_sheets;
    BoardSnapshot m_board;
    std::unique_ptr<QPrinter> m_printer;
    std::unique_ptr<PrintJob> m_job;
    QPointer<QProgressDialog> m_progress;
    QFutureWatcher<void> m_nextReady;
};
