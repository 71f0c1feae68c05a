// The print sheets and the print dialogue: what the sheets hold once the
// dialogue opens, and the pages that reach a real PDF through the scripted
// printer dialogue.
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/SheetPrinter.h"
#include "platform/Twips.h"
#include "printing/PrintModes.h"
#include "printing/PrintSheets.h"
#include "support/FormRig.h"
#include "support/ScriptListDouble.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>

using namespace support;

namespace {
const QString kLighthouse = QStringLiteral("5.A lighthouse at dusk");

// The fifth scene selected, as scene selection would leave it.
void selectFifth(FormRig &rig, const QString &script)
{
    board::SceneBoard &b = rig.form.board();
    b.BigPreview = b.Image1[4].picture;
    b.SceneText = script;
    rig.form.updateFromBoard();
}

QStringList rows(const Sheet &sheet)
{
    QStringList result;
    for (int r = 0; r < 9; ++r)
        result << sheet.item(QStringLiteral("Text1"), r)->text;
    return result;
}

// Entries from..to as the script list holds them (1 has a script), padded to nine rows.
QStringList entries(int from, int to, QStringList result = {})
{
    for (int n = from; n <= to; ++n)
        result << (n == 1 ? t("1.A lighthouse at dusk") : QStringLiteral("%1.-empty-").arg(n));
    while (result.size() < 9)
        result << QString();
    return result;
}

// Prints with the dialogue's mode `mode` and the printer answering `answer`.
QString printed(FormRig &rig, int mode, FakePrinterDialog::Answer answer = {})
{
    if (answer.pdfFile.isEmpty())
        answer.pdfFile = rig.dir.filePath(QStringLiteral("out.pdf"));
    PrintPreviewDialog *dialog = rig.openPrint();
    QTest::mouseClick(dialog->Option1[mode], Qt::LeftButton);
    rig.fake.printer.answers << answer;
    QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
    return answer.pdfFile;
}

// Images on each page, from `pdfimages -list` (page number in the first column).
QList<QStringList> imagesPerPage(const QString &pdf, int pages)
{
    QList<QStringList> result(pages);
    for (const QString &line : run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n').mid(2)) {
        const QStringList columns = line.simplified().split(u' ');
        if (columns.size() > 4 && columns[0].toInt() >= 1 && columns[0].toInt() <= pages)
            result[columns[0].toInt() - 1] << columns[3] + u'x' + columns[4];
    }
    return result;
}
} // namespace

class tst_printing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void sheetDesign_data();
    void sheetDesign();
    void sheetFilling_data();
    void sheetFilling();
    void sheetPictures_data();
    void sheetPictures();
    void dialogueOpening();
    void reopenAfterPrintSetup();
    void borders_data();
    void borders();
    void modesToPdf_data();
    void modesToPdf();
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
    QTest::newRow("single image + script: script") << int(Id::FromForm) << "Text1" << -1 << QRect(0, 2040, 1965, 4815) << QSize(1965, 6735);
    QTest::newRow("single image") << int(Id::FromFormGraphics) << "Image1" << -1 << QRect(0, 0, 1965, 1965) << QSize(1965, 1980);
    QTest::newRow("single script") << int(Id::FromFormText) << "Text1" << -1 << QRect(0, 0, 1965, 6735) << QSize(1965, 6735);
    QTest::newRow("page images: label 5") << int(Id::AllPictures) << "SceneLabel" << 5 << QRect(4440, 2400, 1965, 225) << QSize(6495, 16005);
    QTest::newRow("page images: picture 7") << int(Id::AllPictures) << "ImageTest7" << -1 << QRect(2280, 5040, 1965, 1965) << QSize(6495, 16005);
    QTest::newRow("page images: heading") << int(Id::AllPictures) << "Text2" << -1 << QRect(0, 7440, 3375, 525) << QSize(6495, 16005);
    QTest::newRow("page images: row 0") << int(Id::AllPictures) << "Text1" << 0 << QRect(0, 8400, 9495, 915) << QSize(6495, 16005);
    QTest::newRow("page images: row 8") << int(Id::AllPictures) << "Text1" << 8 << QRect(0, 15240, 9495, 735) << QSize(6495, 16005);
    QTest::newRow("page scripts: heading") << int(Id::AllScript) << "Text2" << -1 << QRect(0, 0, 3375, 285) << QSize(9600, 7200);
    for (int r = 0; r < 9; ++r)
        QTest::addRow("page scripts: row %d", r) << int(Id::AllScript) << "Text1" << r << QRect(0, 720 * (r + 1), 9495, 615) << QSize(9600, 7200);
}

void tst_printing::sheetDesign()
{
    QFETCH(int, sheet);
    QFETCH(QString, name);
    QFETCH(int, index);
    PrintSheets sheets;
    const Sheet &s = sheets.sheet(PrintSheets::Id(sheet));
    QTEST(QSize(s.width, s.height), "client");
    QVERIFY(s.item(name, index));
    QTEST(s.item(name, index)->geometry, "geometry");
}

void tst_printing::sheetFilling_data()
{
    QTest::addColumn<int>("scenes");
    QTest::addColumn<int>("page");
    QTest::addColumn<QString>("firstLabel"); // empty: as the board shows it
    QTest::addColumn<int>("listEntries");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<int>("lastSelected"); // the entry the Script Editor is left on; -2: not checked

    QTest::newRow("9 scenes, page 1: entries 1 to 9") << 9 << 1 << "" << 9 << entries(1, 9) << 9;
    QTest::newRow("23 scenes, page 3: 19 to 23, then empty") << 23 << 3 << "" << 23 << entries(19, 23) << 23;
    QTest::newRow("longer list than the board: rows run on") << 14 << 2 << "" << 30 << entries(10, 18) << 19;
    QTest::newRow("page start beyond the list: nine empty rows") << 23 << 3 << "" << 5 << entries(1, 0) << -1;
    QTest::newRow("list ends at the page start: one row") << 23 << 3 << "" << 19 << entries(19, 19) << 19;
    QTest::newRow("page 60 of a full board") << 9 << 1 << "Sc:532" << 2 << entries(1, 0) << -2;
    QTest::newRow("no board yet") << 9 << 1 << "Sc: -empty-" << 2 << entries(1, 2, {t("SCENES")}) << -2;
}

void tst_printing::sheetFilling()
{
    QFETCH(int, page);
    QFETCH(QString, firstLabel);
    QFETCH(int, listEntries);
    QFETCH(QStringList, expected);
    QFETCH(int, lastSelected);
    QFETCH(int, scenes);
    FormRig rig(scenes);
    for (int p = 1; p < page; ++p)
        rig.form.board().Command4_Click();
    if (!firstLabel.isEmpty())
        rig.form.board().SceneLabel[0] = firstLabel;
    ScriptListDouble list(listEntries);
    list.items[1] = t("1.A lighthouse at dusk");
    PrintSheets sheets;
    board::WorkBuffer RichTextBox1;
    sheets.fill(rig.form.board(), list, RichTextBox1, &rig.fake.loader);
    QCOMPARE(rows(sheets.ActualPrintFormALLSCRIPT()), expected);
    QCOMPARE(rows(sheets.ActualPrintFormALLPICTURES()), expected);
    if (lastSelected != -2)
        QCOMPARE(list.selected, lastSelected);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), i)->text, rig.form.board().SceneLabel[i]);
    for (const Sheet *s : {&sheets.ActualPrintFormALLPICTURES(), &sheets.ActualPrintFormALLSCRIPT()})
        QCOMPARE(s->item(QStringLiteral("Text2"))->text, t("Scene Transcripts:"));
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
    FormRig rig(9, QSize(1600, 1200));
    selectFifth(rig, t("5.-empty-"));
    board::SceneBoard &b = rig.form.board();
    for (const QString &file : rig.pictures)
        QVERIFY(!removeFiles || QFile::remove(file));
    rig.fake.loader.bounds.clear();
    PrintSheets sheets;
    ScriptListDouble list(9);
    board::WorkBuffer RichTextBox1;
    sheets.fill(b, list, RichTextBox1, &rig.fake.loader);

    const QSize printSize(410, 410); // 1965 twips at 300 dpi
    QCOMPARE(rig.fake.loader.bounds, QList<QSize>(10, printSize));
    for (int i = 0; i < 9; ++i) {
        const Picture &p = sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("ImageTest%1").arg(i))->picture;
        QCOMPARE(p.file, b.Image1[i].picture.file);
        QCOMPARE(p.image.size(), removeFiles ? b.Image1[i].picture.image.size() : printSize);
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
    FormRig rig(12);
    selectFifth(rig, kLighthouse);
    rig.fake.windows.enables.clear();
    rig.fake.pointer.history.clear();
    PrintPreviewDialog *dialog = rig.openPrint();
    QCOMPARE(rig.fake.pointer.history, (QList<bool>{true, false})); // the hourglass while print pictures decode
    QCOMPARE(dialog->windowTitle(), t("Print Preview"));
    QCOMPARE(rig.fake.windows.enables, (QList<std::pair<QWidget *, bool>>{{&rig.form, false}}));
    QVERIFY(rig.fake.windows.topmost.contains(dialog));
    QCOMPARE(dialog->geometry(), QRect(QPoint(0, 0), QSize(twips::toPixels(6525), twips::toPixels(2880)))
                                     .translated((rig.fake.screen.size().width() - twips::toPixels(6525)) / 2,
                                                 (rig.fake.screen.size().height() - twips::toPixels(2880)) / 2));
    const char *captions[] = {"Single Image + Script", "Single Image only", "Single Script only",
                              "Page Images + Scripts", "Page Images only", "Page Scripts only"};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(dialog->Option1[i]->text(), t(captions[i]));
        QCOMPARE(dialog->Option1[i]->isChecked(), i == 0);
        QCOMPARE(dialog->Option1[i]->geometry(), twips::rect(i < 3 ? 2160 : 4440, 120 + 720 * (i % 3), 1575, 495));
        QCOMPARE(dialog->Picture2[i]->geometry(), twips::rect(i < 3 ? 3720 : 6000, 120 + 720 * (i % 3), 480, 480));
    }
    QCOMPARE(dialog->OKButton->text(), t("Print Setup"));
    QCOMPARE(dialog->CancelButton->text(), t("Close"));
    QCOMPARE(dialog->Text1->toPlainText(), kLighthouse);
    QCOMPARE(dialog->Image1->picture(), rig.form.board().BigPreview);
    QCOMPARE(rig.form.printSheets().ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text, kLighthouse);
}

// After "Print Setup" the main window moves on while the dialogue stays open;
// File > Print... then only brings it forward: nothing refilled, nothing blocked.
void tst_printing::reopenAfterPrintSetup()
{
    FormRig rig(18);
    selectFifth(rig, kLighthouse);
    PrintPreviewDialog *dialog = rig.openPrint();
    rig.fake.printer.cancel();
    dialog->OKButton_Click();
    rig.form.board().Command4_Click();
    selectFifth(rig, t("14.-empty-"));
    const qsizetype topmostBefore = rig.fake.windows.topmost.size();
    QCOMPARE(rig.openPrint(), dialog);
    QVERIFY(rig.form.isEnabled());
    QCOMPARE(rig.fake.windows.topmost.size(), topmostBefore);
    PrintSheets &sheets = rig.form.printSheets();
    const auto shown = [&] {
        return QStringList{dialog->Text1->toPlainText(), sheets.ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text,
                           sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), 0)->text};
    };
    QCOMPARE(shown(), (QStringList{kLighthouse, kLighthouse, "Sc:1"}));
    // Closed and opened again, it shows the new state.
    dialog->CancelButton_Click();
    flushDeletes();
    dialog = rig.openPrint();
    QCOMPARE(shown(), (QStringList{"14.-empty-", "14.-empty-", "Sc:10"}));
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
    FormRig rig(9);
    selectFifth(rig, t("5.-empty-"));
    // Opened once with the other setting: the next opening decides.
    rig.form.board().BordersAreOn = !bordersOn;
    rig.openPrint()->CancelButton_Click();
    flushDeletes();
    rig.form.board().BordersAreOn = bordersOn;
    QVERIFY(rig.openPrint()->Image1->hasBorder());
    PrintSheets &sheets = rig.form.printSheets();
    int pictures = 0;
    for (int s = 0; s < 5; ++s)
        for (const SheetItem &item : sheets.sheet(PrintSheets::Id(s)).items)
            if (item.kind == SheetItem::Kind::Picture && ++pictures)
                QCOMPARE(item.border, bordersOn);
    QCOMPARE(pictures, 11);
    // On the page: the single picture's left edge, and one design pixel in.
    const Sheet &single = sheets.ActualPrintFromFormGRAPHICS();
    QImage page(twips::toPixels(single.width), twips::toPixels(single.height), QImage::Format_RGB32);
    page.fill(Qt::white);
    QPainter painter(&page);
    SheetPrinter::render(painter, single, 1.0 / twips::kPerPixel);
    painter.end();
    QCOMPARE(page.pixelColor(0, 60) == QColor(Qt::black), bordersOn);
    QVERIFY(page.pixelColor(5, 60) != QColor(Qt::black));
}

void tst_printing::modesToPdf_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<QPoint>("range"); // "Pages from ... to"; (0, 0): all
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QPageSize>("paper");
    const QPoint all;
    const QPageSize a4(QPageSize::A4), letter(QPageSize::Letter);
    const QString images = QStringLiteral("page images"), scripts = QStringLiteral("page scripts");
    QTest::newRow("0 Single Image + Script") << 0 << 1 << QStringList{"image + script"} << all << false << true << a4;
    QTest::newRow("1 Single Image only") << 1 << 1 << QStringList{"image"} << all << false << true << a4;
    QTest::newRow("2 Single Script only") << 2 << 1 << QStringList{"script"} << all << false << true << a4;
    QTest::newRow("3 Page Images + Scripts") << 3 << 1 << QStringList{images, scripts} << all << false << true << a4;
    QTest::newRow("4 Page Images only") << 4 << 1 << QStringList{images} << all << false << true << a4;
    QTest::newRow("5 Page Scripts only") << 5 << 1 << QStringList{scripts} << all << false << true << a4;
    // What the printer dialogue offers is what comes out; a range counts the sheets of one copy.
    QTest::newRow("3, page 2 of 2") << 3 << 1 << QStringList{scripts} << QPoint(2, 2) << false << true << a4;
    QTest::newRow("3, pages 1 to 1, two copies") << 3 << 2 << QStringList{images, images} << QPoint(1, 1) << false << true << a4;
    QTest::newRow("3, reverse") << 3 << 1 << QStringList{scripts, images} << all << true << true << a4;
    QTest::newRow("3, two copies: whole copies in order") << 3 << 2 << QStringList{images, scripts, images, scripts} << all << false << true << a4;
    QTest::newRow("3, two copies, not collated") << 3 << 2 << QStringList{images, images, scripts, scripts} << all << false << false << a4;
    QTest::newRow("3, two copies, reverse, collated") << 3 << 2 << QStringList{scripts, images, scripts, images} << all << true << true << a4;
    QTest::newRow("0 copies: nothing") << 3 << 0 << QStringList{} << all << false << true << a4;
    // A4's printable area (10 pt margins) is 11.4 in high: the 11.1 in sheet fits; Letter's is not.
    QTest::newRow("page images on Letter: shrunk to fit") << 4 << 1 << QStringList{images} << all << false << true << letter;
    QTest::newRow("page scripts on Letter: design size") << 5 << 1 << QStringList{scripts} << all << false << true << letter;
    QTest::newRow("image + script on Letter: design size") << 0 << 1 << QStringList{"image + script"} << all << false << true << letter;
}

void tst_printing::modesToPdf()
{
    if (!havePoppler())
        QSKIP("poppler-utils not installed");
    QFETCH(int, mode);
    QFETCH(int, copies);
    QFETCH(QStringList, pages);
    QFETCH(QPoint, range);
    QFETCH(bool, reverse);
    QFETCH(bool, collate);
    QFETCH(QPageSize, paper);
    FormRig rig(9);
    selectFifth(rig, kLighthouse);
    // A cancelled printer dialogue first: nothing printed, the dialogue stays.
    rig.fake.printer.cancel();
    const QString pdf = printed(rig, mode, {rig.dir.filePath(QStringLiteral("out.pdf")), copies, paper, range.x(), range.y(), reverse, collate});
    QCOMPARE(rig.fake.printer.asked, 1);
    QVERIFY(!QFile::exists(pdf));
    QTest::mouseClick(rig.form.printPreviewDialog()->OKButton, Qt::LeftButton);
    QCOMPARE(rig.fake.printer.pagesOffered, mode == 3 ? 2 : 1);
    QVERIFY(rig.fake.messages.texts.isEmpty());
    QVERIFY(rig.form.isEnabled());
    QVERIFY(rig.form.printPreviewDialog()->Option1[mode]->isChecked());
    QCOMPARE(QFile::exists(pdf), !pages.isEmpty());
    if (pages.isEmpty())
        return;
    const QStringList size = pdfInfo(pdf, QStringLiteral("Page size")).split(u' ');
    QCOMPARE(QSize(qRound(size.value(0).toDouble()), qRound(size.value(2).toDouble())), paper.sizePoints());
    const int count = pdfInfo(pdf, QStringLiteral("Pages")).toInt();
    const QList<QStringList> images = imagesPerPage(pdf, count);
    QStringList kinds;
    for (int p = 1; p <= count; ++p) {
        // Which sheet a printed page is, told by what a reader sees on it; every script row on the paper.
        const QString text = pageText(pdf, p);
        if (text.contains(QLatin1String("Scene Transcripts:")) && text.contains(QLatin1String("9.-empty-")))
            kinds << (text.contains(QLatin1String("Sc:9")) && images[p - 1].size() == 9 ? "page images" : "page scripts");
        else if (text.contains(QLatin1String("lighthouse")))
            kinds << (images[p - 1].size() == 1 ? "image + script" : "script");
        else
            kinds << (images[p - 1].size() == 1 ? "image" : "?");
    }
    QCOMPARE(kinds, pages);
    const Sheet &sheet = rig.form.printSheets().sheet(printmodes::kModes[mode].sheets[0]);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(paper);
    const double scale = SheetPrinter::fitScale(sheet, SheetPrinter(printer).printableTwips());
    QCOMPARE(scale < 1.0, QTest::currentDataTag() == QByteArray("page images on Letter: shrunk to fit"));
    QVERIFY(scale > 0.8); // just enough to fit, not more
}

void tst_printing::scriptsPrintWhole_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<int>("length"); // of the script after "1."
    QTest::newRow("image + script, 300 characters") << 0 << 300;
    QTest::newRow("script only, 300 characters") << 2 << 300;
    QTest::newRow("page images + scripts, 300 characters") << 3 << 300;
    QTest::newRow("page images, 300 characters") << 4 << 300;
    QTest::newRow("page scripts, 300 characters") << 5 << 300;
    // Entries read from a file have no limit: cut, but at a whole line.
    QTest::newRow("image + script, 3000 characters") << 0 << 3000;
    QTest::newRow("page images, 3000 characters") << 4 << 3000;
}

// Every sheet that shows scripts prints a 300-character script whole, and no
// sheet prints a line cut through by its box's or the page's edge.
void tst_printing::scriptsPrintWhole()
{
    if (!havePoppler())
        QSKIP("poppler-utils not installed");
    QFETCH(int, mode);
    QFETCH(int, length);
    QString script;
    for (int w = 1; script.size() < length; ++w)
        script += QStringLiteral("word%1 ").arg(w);
    const QString entry = QStringLiteral("1.") + script.left(length - 1) + u'!';
    FormRig rig(9);
    selectFifth(rig, entry);
    ScriptListDouble list(9);
    list.items[1] = entry;
    auto *dialog = new PrintPreviewDialog(rig.form);
    dialog->Form_Load(list);
    dialog->Option1[mode]->setChecked(true);
    const QString pdf = rig.dir.filePath(QStringLiteral("script.pdf"));
    rig.fake.printer.print(pdf);
    dialog->OKButton_Click();
    delete dialog;

    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    constexpr int kDpi = 144;
    const auto pixel = [](double twips, double originPoints) { return int((originPoints + twips / 20) * kDpi / 72); };
    const QString squeezed = QString(entry).remove(u' ');
    const printmodes::Mode &printedMode = printmodes::kModes[mode];
    QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")).toInt(), printedMode.sheetCount);
    for (int p = 1; p <= printedMode.sheetCount; ++p) {
        const QString text = pageText(pdf, p).remove(QRegularExpression(QStringLiteral("\\s")));
        if (length <= 300)
            QVERIFY2(text.contains(squeezed), qPrintable(text));
        else
            QVERIFY2(text.contains(squeezed.left(40)) && !text.contains(u'!'), qPrintable(text));
        const QString prefix = rig.dir.filePath(QStringLiteral("page%1").arg(p)), n = QString::number(p);
        run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"), QStringLiteral("-f"), n,
                                         QStringLiteral("-l"), n, QStringLiteral("-singlefile"), pdf, prefix});
        const QImage image(prefix + QStringLiteral(".pgm"));
        QVERIFY(!image.isNull());
        const Sheet &sheet = rig.form.printSheets().sheet(printedMode.sheets[std::size_t(p - 1)]);
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

// Full-size photographs reach the PDF at print resolution, one image per box.
void tst_printing::largePhotographsMakeSmallPdf()
{
    if (!havePoppler())
        QSKIP("poppler-utils not installed");
    FormRig rig(9, QSize(4000, 3000));
    const QString pdf = printed(rig, 4);
    QCOMPARE(imagesPerPage(pdf, 1), QList<QStringList>{QStringList(9, QStringLiteral("410x410"))});
    QVERIFY2(QFileInfo(pdf).size() < 5 * 1024 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));
}

QTEST_MAIN(tst_printing)
#include "tst_printing.moc"
