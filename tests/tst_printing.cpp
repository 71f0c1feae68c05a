// The print sheets and the print dialogue: what the sheets hold after the
// dialogue opens, and the pages that reach a real PDF file through the
// scripted printer dialogue.
#include "board/ScriptListAccess.h"
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/Palette.h"
#include "platform/SheetPrinter.h"
#include "platform/Twips.h"
#include "printing/PrintModes.h"
#include "printing/PrintPreviewDialog.h"
#include "printing/PrintSheets.h"
#include "printing/SheetDesigns.h"
#include "support/FakePlatform.h"
#include "support/ScriptListDouble.h"
#include "view/Form1.h"

#include <QAction>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

using RecordingScriptList = support::ScriptListDouble;

// A main window with a board of real (small, one colour each) pictures.
struct Rig
{
    QTemporaryDir dir;
    FakePlatform fake;
    std::unique_ptr<Form1> form;

    explicit Rig(int scenes, QSize pictureSize = QSize(40, 30))
    {
        QString answer = dir.path();
        QImage first;
        for (int k = 1; k <= scenes; ++k) {
            const QString name = QStringLiteral("s%1.jpg").arg(k);
            if (pictureSize.width() > 1000 && k > 1) {
                QFile::copy(dir.filePath(QStringLiteral("s1.jpg")), dir.filePath(name));
            } else {
                QImage image(pictureSize, QImage::Format_RGB32);
                image.fill(QColor::fromHsv((k * 37) % 360, 200, 220));
                if (pictureSize.width() > 1000)
                    detail(image);
                image.save(dir.filePath(name), "JPG", 90);
            }
            answer += u' ' + name;
        }
        form = std::make_unique<Form1>(fake.platform());
        form->start();
        fake.pictures.choose(answer);
        form->beginOption()->Command7_Click();
    }

    // Colour and detail all over, so a full-size picture would not shrink to
    // nothing in the PDF.
    static void detail(QImage &image)
    {
        QPainter painter(&image);
        QLinearGradient gradient(0, 0, image.width(), image.height());
        gradient.setColorAt(0, Qt::darkBlue);
        gradient.setColorAt(0.5, Qt::yellow);
        gradient.setColorAt(1, Qt::darkRed);
        painter.fillRect(image.rect(), gradient);
        painter.setPen(QPen(Qt::black, 3));
        for (int x = 0; x < image.width(); x += 40)
            painter.drawLine(x, 0, image.width() - x, image.height());
    }

    void toPage(int page)
    {
        for (int p = 1; p < page; ++p)
            form->board().Command4_Click();
    }

    // The fifth scene selected, as scene selection would leave it.
    void selectFifth(const QString &script)
    {
        board::SceneBoard &b = form->board();
        b.BigPreview = b.Image1[4].picture;
        b.SceneText = script;
        form->updateFromBoard();
    }

    PrintPreviewDialog *openDialog()
    {
        form->action("sPrint")->trigger();
        return form->printPreviewDialog();
    }
};

QStringList rows(const Sheet &sheet)
{
    QStringList result;
    for (int r = 0; r < 9; ++r)
        result << sheet.item(QStringLiteral("Text1"), r)->text;
    return result;
}

QStringList entries(int from, int to, int rowsTotal = 9)
{
    QStringList result;
    for (int n = from; n <= to; ++n)
        result << QStringLiteral("%1.-empty-").arg(n);
    while (result.size() < rowsTotal)
        result << QString();
    return result;
}

bool havePoppler()
{
    return !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
           && !QStandardPaths::findExecutable(QStringLiteral("pdfimages")).isEmpty();
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pageCount(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QSizeF pageSizePoints(const QString &pdf)
{
    const QString info = run(QStringLiteral("pdfinfo"), {pdf});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("Page size:\\s+([\\d.]+) x ([\\d.]+) pts")).match(info);
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
}

QString pageText(const QString &pdf, int page)
{
    return run(QStringLiteral("pdftotext"),
               {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"), QString::number(page),
                QStringLiteral("-layout"), pdf, QStringLiteral("-")});
}

// Images on each page, from `pdfimages -list` (page number in the first column).
QList<int> imagesPerPage(const QString &pdf, int pages)
{
    QList<int> counts(pages, 0);
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n');
    for (const QString &line : lines.mid(2)) {
        const int page = line.simplified().section(u' ', 0, 0).toInt();
        if (page >= 1 && page <= pages)
            ++counts[page - 1];
    }
    return counts;
}

// Which sheet a printed page is, told by what a reader sees on it.
QString pageKind(const QString &pdf, int page, int images)
{
    const QString text = pageText(pdf, page);
    if (text.contains(QLatin1String("Scene Transcripts:")))
        return text.contains(QLatin1String("Sc:1")) ? QStringLiteral("page images") : QStringLiteral("page scripts");
    if (text.contains(QLatin1String("lighthouse")))
        return images == 1 ? QStringLiteral("image + script") : QStringLiteral("script");
    return images == 1 ? QStringLiteral("image") : QStringLiteral("?");
}
} // namespace

class tst_printing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sheetDesign_data();
    void sheetDesign();
    void emptyLabelsBeforeAnyBoard();
    void scriptRows_data();
    void scriptRows();
    void pageStart_data();
    void pageStart();
    void sheetPictures_data();
    void sheetPictures();
    void dialogueOpening();
    void waysOut_data();
    void waysOut();
    void reopenAfterPrintSetup();
    void borders_data();
    void borders();
    void modesToPdf_data();
    void modesToPdf();
    void cancelledPrinterDialogue();
    void paperAndShrink_data();
    void paperAndShrink();
    void scriptsPrintWhole_data();
    void scriptsPrintWhole();
    void largePhotographsMakeSmallPdf();
};

void tst_printing::sheetDesign_data()
{
    QTest::addColumn<int>("sheet");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("index");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QSize>("client");

    using Id = PrintSheets::Id;
    QTest::newRow("single image + script: picture") << int(Id::FromForm) << "Image1" << -1 << QRect(0, 0, 1965, 1965) << QSize(1965, 6735);
    QTest::newRow("single image + script: script") << int(Id::FromForm) << "Text1" << -1 << QRect(0, 2040, 1965, 4815) << QSize(1965, 6735);
    QTest::newRow("single image") << int(Id::FromFormGraphics) << "Image1" << -1 << QRect(0, 0, 1965, 1965) << QSize(1965, 1980);
    QTest::newRow("single script") << int(Id::FromFormText) << "Text1" << -1 << QRect(0, 0, 1965, 6735) << QSize(1965, 6735);
    QTest::newRow("page images: label 5") << int(Id::AllPictures) << "SceneLabel" << 5 << QRect(4440, 2400, 1965, 225) << QSize(6495, 16005);
    QTest::newRow("page images: picture 7") << int(Id::AllPictures) << "ImageTest7" << -1 << QRect(2280, 5040, 1965, 1965) << QSize(6495, 16005);
    QTest::newRow("page images: heading") << int(Id::AllPictures) << "Text2" << -1 << QRect(0, 7440, 3375, 525) << QSize(6495, 16005);
    QTest::newRow("page images: row 0") << int(Id::AllPictures) << "Text1" << 0 << QRect(0, 8400, 9495, 915) << QSize(6495, 16005);
    QTest::newRow("page images: row 8") << int(Id::AllPictures) << "Text1" << 8 << QRect(0, 15240, 9495, 735) << QSize(6495, 16005);
    QTest::newRow("page scripts: heading") << int(Id::AllScript) << "Text2" << -1 << QRect(0, 0, 3375, 285) << QSize(9600, 7200);
    QTest::newRow("page scripts: row 8") << int(Id::AllScript) << "Text1" << 8 << QRect(0, 6480, 9495, 615) << QSize(9600, 7200);
}

void tst_printing::sheetDesign()
{
    QFETCH(int, sheet);
    QFETCH(QString, name);
    QFETCH(int, index);
    QFETCH(QRect, geometry);
    QFETCH(QSize, client);
    PrintSheets sheets;
    const Sheet &s = sheets.sheet(PrintSheets::Id(sheet));
    QCOMPARE(QSize(s.width, s.height), client);
    const SheetItem *item = s.item(name, index);
    QVERIFY(item);
    QCOMPARE(item->geometry, geometry);
}

void tst_printing::emptyLabelsBeforeAnyBoard()
{
    PrintSheets sheets;
    for (int i = 0; i < 9; ++i)
        QCOMPARE(sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), i)->text, t("Sc: -empty-"));
    QCOMPARE(sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("Text2"))->text, t("Scene Transcripts:"));
    QCOMPARE(sheets.ActualPrintFormALLSCRIPT().item(QStringLiteral("Text2"))->text, t("Scene Transcripts:"));
    QCOMPARE(rows(sheets.ActualPrintFormALLSCRIPT()), entries(1, 0));
}

void tst_printing::scriptRows_data()
{
    QTest::addColumn<int>("scenes");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("listEntries");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("lastSelected"); // -1: nothing selected

    QTest::newRow("9 scenes, page 1: entries 1 to 9") << 9 << 1 << 9 << entries(1, 9) << 9;
    QTest::newRow("23 scenes, page 3: 19 to 23, then empty") << 23 << 3 << 23 << entries(19, 23) << 23;
    QTest::newRow("14 scenes, page 2: 10 to 14, then empty") << 14 << 2 << 14 << entries(10, 14) << 14;
    QTest::newRow("longer list than the board: rows run on") << 14 << 2 << 30 << entries(10, 18) << 19;
    QTest::newRow("page start beyond the list: nine empty rows") << 23 << 3 << 5 << entries(1, 0) << -1;
    QTest::newRow("list ends at the page start: one row") << 23 << 3 << 19 << entries(19, 19) << 19;
}

void tst_printing::scriptRows()
{
    QFETCH(int, scenes);
    QFETCH(int, page);
    QFETCH(int, listEntries);
    QFETCH(QStringList, expected);
    QFETCH(int, lastSelected);

    Rig rig(scenes);
    rig.toPage(page);
    RecordingScriptList list(listEntries);
    PrintSheets sheets;
    board::WorkBuffer RichTextBox1;
    sheets.fill(rig.form->board(), list, RichTextBox1, &rig.fake.loader);

    QCOMPARE(rows(sheets.ActualPrintFormALLSCRIPT()), expected);
    QCOMPARE(rows(sheets.ActualPrintFormALLPICTURES()), expected);
    // The Script Editor is left on the last entry the rows reached.
    QCOMPARE(list.selected, lastSelected);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), i)->text,
                 rig.form->SceneLabel[i]->text());
}

void tst_printing::pageStart_data()
{
    QTest::addColumn<QString>("label");
    QTest::addColumn<int>("start");
    QTest::addColumn<QStringList>("expected");

    // A scene without a script prints as its number, "." and "-empty-".
    QTest::newRow("scene without a script") << "Sc:1" << 1
                                            << QStringList{t("1.A lighthouse at dusk"), t("2.-empty-")};
    QTest::newRow("page 60 of a full board") << "Sc:532" << 532 << QStringList{};
    QTest::newRow("no board yet") << "Sc: -empty-" << 0 << QStringList{t("SCENES"), t("1.A lighthouse at dusk"), t("2.-empty-")};
}

void tst_printing::pageStart()
{
    QFETCH(QString, label);
    QFETCH(int, start);
    QFETCH(QStringList, expected);

    board::WorkBuffer RichTextBox1;
    QCOMPARE(PrintSheets::PageStartScene(label, RichTextBox1), start);

    Rig rig(9);
    rig.form->board().SceneLabel[0] = label;
    RecordingScriptList list(2);
    list.items[1] = t("1.A lighthouse at dusk");
    PrintSheets sheets;
    sheets.fill(rig.form->board(), list, RichTextBox1, &rig.fake.loader);
    while (expected.size() < 9)
        expected << QString();
    QCOMPARE(rows(sheets.ActualPrintFormALLSCRIPT()), expected);
}

void tst_printing::sheetPictures_data()
{
    QTest::addColumn<bool>("removeFiles");
    QTest::newRow("files readable: decoded again at print size") << false;
    QTest::newRow("files gone since the page display: the pictures shown") << true;
}

void tst_printing::sheetPictures()
{
    QFETCH(bool, removeFiles);
    Rig rig(9, QSize(1600, 1200));
    rig.selectFifth(t("5.-empty-"));
    board::SceneBoard &b = rig.form->board();
    if (removeFiles) {
        for (int k = 1; k <= 9; ++k)
            QVERIFY(QFile::remove(rig.dir.filePath(QStringLiteral("s%1.jpg").arg(k))));
    }
    rig.fake.loader.bounds.clear();
    PrintSheets sheets;
    RecordingScriptList list(9);
    board::WorkBuffer RichTextBox1;
    sheets.fill(b, list, RichTextBox1, &rig.fake.loader);

    // 1965 twips at 300 dpi.
    const QSize printSize(410, 410);
    QCOMPARE(rig.fake.loader.bounds.size(), 10);
    for (const QSize &bound : std::as_const(rig.fake.loader.bounds))
        QCOMPARE(bound, printSize);
    const Sheet &page = sheets.ActualPrintFormALLPICTURES();
    for (int i = 0; i < 9; ++i) {
        const Picture &p = page.item(QStringLiteral("ImageTest%1").arg(i))->picture;
        QCOMPARE(p.file, b.Image1[i].picture.file);
        QCOMPARE(p.image.size(), removeFiles ? b.Image1[i].picture.image.size() : printSize);
        if (removeFiles)
            QCOMPARE(p.image.cacheKey(), b.Image1[i].picture.image.cacheKey());
    }
    for (const Sheet *single : {&sheets.ActualPrintFromForm(), &sheets.ActualPrintFromFormGRAPHICS()}) {
        const Picture &p = single->item(QStringLiteral("Image1"))->picture;
        QCOMPARE(p.file, b.Image1[4].picture.file);
        QCOMPARE(p.image.size(), removeFiles ? b.BigPreview.image.size() : printSize);
    }
    QCOMPARE(sheets.ActualPrintFromForm().item(QStringLiteral("Text1"))->text, t("5.-empty-"));
    QCOMPARE(sheets.ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text, t("5.-empty-"));
}

void tst_printing::dialogueOpening()
{
    Rig rig(12);
    rig.selectFifth(t("5.A lighthouse at dusk"));
    rig.fake.windows.enables.clear();
    rig.fake.pointer.history.clear();
    PrintPreviewDialog *dialog = rig.openDialog();
    QVERIFY(dialog);
    QCOMPARE(rig.fake.pointer.history, (QList<bool>{true, false})); // the hourglass while print pictures decode
    QVERIFY(dialog->isVisible());
    QCOMPARE(dialog->windowTitle(), t("Print Preview"));
    QCOMPARE(dialog->size(), QSize(twips::toPixels(6525), twips::toPixels(2880)));
    QCOMPARE(palette::background(dialog), colours::kWindow);
    QVERIFY(!rig.form->isEnabled());
    QCOMPARE(rig.fake.windows.enables.size(), 1);
    QCOMPARE(rig.fake.windows.enables.first(), std::make_pair(static_cast<QWidget *>(rig.form.get()), false));
    QVERIFY(rig.fake.windows.topmost.contains(dialog));
    QCOMPARE(dialog->RichTextBox1.Left, -12000);
    // Centred on the screen.
    const QSize screen = rig.fake.screen.size();
    QCOMPARE(dialog->pos(), QPoint((screen.width() - dialog->width()) / 2, (screen.height() - dialog->height()) / 2));

    const char *captions[] = {"Single Image + Script", "Single Image only", "Single Script only",
                              "Page Images + Scripts", "Page Images only", "Page Scripts only"};
    const int lefts[] = {2160, 2160, 2160, 4440, 4440, 4440};
    const int symbolLefts[] = {3720, 3720, 3720, 6000, 6000, 6000};
    const int tops[] = {120, 840, 1560, 120, 840, 1560};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(dialog->Option1[i]->text(), t(captions[i]));
        QCOMPARE(dialog->Option1[i]->isChecked(), i == 0);
        QCOMPARE(dialog->Option1[i]->geometry(), twips::rect(lefts[i], tops[i], 1575, 495));
        QCOMPARE(palette::background(dialog->Option1[i]), colours::kGrey);
        QCOMPARE(dialog->Picture2[i]->geometry(), twips::rect(symbolLefts[i], tops[i], 480, 480));
        QCOMPARE(dialog->Picture2[i]->picture().image.size(), QSize(32, 32));
    }
    QCOMPARE(dialog->OKButton->text(), t("Print Setup"));
    QCOMPARE(dialog->OKButton->geometry(), twips::rect(3840, 2280, 1215, 375));
    QCOMPARE(dialog->CancelButton->text(), t("Close"));
    QCOMPARE(dialog->CancelButton->geometry(), twips::rect(5160, 2280, 1215, 375));
    QCOMPARE(dialog->Image1->geometry(), twips::rect(120, 120, 1695, 1965));
    QCOMPARE(dialog->Text1->geometry(), twips::rect(120, 2040, 1935, 735));
    QCOMPARE(dialog->Text1->toPlainText(), t("5.A lighthouse at dusk"));
    QCOMPARE(dialog->Image1->picture(), rig.form->board().BigPreview);
    QVERIFY(dialog->Image1->hasBorder());

    QVERIFY(rig.form->hasPrintSheets());
    const PrintSheets &sheets = rig.form->printSheets();
    QCOMPARE(const_cast<PrintSheets &>(sheets).ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text,
             t("5.A lighthouse at dusk"));
}

void tst_printing::waysOut_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<bool>("stillOpen");
    QTest::newRow("Print Setup, printer dialogue cancelled") << "setup" << true;
    QTest::newRow("Close") << "close" << false;
    QTest::newRow("close box") << "box" << false;
}

void tst_printing::waysOut()
{
    QFETCH(QString, way);
    QFETCH(bool, stillOpen);
    Rig rig(9);
    PrintPreviewDialog *dialog = rig.openDialog();
    QVERIFY(!rig.form->isEnabled());
    if (way == QLatin1String("setup")) {
        rig.fake.printer.cancel();
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
    } else if (way == QLatin1String("close")) {
        QTest::mouseClick(dialog->CancelButton, Qt::LeftButton);
    } else {
        dialog->close();
    }
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(rig.form->isEnabled());
    QCOMPARE(rig.fake.windows.enables.last(), std::make_pair(static_cast<QWidget *>(rig.form.get()), true));
    QCOMPARE(rig.form->printPreviewDialog() != nullptr, stillOpen);
    // The sheets outlive the dialogue.
    QVERIFY(rig.form->hasPrintSheets());
    QVERIFY(rig.fake.messages.texts.isEmpty());
}

void tst_printing::reopenAfterPrintSetup()
{
    Rig rig(18);
    rig.selectFifth(t("5.A lighthouse at dusk"));
    PrintPreviewDialog *dialog = rig.openDialog();
    rig.fake.printer.cancel();
    dialog->OKButton_Click();
    QVERIFY(rig.form->isEnabled());

    // The main window moves on while the dialogue stays open ...
    rig.form->board().Command4_Click();
    rig.selectFifth(t("14.-empty-"));
    const int topmostBefore = int(rig.fake.windows.topmost.size());
    QCOMPARE(rig.openDialog(), dialog);
    // ... and File > Print... only brings it forward: nothing refilled, main window left enabled.
    QVERIFY(rig.form->isEnabled());
    QCOMPARE(int(rig.fake.windows.topmost.size()), topmostBefore);
    QCOMPARE(dialog->Text1->toPlainText(), t("5.A lighthouse at dusk"));
    PrintSheets &sheets = rig.form->printSheets();
    QCOMPARE(sheets.ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text, t("5.A lighthouse at dusk"));
    QCOMPARE(sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), 0)->text, t("Sc:1"));

    // Closed and opened again, it shows the new state.
    dialog->CancelButton_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    dialog = rig.openDialog();
    QCOMPARE(sheets.ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text, t("14.-empty-"));
    QCOMPARE(sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), 0)->text, t("Sc:10"));
}

void tst_printing::borders_data()
{
    QTest::addColumn<bool>("bordersOn");
    QTest::newRow("borders on: every sheet picture framed") << true;
    QTest::newRow("borders off: no frame on paper, the preview keeps its own") << false;
}

void tst_printing::borders()
{
    QFETCH(bool, bordersOn);
    Rig rig(9);
    rig.selectFifth(t("5.-empty-"));
    // Opened once with the other setting: the next opening decides.
    rig.form->board().BordersAreOn = !bordersOn;
    rig.openDialog()->CancelButton_Click();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    rig.form->board().BordersAreOn = bordersOn;
    PrintPreviewDialog *dialog = rig.openDialog();
    QVERIFY(dialog->Image1->hasBorder());

    PrintSheets &sheets = rig.form->printSheets();
    int pictures = 0;
    for (int s = 0; s < 5; ++s) {
        for (const SheetItem &item : sheets.sheet(PrintSheets::Id(s)).items) {
            if (item.kind == SheetItem::Kind::Picture) {
                ++pictures;
                QCOMPARE(item.border, bordersOn);
            }
        }
    }
    QCOMPARE(pictures, 11);

    // On the page: the top left corner of the single picture, one design pixel in.
    const Sheet &single = sheets.ActualPrintFromFormGRAPHICS();
    QImage page(twips::toPixels(single.width), twips::toPixels(single.height), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    SheetPrinter::render(painter, single, 1.0 / twips::kPerPixel);
    painter.end();
    const QColor edge = page.pixelColor(0, 60);
    const QColor inside = page.pixelColor(5, 60);
    QCOMPARE(edge == QColor(Qt::black), bordersOn);
    QVERIFY(inside != QColor(Qt::black));
}

void tst_printing::modesToPdf_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QPoint>("range"); // "Pages from ... to"; (0, 0): all
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("collate");
    const QPoint all;

    // What the printer dialogue offers is what comes out; a range counts the sheets of one copy.
    QTest::newRow("3, page 2 of 2") << 3 << 1 << QStringList{"page scripts"} << QPoint(2, 2) << false << true;
    QTest::newRow("3, pages 1 to 1, two copies") << 3 << 2 << QStringList{"page images", "page images"} << QPoint(1, 1) << false << true;
    QTest::newRow("3, reverse") << 3 << 1 << QStringList{"page scripts", "page images"} << all << true << true;
    QTest::newRow("3, two copies, not collated")
        << 3 << 2 << QStringList{"page images", "page images", "page scripts", "page scripts"} << all << false << false;
    QTest::newRow("3, two copies, reverse, collated") << 3 << 2 << QStringList{"page scripts", "page images", "page scripts", "page images"} << all << true << true;

    QTest::newRow("0 Single Image + Script") << 0 << 1 << QStringList{"image + script"} << all << false << true;
    QTest::newRow("1 Single Image only") << 1 << 1 << QStringList{"image"} << all << false << true;
    QTest::newRow("2 Single Script only") << 2 << 1 << QStringList{"script"} << all << false << true;
    QTest::newRow("3 Page Images + Scripts") << 3 << 1 << QStringList{"page images", "page scripts"} << all << false << true;
    QTest::newRow("4 Page Images only") << 4 << 1 << QStringList{"page images"} << all << false << true;
    QTest::newRow("5 Page Scripts only") << 5 << 1 << QStringList{"page scripts"} << all << false << true;
    QTest::newRow("3, two copies: whole copies in order")
        << 3 << 2 << QStringList{"page images", "page scripts", "page images", "page scripts"} << all << false << true;
    QTest::newRow("2, three copies") << 2 << 3 << QStringList{"script", "script", "script"} << all << false << true;
    QTest::newRow("0 copies: nothing") << 3 << 0 << QStringList{} << all << false << true;
}

void tst_printing::modesToPdf()
{
    if (!havePoppler())
        QSKIP("poppler-utils (pdfinfo, pdftotext, pdfimages) not installed");
    QFETCH(int, mode);
    QFETCH(int, copies);
    QFETCH(QStringList, pages);

    Rig rig(9);
    rig.selectFifth(t("5.A lighthouse at dusk"));
    PrintPreviewDialog *dialog = rig.openDialog();
    QTest::mouseClick(dialog->Option1[mode], Qt::LeftButton);
    QVERIFY(dialog->Option1[mode]->isChecked());
    const QString pdf = rig.dir.filePath(QStringLiteral("out.pdf"));
    QFETCH(QPoint, range);
    QFETCH(bool, reverse);
    QFETCH(bool, collate);
    rig.fake.printer.answers << FakePrinterDialog::Answer{pdf, copies, QPageSize(QPageSize::A4), range.x(), range.y(), reverse, collate};
    QTest::mouseClick(dialog->OKButton, Qt::LeftButton);

    QCOMPARE(rig.fake.printer.asked, 1);
    QCOMPARE(rig.fake.printer.pagesOffered, printmodes::kModes[mode].sheetCount);
    QVERIFY(rig.fake.messages.texts.isEmpty());
    QVERIFY(rig.form->isEnabled());
    QCOMPARE(rig.form->printPreviewDialog(), dialog);
    QVERIFY(dialog->Option1[mode]->isChecked());
    if (pages.isEmpty()) {
        QVERIFY(!QFile::exists(pdf));
        return;
    }
    const int count = pageCount(pdf);
    QCOMPARE(count, int(pages.size()));
    const QList<int> images = imagesPerPage(pdf, count);
    QStringList kinds;
    for (int p = 1; p <= count; ++p)
        kinds << pageKind(pdf, p, images.at(p - 1));
    QCOMPARE(kinds, pages);
    if (pages.first() == QLatin1String("page images")) {
        QCOMPARE(images.first(), 9);
        const QString text = pageText(pdf, 1);
        for (int k = 1; k <= 9; ++k)
            QVERIFY2(text.contains(QStringLiteral("Sc:%1").arg(k)), qPrintable(text));
    }
}

void tst_printing::cancelledPrinterDialogue()
{
    Rig rig(9);
    PrintPreviewDialog *dialog = rig.openDialog();
    rig.fake.printer.cancel();
    QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
    QCOMPARE(rig.fake.printer.asked, 1);
    QVERIFY(rig.fake.messages.texts.isEmpty());
    QVERIFY(QDir(rig.dir.path()).entryList({QStringLiteral("*.pdf")}).isEmpty());
    QCOMPARE(rig.form->printPreviewDialog(), dialog);
    QVERIFY(dialog->isVisible());
    QVERIFY(rig.form->isEnabled());

    // Printing again afterwards works.
    const QString pdf = rig.dir.filePath(QStringLiteral("again.pdf"));
    rig.fake.printer.print(pdf);
    dialog->OKButton_Click();
    QVERIFY(QFile::exists(pdf));
}

void tst_printing::paperAndShrink_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QPageSize>("paper");
    QTest::addColumn<QSizeF>("points");
    QTest::addColumn<bool>("shrinks");

    const QPageSize a4(QPageSize::A4), letter(QPageSize::Letter);
    // A4's printable area (10 pt margins) is 11.4 in high: the 11.1 in sheet fits.
    QTest::newRow("page images on A4: design size") << 4 << a4 << QSizeF(595.276, 841.89) << false;
    QTest::newRow("page images on Letter: shrunk to fit") << 4 << letter << QSizeF(612, 792) << true;
    QTest::newRow("page scripts on A4: design size") << 5 << a4 << QSizeF(595.276, 841.89) << false;
    QTest::newRow("page scripts on Letter: design size") << 5 << letter << QSizeF(612, 792) << false;
    QTest::newRow("single image + script on Letter: design size") << 0 << letter << QSizeF(612, 792) << false;
}

void tst_printing::paperAndShrink()
{
    if (!havePoppler())
        QSKIP("poppler-utils (pdfinfo, pdftotext) not installed");
    QFETCH(int, mode);
    QFETCH(QPageSize, paper);
    QFETCH(QSizeF, points);
    QFETCH(bool, shrinks);

    Rig rig(9);
    rig.selectFifth(t("5.A lighthouse at dusk"));
    RecordingScriptList list(9);
    PrintPreviewDialog *dialog = new PrintPreviewDialog(*rig.form);
    dialog->Form_Load(list);
    dialog->Option1[mode]->setChecked(true);
    const QString pdf = rig.dir.filePath(QStringLiteral("paper.pdf"));
    rig.fake.printer.print(pdf, 1, paper);
    dialog->OKButton_Click();
    delete dialog;

    const QSizeF size = pageSizePoints(pdf);
    QVERIFY2(qAbs(size.width() - points.width()) < 0.5 && qAbs(size.height() - points.height()) < 0.5,
             qPrintable(QStringLiteral("%1 x %2").arg(size.width()).arg(size.height())));

    const Sheet &sheet = rig.form->printSheets().sheet(printmodes::kModes[mode].sheets[0]);
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(paper);
    const double scale = SheetPrinter::fitScale(sheet, SheetPrinter(printer).printableTwips());
    QCOMPARE(scale < 1.0, shrinks);
    if (shrinks) // just enough to fit, not more
        QVERIFY(scale > 0.8);

    // Every script row is on the paper: the last one is in the page's text.
    const QString text = pageText(pdf, 1);
    if (mode != 0)
        QVERIFY2(text.contains(QLatin1String("9.-empty-")), qPrintable(text));
    else
        QVERIFY2(text.contains(QLatin1String("lighthouse")), qPrintable(text));
}

void tst_printing::scriptsPrintWhole_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("length"); // of the script after "1."
    QTest::addColumn<bool>("whole");

    QTest::newRow("image + script, 300 characters") << 0 << 300 << true;
    QTest::newRow("script only, 300 characters") << 2 << 300 << true;
    QTest::newRow("page images + scripts, 300 characters") << 3 << 300 << true;
    QTest::newRow("page images, 300 characters") << 4 << 300 << true;
    QTest::newRow("page scripts, 300 characters") << 5 << 300 << true;
    // Entries read from a file have no limit: cut, but at a whole line.
    QTest::newRow("image + script, 3000 characters") << 0 << 3000 << false;
    QTest::newRow("page images, 3000 characters") << 4 << 3000 << false;
}

// Every sheet that shows scripts prints a 300-character script whole, and no
// sheet prints a line cut through by its box's or the page's edge.
void tst_printing::scriptsPrintWhole()
{
    if (!havePoppler() || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("poppler-utils (pdftotext, pdftoppm) not installed");
    QFETCH(int, mode);
    QFETCH(int, length);
    QFETCH(bool, whole);

    QString script;
    for (int w = 1; script.size() < length; ++w)
        script += QStringLiteral("word%1 ").arg(w);
    const QString entry = QStringLiteral("1.") + script.left(length - 1) + u'!';
    Rig rig(9);
    rig.selectFifth(entry);
    RecordingScriptList list(9);
    list.items[1] = entry;
    PrintPreviewDialog *dialog = new PrintPreviewDialog(*rig.form);
    dialog->Form_Load(list);
    dialog->Option1[mode]->setChecked(true);
    const QString pdf = rig.dir.filePath(QStringLiteral("script.pdf"));
    rig.fake.printer.print(pdf);
    dialog->OKButton_Click();
    delete dialog;

    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    constexpr int kDpi = 144;
    const auto pixel = [](double twips, double originPoints) { return int((originPoints + twips / 20) * kDpi / 72); };
    const QString squeezedEntry = QString(entry).remove(u' ');
    const printmodes::Mode &printed = printmodes::kModes[mode];
    QCOMPARE(pageCount(pdf), printed.sheetCount);
    for (int p = 1; p <= printed.sheetCount; ++p) {
        const QString text = pageText(pdf, p).remove(QRegularExpression(QStringLiteral("\\s")));
        if (whole)
            QVERIFY2(text.contains(squeezedEntry), qPrintable(text));
        else
            QVERIFY2(text.contains(squeezedEntry.left(40)) && !text.contains(u'!'), qPrintable(text));

        const QString prefix = rig.dir.filePath(QStringLiteral("page%1").arg(p));
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"),
                                         QStringLiteral("-f"), QString::number(p), QStringLiteral("-l"),
                                         QString::number(p), QStringLiteral("-singlefile"), pdf, prefix});
        const QImage image(prefix + QStringLiteral(".pgm"));
        QVERIFY(!image.isNull());
        const Sheet &sheet = rig.form->printSheets().sheet(printed.sheets[std::size_t(p - 1)]);
        for (const SheetItem &item : sheet.items) {
            if (item.kind != SheetItem::Kind::Text)
                continue;
            // The last two pixel rows and columns of the box's part on the page
            // lie in its margin: ink there is a line cut through.
            const QRect visible = item.geometry & QRect(0, 0, sheet.width, sheet.height);
            const int left = pixel(visible.left(), origin.x()), right = pixel(visible.right() + 1, origin.x()) - 1;
            const int top = pixel(visible.top(), origin.y()), bottom = pixel(visible.bottom() + 1, origin.y()) - 1;
            for (int edge = 0; edge < 2; ++edge) {
                for (int x = left; x <= right; ++x)
                    QVERIFY2(qGray(image.pixel(x, bottom - edge)) > 160, qPrintable(item.name));
                for (int y = top; y <= bottom; ++y)
                    QVERIFY2(qGray(image.pixel(right - edge, y)) > 160, qPrintable(item.name));
            }
        }
    }
}

void tst_printing::largePhotographsMakeSmallPdf()
{
    if (!havePoppler())
        QSKIP("poppler-utils (pdfinfo) not installed");
    Rig rig(9, QSize(4000, 3000));
    PrintPreviewDialog *dialog = rig.openDialog();
    dialog->Option1[4]->setChecked(true);
    const QString pdf = rig.dir.filePath(QStringLiteral("photos.pdf"));
    rig.fake.printer.print(pdf);
    dialog->OKButton_Click();
    QCOMPARE(pageCount(pdf), 1);
    const QStringList lines = run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n');
    int images = 0;
    for (const QString &line : lines.mid(2)) {
        const QStringList columns = line.simplified().split(u' ');
        if (columns.size() < 5)
            continue;
        ++images;
        // One image of print resolution per box.
        QCOMPARE(columns.at(3).toInt(), 410);
        QCOMPARE(columns.at(4).toInt(), 410);
    }
    QCOMPARE(images, 9);
    QVERIFY2(QFileInfo(pdf).size() < 5 * 1024 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));
}

QTEST_MAIN(tst_printing)
#include "tst_printing.moc"
