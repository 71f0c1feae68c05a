#include "printing/PrintPreviewDialog.h"

#include "board/SceneBoard.h"
#include "desktop/WindowPolicy.h"
#include "interfaces/Dialogs.h"
#include "interfaces/PrinterDialog.h"
#include "printing/PrintModes.h"
#include "printing/PrintTexts.h"
#include "printing/SheetPrinter.h"
#include "resources/StoredBitmaps.h"
#include "resources/Texts.h"
#include "widgets/DesignFont.h"
#include "widgets/ImageBox.h"
#include "widgets/OptionButton.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QList>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>

namespace {
using texts::text;
} // namespace

PrintPreviewDialog::PrintPreviewDialog(const Platform &platform, PrintSheets &sheets, QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint)
    , m_platform(platform)
    , m_sheets(sheets)
{
    using namespace printdialog;
    setObjectName(QStringLiteral("PrintPreviewDialog"));
    setAttribute(Qt::WA_DeleteOnClose);
    // The main window takes no input until "Print Setup" or the dialogue closes.
    setWindowModality(Qt::WindowModal);
    setWindowTitle(text(kCaption));
    setFont(designfont::of(font()));
    palette::setBackground(this, colours::kWindow);
    setFixedSize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight));

    Image1 = new ImageBox(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips::rect(kImage1Place.left, kImage1Place.top, kImage1Place.width, kImage1Place.height));
    Image1->setBorder(true);

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twips::rect(kText1Place.left, kText1Place.top, kText1Place.width, kText1Place.height));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setReadOnly(true);
    palette::setBackground(Text1, colours::kWhite);

    for (int i = 0; i < 6; ++i) {
        const Place &o = kOptionPlaces[i];
        Option1[i] = new OptionButton(text(printmodes::kModes[i].caption), this);
        Option1[i]->setObjectName(QStringLiteral("Option1"));
        Option1[i]->setProperty("index", i);
        Option1[i]->setGeometry(twips::rect(o.left, o.top, o.width, o.height));
        Option1[i]->setAutoFillBackground(true);
        palette::setBackground(Option1[i], colours::kGrey);
        palette::setForeground(Option1[i], colours::kBlack);

        const Place &p = kSymbolPlaces[i];
        Picture2[i] = new ImageBox(this);
        Picture2[i]->setObjectName(QStringLiteral("Picture2"));
        Picture2[i]->setProperty("index", i);
        Picture2[i]->setGeometry(twips::rect(p.left, p.top, p.width, p.height));
        Picture2[i]->setPicture(Picture{resources::printSymbol(i), QString(), 0});
    }
    Option1[0]->setChecked(true);

    auto push = [this](const char *name, const char *caption, const Place &place) {
        auto *b = new QPushButton(text(caption), this);
        b->setObjectName(QLatin1String(name));
        b->setGeometry(twips::rect(place.left, place.top, place.width, place.height));
        palette::setBackground(b, colours::kWindow);
        return b;
    };
    OKButton = push("OKButton", kPrintSetup, kOKButtonPlace);
    CancelButton = push("CancelButton", kClose, kCancelButtonPlace);
    OKButton->setDefault(true);

    connect(OKButton, &QPushButton::clicked, this, &PrintPreviewDialog::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &PrintPreviewDialog::CancelButton_Click);
}

void PrintPreviewDialog::Form_Load(const board::SceneBoard &main, board::ScriptListAccess &scriptList)
{
    RichTextBox1.Left = board::SceneBoard::kParked;

    Text1->setPlainText(main.SceneText);

    m_sheets.setPictureBorders(main.BordersAreOn.toBool());
    // Print-size pictures take a while to decode: the hourglass meanwhile.
    m_platform.pointer->setBusy(true);
    // The scene's own file at the preview's device pixels, as the close-up does.
    Image1->setPicture(board::atSize(*m_platform.loader, main.BigPreview, Image1->size() * devicePixelRatio()));
    m_sheets.fill(main, scriptList, RichTextBox1, m_platform.loader);
    m_platform.pointer->setBusy(false);
}

void PrintPreviewDialog::OKButton_Click()
{
    // The main window is usable from here on, while the dialogue stays open where it is.
    if (windowModality() != Qt::NonModal)
        windowpolicy::setModality(this, Qt::NonModal);
    printSelectedMode();
}

// Cancelling the printer dialogue and every printer failure end printing
// here without a word; pages already sent stay printed.
void PrintPreviewDialog::printSelectedMode()
{
    PrinterDialog *printerDialog = m_platform.printer;
    if (!printerDialog)
        return;
    // The sheets of one copy, in print order.
    QList<PrintSheets::Id> copy;
    for (int index = 0; index <= 5; ++index) {
        if (!Option1[index]->isChecked())
            continue;
        const printmodes::Mode &mode = printmodes::kModes[index];
        for (int s = 0; s < mode.sheetCount; ++s)
            copy.append(mode.sheets[std::size_t(s)]);
    }
    PrinterDialog::Choice choice = printerDialog->choosePrinter(this, int(copy.size()));
    if (!choice.printer)
        return;
    const int m = choice.copies;
    if (m < 1)
        return;
    // Every choice of the dialogue is honoured here, the printer itself makes
    // one copy of each page: the page range counts the sheets of one copy.
    if (choice.fromPage >= 1 && choice.toPage >= choice.fromPage)
        copy = copy.mid(choice.fromPage - 1, choice.toPage - choice.fromPage + 1);
    if (choice.reverse)
        std::reverse(copy.begin(), copy.end());
    QList<PrintSheets::Id> pages;
    for (int k = 0; k < m * copy.size(); ++k)
        pages.append(choice.collate ? copy.at(k % copy.size()) : copy.at(k / m));
    if (pages.isEmpty())
        return;

    SheetPrinter printer(*choice.printer);
    if (!printer.begin())
        return;
    for (PrintSheets::Id id : std::as_const(pages)) {
        if (!printer.print(m_sheets.sheet(id)))
            return;
    }
    printer.end();
}

void PrintPreviewDialog::CancelButton_Click()
{
    close();
}
