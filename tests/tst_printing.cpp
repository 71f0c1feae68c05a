// The print sheets and the print dialogue: what the sheets hold once the
// dialogue opens, and the pages that reach a real PDF through the scripted
// printer dialogue.
#include "dialogs/frmOptions.h"
#include "platform/ImageBox.h"
#include "platform/SheetPrinter.h"
#include "platform/Twips.h"
#include "printing/PrintModes.h"
#include "printing/PrintSheets.h"
#include "support/FormRig.h"
#include "scripts/ScriptEditor.h"
#include "support/ScriptListDouble.h"

#include <QListWidget>
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
// The text boxes of an A4 page printed at design size that show ink in the
// last two pixel rows or columns of their part on the page: these lie in the
// box's margin, so ink there is a line cut through.
QStringList inkOnEdges(const QString &pdf, int page, const Sheet &sheet)
{
    constexpr int kDpi = 144;
    const QString prefix = pdf + QString::number(page), n = QString::number(page);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-gray"), QStringLiteral("-f"), n,
                                     QStringLiteral("-l"), n, QStringLiteral("-singlefile"), pdf, prefix});
    const QImage image(prefix + QStringLiteral(".pgm"));
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    const QPointF origin = printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
    const auto pixel = [](double twips, double originPoints) { return int((originPoints + twips / 20) * kDpi / 72); };
    QStringList inked;
    for (const SheetItem &item : sheet.items) {
        if (item.kind != SheetItem::Kind::Text)
            continue;
        const QRect visible = item.geometry & QRect(0, 0, sheet.width, sheet.height);
        const int left = pixel(visible.left(), origin.x()), right = pixel(visible.right() + 1, origin.x()) - 1;
        const int top = pixel(visible.top(), origin.y()), bottom = pixel(visible.bottom() + 1, origin.y()) - 1;
        bool ink = image.isNull();
        for (int edge = 0; edge < 2; ++edge) {
            for (int x = left; x <= right; ++x)
                ink = ink || qGray(image.pixel(x, bottom - edge)) <= 160;
            for (int y = top; y <= bottom; ++y)
                ink = ink || qGray(image.pixel(right - edge, y)) <= 160;
        }
        if (ink)
            inked << item.name;
    }
    return inked;
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
    void dialogue();
    void modesToPdf_data();
    void modesToPdf();
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
    QFETCH(QString, name);
    QFETCH(int, index);
    PrintSheets sheets;
    QFETCH(int, sheet);
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

// Opening fills the sheets and decides their borders; after "Print Setup"
// the main window moves on while the dialogue stays open, and File > Print...
// then only brings it forward: nothing refilled, nothing blocked.
void tst_printing::dialogue()
{
    FormRig rig(18);
    selectFifth(rig, kLighthouse);
    rig.fake.windows.enables.clear();
    rig.fake.pointer.history.clear();
    PrintPreviewDialog *dialog = rig.openPrint();
    QCOMPARE(rig.fake.pointer.history, (QList<bool>{true, false})); // the hourglass while print pictures decode
    QCOMPARE(rig.fake.windows.enables, (QList<std::pair<QWidget *, bool>>{{&rig.form, false}}));
    QVERIFY(rig.fake.windows.topmost.contains(dialog));
    QCOMPARE(dialog->windowTitle(), t("Print Preview"));
    const QSize client(twips::toPixels(6525), twips::toPixels(2880));
    QCOMPARE(dialog->geometry(), QRect(QPoint((800 - client.width()) / 2, (600 - client.height()) / 2), client));
    const char *captions[] = {"Single Image + Script", "Single Image only", "Single Script only",
                              "Page Images + Scripts", "Page Images only", "Page Scripts only"};
    for (int i = 0; i < 6; ++i) {
        QCOMPARE(dialog->Option1[i]->text(), t(captions[i]));
        QCOMPARE(dialog->Option1[i]->isChecked(), i == 0);
        QCOMPARE(dialog->Option1[i]->geometry(), twips::rect(i < 3 ? 2160 : 4440, 120 + 720 * (i % 3), 1575, 495));
        QCOMPARE(dialog->Picture2[i]->geometry(), twips::rect(i < 3 ? 3720 : 6000, 120 + 720 * (i % 3), 480, 480));
    }
    QCOMPARE(dialog->OKButton->text() + u'|' + dialog->CancelButton->text(), t("Print Setup|Close"));
    QCOMPARE(dialog->Image1->picture(), rig.form.board().BigPreview);
    PrintSheets &sheets = rig.form.printSheets();
    // Every sheet picture framed or not, as the main window's setting was at the opening.
    const auto shown = [&] {
        QString framed;
        for (int s = 0; s < 5; ++s)
            for (const SheetItem &item : sheets.sheet(PrintSheets::Id(s)).items)
                framed += item.kind == SheetItem::Kind::Picture ? QString::number(item.border) : QString();
        return QStringList{dialog->Text1->toPlainText(), sheets.ActualPrintFromFormTEXT().item(QStringLiteral("Text1"))->text,
                           sheets.ActualPrintFormALLPICTURES().item(QStringLiteral("SceneLabel"), 0)->text, framed};
    };
    QCOMPARE(shown(), (QStringList{kLighthouse, kLighthouse, "Sc:1", QString(11, u'1')}));

    rig.fake.printer.cancel();
    dialog->OKButton_Click();
    rig.form.board().Command4_Click();
    selectFifth(rig, t("14.-empty-"));
    rig.form.board().BordersAreOn = false;
    const qsizetype topmostBefore = rig.fake.windows.topmost.size();
    QCOMPARE(rig.openPrint(), dialog);
    QVERIFY(rig.form.isEnabled());
    QCOMPARE(rig.fake.windows.topmost.size(), topmostBefore);
    QCOMPARE(shown(), (QStringList{kLighthouse, kLighthouse, "Sc:1", QString(11, u'1')}));
    // The options window opened meanwhile keeps the main window blocked to its end.
    rig.form.action("sOptions")->trigger();
    dialog->CancelButton_Click();
    flushDeletes();
    QVERIFY(!rig.form.isEnabled());
    rig.form.options()->cmdOK_Click();
    flushDeletes();
    QVERIFY(rig.form.isEnabled());
    // Opened again, it shows the new state; the preview keeps its own frame.
    dialog = rig.openPrint();
    QCOMPARE(shown(), (QStringList{"14.-empty-", "14.-empty-", "Sc:10", QString(11, u'0')}));
    QVERIFY(dialog->Image1->hasBorder());
    // On paper: a frame at the single picture's left edge, none a design pixel in.
    for (bool on : {false, true}) {
        sheets.setPictureBorders(on);
        QImage page(twips::toPixels(1965), twips::toPixels(1980), QImage::Format_RGB32);
        page.fill(Qt::white);
        QPainter painter(&page);
        SheetPrinter::render(painter, sheets.ActualPrintFromFormGRAPHICS(), 1.0 / twips::kPerPixel);
        painter.end();
        QCOMPARE(page.pixelColor(0, 60) == QColor(Qt::black) && page.pixelColor(5, 60) != QColor(Qt::black), on);
    }
}

void tst_printing::modesToPdf_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<QStringList>("pages");
    QTest::addColumn<int>("copies");
    QTest::addColumn<QPoint>("range"); // "Pages from ... to"; (0, 0): all
    QTest::addColumn<bool>("reverse");
    QTest::addColumn<bool>("collate");
    QTest::addColumn<QPageSize>("paper");
    QTest::addColumn<QString>("pictures"); // the board's: "" 40 x 30, else 4000 x 3000 photographs
    QTest::addColumn<int>("length");       // of scene 1's script, which is also the scene shown
    const auto row = [](const char *name, int mode, QStringList pages, int copies = 1, QPoint range = {},
                        bool reverse = false, bool collate = true, QPageSize::PageSizeId paper = QPageSize::A4,
                        const char *pictures = "", int length = 300) {
        QTest::newRow(name) << mode << pages << copies << range << reverse << collate << QPageSize(paper)
                            << QString::fromLatin1(pictures) << length;
    };
    const QString images = QStringLiteral("page images"), scripts = QStringLiteral("page scripts");
    row("0 Single Image + Script", 0, {"image + script"});
    row("1 Single Image only", 1, {"image"});
    row("2 Single Script only", 2, {"script"});
    row("3 Page Images + Scripts", 3, {images, scripts});
    // Full-size photographs reach the PDF at print resolution, one image per box; files gone
    // since the page display leave the pictures shown.
    row("4 Page Images only, of photographs", 4, {images}, 1, {}, false, true, QPageSize::A4, "photographs");
    row("4, photographs gone since", 4, {images}, 1, {}, false, true, QPageSize::A4, "photographs gone");
    row("5 Page Scripts only", 5, {scripts});
    // Entries read from a file have no limit: cut, but at a whole line.
    row("image + script, 3000 characters", 0, {"image + script"}, 1, {}, false, true, QPageSize::A4, "", 3000);
    row("page images, 3000 characters", 4, {images}, 1, {}, false, true, QPageSize::A4, "", 3000);
    // What the printer dialogue offers is what comes out; a range counts the sheets of one copy.
    row("3, page 2 of 2", 3, {scripts}, 1, {2, 2});
    row("3, pages 1 to 1, two copies", 3, {images, images}, 2, {1, 1});
    row("3, reverse", 3, {scripts, images}, 1, {}, true);
    row("3, two copies: whole copies in order", 3, {images, scripts, images, scripts}, 2);
    row("3, two copies, not collated", 3, {images, images, scripts, scripts}, 2, {}, false, false);
    row("3, two copies, reverse, collated", 3, {scripts, images, scripts, images}, 2, {}, true);
    row("0 copies: nothing", 3, {}, 0);
    // A4's printable area (10 pt margins) is 11.4 in high: the 11.1 in sheet fits; Letter's is not.
    row("page images on Letter: shrunk to fit", 4, {images}, 1, {}, false, true, QPageSize::Letter);
    row("page scripts on Letter: design size", 5, {scripts}, 1, {}, false, true, QPageSize::Letter);
}

// Each page is told by what a reader sees on it: every script row on the
// paper, a script whole (or cut at a whole line), and no line cut through by
// its box's or the page's edge.
void tst_printing::modesToPdf()
{
    if (!havePoppler())
        QSKIP("poppler-utils not installed");
    QFETCH(int, mode);
    QFETCH(QStringList, pages);
    QFETCH(QPageSize, paper);
    QFETCH(QString, pictures);
    QFETCH(int, length);
    QString script;
    for (int w = 1; script.size() < length; ++w)
        script += QStringLiteral("word%1 ").arg(w);
    const QString entry = QStringLiteral("1.") + script.left(length - 1) + u'!';
    FormRig rig(9, pictures.isEmpty() ? QSize(40, 30) : QSize(4000, 3000));
    for (const QString &file : rig.pictures)
        QVERIFY(!pictures.endsWith(u"gone") || QFile::remove(file));
    rig.form.scriptList();
    rig.form.scriptEditor()->List1->item(1)->setText(entry);
    selectFifth(rig, entry);
    const QString pdf = rig.dir.filePath(QStringLiteral("out.pdf"));
    PrintPreviewDialog *dialog = rig.openPrint();
    QTest::mouseClick(dialog->Option1[mode], Qt::LeftButton);
    // A cancelled printer dialogue first: nothing printed, the dialogue stays.
    rig.fake.printer.cancel();
    QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
    QVERIFY(!QFile::exists(pdf));
    QFETCH(int, copies);
    QFETCH(QPoint, range);
    QFETCH(bool, reverse);
    QFETCH(bool, collate);
    rig.fake.printer.answers << FakePrinterDialog::Answer{pdf, copies, paper, range.x(), range.y(), reverse, collate};
    QTest::mouseClick(rig.form.printPreviewDialog()->OKButton, Qt::LeftButton);
    QCOMPARE(rig.fake.printer.asked, 2);
    QCOMPARE(rig.fake.printer.pagesOffered, mode == 3 ? 2 : 1);
    QVERIFY(rig.fake.messages.texts.isEmpty() && rig.form.isEnabled());
    QVERIFY(rig.form.printPreviewDialog()->Option1[mode]->isChecked());
    QCOMPARE(QFile::exists(pdf), !pages.isEmpty());
    if (pages.isEmpty())
        return;
    const QStringList size = pdfInfo(pdf, QStringLiteral("Page size")).split(u' ');
    QCOMPARE(QSize(qRound(size.value(0).toDouble()), qRound(size.value(2).toDouble())), paper.sizePoints());
    const int count = pdfInfo(pdf, QStringLiteral("Pages")).toInt();
    const QList<QStringList> images = imagesPerPage(pdf, count);
    using Id = PrintSheets::Id;
    const QHash<QString, Id> sheetOf{{"image + script", Id::FromForm}, {"image", Id::FromFormGraphics},
                                     {"script", Id::FromFormText}, {"page images", Id::AllPictures}, {"page scripts", Id::AllScript}};
    const QString squeezed = QString(entry).remove(u' ');
    QStringList kinds;
    for (int p = 1; p <= count; ++p) {
        const QString text = pageText(pdf, p);
        if (text.contains(QLatin1String("Scene Transcripts:")) && text.contains(QLatin1String("9.-empty-")))
            kinds << (text.contains(QLatin1String("Sc:9")) && images[p - 1].size() == 9 ? "page images" : "page scripts");
        else if (text.contains(QLatin1String("word1")))
            kinds << (images[p - 1].size() == 1 ? "image + script" : "script");
        else
            kinds << (images[p - 1].size() == 1 ? "image" : "?");
        const QString seen = QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
        if (kinds.last() != u"image")
            QVERIFY2(length <= 300 ? seen.contains(squeezed) : seen.contains(squeezed.left(40)) && !seen.contains(u'!'),
                     qPrintable(seen));
        if (paper.id() == QPageSize::A4 && sheetOf.contains(kinds.last()))
            QCOMPARE(inkOnEdges(pdf, p, rig.form.printSheets().sheet(sheetOf[kinds.last()])), QStringList());
    }
    QCOMPARE(kinds, pages);
    if (!pictures.isEmpty()) {
        const Sheet &sheet = rig.form.printSheets().ActualPrintFormALLPICTURES();
        const QSize shown = rig.form.board().Image1[0].picture.image.size(), print(410, 410); // 1965 twips at 300 dpi
        QCOMPARE(sheet.item(QStringLiteral("ImageTest0"))->picture.image.size(), pictures.endsWith(u"gone") ? shown : print);
        QCOMPARE(images.first(), QStringList(9, QStringLiteral("410x410")));
        QVERIFY2(QFileInfo(pdf).size() < 5 * 1024 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));
    }
    const Sheet &sheet = rig.form.printSheets().sheet(printmodes::kModes[mode].sheets[0]);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(paper);
    const double scale = SheetPrinter::fitScale(sheet, SheetPrinter(printer).printableTwips());
    QCOMPARE(scale < 1.0, QTest::currentDataTag() == QByteArray("page images on Letter: shrunk to fit"));
    QVERIFY(scale > 0.8); // just enough to fit, not more
}

QTEST_MAIN(tst_printing)
#include "tst_printing.moc"
