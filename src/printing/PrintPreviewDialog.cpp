#include "printing/PrintPreviewDialog.h"

#include "board/SceneBoard.h"
#include "board/ScriptListAccess.h"
#include "desktop/WindowPolicy.h"
#include "interfaces/Dialogs.h"
#include "interfaces/PrinterDialog.h"
#include "printing/PrintJob.h"
#include "printing/PrintModes.h"
#include "printing/PrintPlan.h"
#include "printing/PrintTexts.h"
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
#include <QProgressDialog>
#include <QPushButton>
#include <QRadioButton>

namespace {
using texts::text;
} // namespace

PrintPreviewDialog::~PrintPreviewDialog() = default;

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
    Image1->setAccessibleName(text(kImage1Name));

    Text1 = new QPlainTextEdit(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twips::rect(kText1Place.left, kText1Place.top, kText1Place.width, kText1Place.height));
    Text1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Text1->setReadOnly(true);
    palette::setBackground(Text1, colours::kWhite);
    Text1->setAccessibleName(text(kText1Name));

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
    connect(&m_nextReady, &QFutureWatcher<void>::finished, this, &PrintPreviewDialog::printNextPage);
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
    // What the other board pages print from, as they were at this moment.
    m_board = BoardSnapshot{main.hasBoard() ? main.scenePictures() : QStringList(), scriptList.entries(),
                            main.Amounted.toInt(), main.BordersAreOn.toBool()};
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
// here without a word; pages already sent stay printed. A PDF that cannot be
// written says so once, and leaves any older file of its name as it was.
void PrintPreviewDialog::printSelectedMode()
{
    PrinterDialog *printerDialog = m_platform.printer;
    if (!printerDialog || m_job)
        return;
    int mode = 0;
    while (mode < 5 && !Option1[mode]->isChecked())
        ++mode;
    // A page mode's document is the whole board; "Current page" is the page shown.
    const QList<printplan::Page> current = printplan::boardPage(mode, m_board.currentPage);
    const QList<printplan::Page> document = printmodes::printsPages(printmodes::kModes[mode]) && m_board.pages() > 0
                                                ? printplan::document(mode, m_board.pages())
                                                : current;
    PrinterDialog::Choice choice = printerDialog->choosePrinter(this, int(document.size()), document != current);
    if (!choice.printer || choice.copies < 1)
        return;
    // Every choice of the dialogue is honoured here, the printer itself makes
    // one copy of each page.
    const QList<printplan::Page> pages = printplan::copied(
        choice.currentPage ? current : printplan::range(document, choice.fromPage, choice.toPage), choice.copies,
        choice.collate, choice.reverse);
    if (pages.isEmpty())
        return;

    m_printer = std::move(choice.printer);
    m_job = std::make_unique<PrintJob>(pages, m_board, m_sheets, *m_platform.loader);
    const QString pdf = m_printer->outputFormat() == QPrinter::PdfFormat ? m_printer->outputFileName() : QString();
    if (!(pdf.isEmpty() ? m_job->begin(*m_printer) : m_job->begin(pdf, m_printer->pageLayout(), m_printer->resolution()))) {
        endJob(false);
        return;
    }
    if (m_job->steps() > 1) {
        OKButton->setEnabled(false);
        m_progress = new QProgressDialog(this);
        m_progress->setWindowTitle(text(texts::kAppTitle));
        m_progress->setCancelButtonText(text(texts::kCancel));
        m_progress->setRange(0, m_job->steps());
        m_progress->setMinimumDuration(0);
        m_progress->setAutoReset(false);
        m_progress->setAutoClose(false);
        m_progress->setLabelText(text(printdialog::kPrintingPage).arg(1).arg(m_job->steps()));
        connect(m_progress, &QProgressDialog::canceled, this, [this] { endJob(false); });
        m_progress->show();
        m_nextReady.setFuture(m_job->nextReady());
        return;
    }
    while (m_job && !m_job->atEnd())
        printNextPage();
    if (m_job)
        endJob(true);
}

// One board page, once its pictures are decoded; the next decodes meanwhile.
void PrintPreviewDialog::printNextPage()
{
    if (!m_job)
        return;
    if (!m_job->printNext()) {
        endJob(false);
        return;
    }
    if (!m_progress)
        return;
    if (m_job->atEnd()) {
        endJob(true);
        return;
    }
    m_progress->setValue(m_job->stepsDone());
    m_progress->setLabelText(text(printdialog::kPrintingPage).arg(m_job->stepsDone() + 1).arg(m_job->steps()));
    m_nextReady.setFuture(m_job->nextReady());
}

void PrintPreviewDialog::endJob(bool finished)
{
    if (!m_job)
        return;
    const bool written = finished && m_job->finish();
    const bool writeFailed = m_job->writeFailed();
    const QString why = m_job->writeFailure();
    const bool unconfirmed = written && m_job->unconfirmed();
    const bool missed = written && m_job->missedPictures();
    const QString missedWhy = missed ? m_job->missedReason() : QString();
    // Cancelled or failed: a PDF leaves nothing behind; a printer gets what
    // was sent.
    m_job.reset();
    m_printer.reset();
    if (m_progress) {
        m_progress->disconnect(this);
        m_progress->deleteLater();
    }
    OKButton->setEnabled(true);
    if (writeFailed)
        m_platform.messages->show(this, texts::withReason(texts::kSaveError, why));
    if (unconfirmed)
        m_platform.messages->show(this, texts::withReason(texts::kPrintedUnconfirmed, why));
    if (missed)
        m_platform.messages->show(this, texts::withReason(texts::kMissingPicture, missedWhy));
}

void PrintPreviewDialog::CancelButton_Click()
{
    close();
}
