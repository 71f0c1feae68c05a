#pragma once

#include "board/WorkBuffer.h"
#include "interfaces/Platform.h"

#include <QDialog>

#include <array>

class ImageBox;
class PrintSheets;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace board {
class SceneBoard;
class ScriptListAccess;
} // namespace board

// The print dialogue: a preview of the current scene, the six print modes
// and "Print Setup". It fills the print sheets when it opens and prints the
// selected mode's sheets, once per copy, through the printer dialogue.
class PrintPreviewDialog : public QDialog
{
    Q_OBJECT
public:
    // The sheets are the main window's: they outlive the dialogue.
    PrintPreviewDialog(const Platform &platform, PrintSheets &sheets, QWidget *parent);

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

private:
    void printSelectedMode();
    Platform m_platform;
    PrintSheets &m_sheets;
};
