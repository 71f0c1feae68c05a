// The print sheets and the print dialogue: what the sheets hold once it opens,
// and the pages that reach a real PDF through the scripted printer dialogue
// (the current page or the whole board) and through the command line.
#include "commandline/CommandLine.h"
#include "dialogs/frmOptions.h"
#include "files/AtomicFile.h"
#include "printing/PrintSheets.h"
#include "printing/SheetPrinter.h"
#include "scripts/ScriptEditor.h"
#include "scripts/ScriptFile.h"
#include "support/FailingSync.h"
#include "support/FormRig.h"
#include "support/ScriptListDouble.h"
#include "widgets/ImageBox.h"
#include "widgets/Twips.h"

#include <QtWidgets>

using namespace support;

namespace {
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

// Images on each page, from `pdfimages -list` (page number in the first column): size and object.
QList<QStringList> imagesPerPage(const QString &pdf, int pages)
{
    QList<QStringList> result(pages);
    for (const QString &line : run(QStringLiteral("pdfimages"), {QStringLiteral("-list"), pdf}).split(u'\n').mid(2)) {
        const QStringList columns = line.simplified().split(u' ');
        if (columns.size() > 4 && columns[0].toInt() >= 1)
            result[columns[0].toInt() - 1] << columns[3] + u'x' + columns[4] + u'#' + columns[10]; // size, object
    }
    return result;
}

// Pages are looked at at 144 dpi, a pixel every 10 twips.
constexpr int kDpi = 144;

QImage rendered(const QString &pdf, int page)
{
    const QString prefix = pdf + QString::number(page), n = QString::number(page);
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-r"), QString::number(kDpi), QStringLiteral("-f"), n, QStringLiteral("-l"),
                                     n, QStringLiteral("-singlefile"), pdf, prefix});
    return QImage(prefix + QStringLiteral(".ppm"));
}

// The top left of an A4 page's printable area, where every sheet starts, in points.
QPointF a4Origin()
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageSize(QPageSize(QPageSize::A4));
    return printer.pageLayout().paintRect(QPageLayout::Point).topLeft();
}

// The text boxes of an A4 page at design size with ink in the last two pixel rows or columns
// of their part on the page: that is their margin, so ink there is a line cut through.
QStringList inkOnEdges(const QString &pdf, int page, const Sheet &sheet)
{
    const QImage image = rendered(pdf, page);
    const QPointF origin = a4Origin();
    const auto pixel = [](double twips, double originPoints) { return int((originPoints + twips / 20) * kDpi / 72); };
    QStringList inked;
    for (const SheetItem &item : sheet.items) {
        const QRect visible = item.geometry & QRect(0, 0, sheet.width, sheet.height);
        const int left = pixel(visible.left(), origin.x()), right = pixel(visible.right() + 1, origin.x()) - 1;
        const int top = pixel(visible.top(), origin.y()), bottom = pixel(visible.bottom() + 1, origin.y()) - 1;
        for (int y = top; item.kind == SheetItem::Kind::Text && y <= bottom && !inked.contains(item.name); ++y)
            for (int x = y >= bottom - 1 ? left : right - 1; x <= right && !inked.contains(item.name); ++x)
                if (image.isNull() || qGray(image.pixel(x, y)) <= 160)
                    inked << item.name;
    }
    return inked;
}
} // namespace

class tst_printing : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Where things land on A4 paper, in twips from the printable area's top left, as designed: each
    // picture box, found by its scene's colour, and the top of each script row's text.
    void printedPlaces_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QList<QRect>>("pictures"); // of scenes 1, 2, ...
        QTest::addColumn<QList<int>>("rows");       // box tops of entries 1, 2, ...
        QList<QRect> grid;
        QList<int> pictureRows{8400}, scriptRows;
        for (int i = 0; i < 9; ++i) {
            grid << QRect(QList{120, 2280, 4440}[i % 3], QList{240, 2640, 5040}[i / 3], 1965, 1965);
            pictureRows << 9360 + 840 * i;
            scriptRows << 720 * (i + 1);
        }
        const QRect single(0, 0, 1965, 1965);
        QTest::newRow("single image + script") << 0 << QList{single} << QList{2040};
        QTest::newRow("single image") << 1 << QList{single} << QList<int>();
        QTest::newRow("single script") << 2 << QList<QRect>() << QList{0};
        QTest::newRow("page images") << 4 << grid << pictureRows.first(9);
        QTest::newRow("page scripts") << 5 << QList<QRect>() << scriptRows;
    }

    void printedPlaces()
    {
        QFETCH(int, mode);
        QFETCH(QList<QRect>, pictures);
        QFETCH(QList<int>, rows);
        FormRig rig(9);
        rig.form.board().BordersAreOn = false;
        QTest::mouseClick(rig.form.Image1[0], Qt::LeftButton);
        PrintPreviewDialog *dialog = rig.openPrint();
        QTest::mouseClick(dialog->Option1[mode], Qt::LeftButton);
        const QString pdf = rig.dir.filePath(QStringLiteral("out.pdf"));
        rig.fake.printer.print(pdf);
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
        // What is where, in twips, within a pixel of its place in the design: a picture's box by its scene's
        // colour, a row by the top of its text, which keeps 30 twips inside its box.
        const QPointF origin = a4Origin() * 20;
        const QImage page = rendered(pdf, 1);
        QList<QRectF> found, designed(pictures.cbegin(), pictures.cend());
        for (int k = 0; k < pictures.size(); ++k) {
            const QRgb colour = rig.form.board().Image1[k].picture.image.pixel(20, 15);
            QRect pixels;
            for (int y = 0; y < page.height(); ++y)
                for (int x = 0; x < page.width(); ++x)
                    if (const QRgb c = page.pixel(x, y);
                        qAbs(qRed(c) - qRed(colour)) + qAbs(qGreen(c) - qGreen(colour)) + qAbs(qBlue(c) - qBlue(colour)) < 40)
                        pixels |= QRect(x, y, 1, 1);
            found << QRectF(QRectF(pixels).topLeft() * 10 - origin, QRectF(pixels).size() * 10);
        }
        const QString words = run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), QStringLiteral("-l"), u"1"_qs, pdf, u"-"_qs});
        static const QRegularExpression entry(QStringLiteral("yMin=\"([\\d.]+)\"[^>]*>\\d+\\.-empty-<"));
        for (auto m = entry.globalMatch(words); m.hasNext();)
            found << QRectF(0, m.next().captured(1).toDouble() * 20 - origin.y() - 30, 0, 0);
        for (const int top : rows)
            designed << QRectF(0, top, 0, 0);
        QCOMPARE(found.size(), designed.size());
        for (qsizetype i = 0; i < found.size(); ++i) {
            const QRectF off(found[i].topLeft() - designed[i].topLeft(), found[i].size() - designed[i].size());
            QVERIFY2(qAbs(off.x()) <= 12 && qAbs(off.y()) <= 12 && qAbs(off.width()) <= 12 && qAbs(off.height()) <= 12,
                     qPrintable(QStringLiteral("designed at %1, %2; found at %3, %4")
                                    .arg(designed[i].x()).arg(designed[i].y()).arg(found[i].x()).arg(found[i].y())));
        }
    }

    void sheetFilling_data()
    {
        QTest::addColumn<QString>("firstLabel"); // of the page shown: its first scene starts the rows
        QTest::addColumn<int>("listEntries");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("page 1: entries 1 to 9") << "Sc:1" << 9 << entries(1, 9);
        QTest::newRow("page 3 of 23: 19 to 23, then empty") << "Sc:19" << 23 << entries(19, 23);
        QTest::newRow("longer list than the board: rows run on") << "Sc:10" << 30 << entries(10, 18);
        QTest::newRow("page start beyond the list: nine empty rows") << "Sc:19" << 5 << entries(1, 0);
        QTest::newRow("list ends at the page start: one row") << "Sc:19" << 19 << entries(19, 19);
        QTest::newRow("page 60 of a full board") << "Sc:532" << 2 << entries(1, 0);
        QTest::newRow("no board yet") << "Sc: -empty-" << 2 << entries(1, 2, {t("SCENES")});
    }

    void sheetFilling()
    {
        QFETCH(QString, firstLabel);
        QFETCH(int, listEntries);
        FormRig rig(9);
        board::SceneBoard &b = rig.form.board();
        b.SceneLabel[0] = firstLabel;
        ScriptListDouble list(listEntries);
        list.items[1] = t("1.A lighthouse at dusk");
        PrintSheets sheets;
        board::WorkBuffer RichTextBox1;
        sheets.fill(b, list, RichTextBox1, &rig.fake.loader);
        QTEST(rows(sheets.ActualPrintFormALLSCRIPT()), "expected");
        QTEST(rows(sheets.ActualPrintFormALLPICTURES()), "expected");
    }

    // Opening fills the sheets and decides their borders; after "Print Setup" the
    // main window moves on while the dialogue stays open, till it closes.
    void dialogue()
    {
        const QString lighthouse = QStringLiteral("5.A lighthouse at dusk");
        FormRig rig(18);
        selectFifth(rig, lighthouse);
        rig.fake.pointer.history.clear();
        PrintPreviewDialog *dialog = rig.openPrint();
        QCOMPARE(rig.fake.pointer.history, (QList<bool>{true, false})); // the hourglass while print pictures decode
        QVERIFY(dialog->Option1[0]->isChecked() && dialog->Image1->picture().file == rig.form.board().BigPreview.file);
        // What the dialogue shows, and whether the single picture is framed on paper: ink at its left edge, none a
        // design pixel in. (What the sheets hold is read back from printed pages below.)
        const auto shown = [&] {
            QImage page(twips::toPixels(1965), twips::toPixels(1980), QImage::Format_RGB32);
            page.fill(Qt::white);
            QPainter painter(&page);
            SheetPrinter::render(painter, rig.form.printSheets().ActualPrintFromFormGRAPHICS(), 1.0 / twips::kPerPixel);
            painter.end();
            const bool framed = page.pixelColor(0, 60) == QColor(Qt::black) && page.pixelColor(5, 60) != QColor(Qt::black);
            return dialog->Text1->toPlainText() + (framed ? " framed" : "");
        };
        QCOMPARE(shown(), lighthouse + " framed");
        rig.fake.printer.cancel();
        dialog->OKButton_Click();
        QVERIFY(takesInput(rig.form));
        dialog->CancelButton_Click();
        flushDeletes();
        // Opened again, it shows the new state; the preview keeps its own frame.
        rig.form.board().Command4_Click();
        selectFifth(rig, t("14.-empty-"));
        rig.form.board().BordersAreOn = false;
        dialog = rig.openPrint();
        QCOMPARE(shown(), "14.-empty-");
        QVERIFY(dialog->Image1->hasBorder());
    }

    void modesToPdf_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<QString>("pages"); // I2: page images of board page 2, S2: its scripts page
        QTest::addColumn<FakePrinterDialog::Answer>("answer");
        QTest::addColumn<QString>("pictures"); // the board's: "" 40 x 30, else 4000 x 3000 photographs
        QTest::addColumn<int>("length");       // of scene 1's script, which is also the scene shown
        QTest::addColumn<QString>("chars");    // the script's, repeated; "" numbered words
        QTest::addColumn<int>("scenes");       // more than 9: page 2 is shown
        QTest::addColumn<QString>("harm");     // to the PDF's writing
        // The printer dialogue's choices: copies, "Pages from ... to" (0: as it opens), Reverse, Collate, paper, "All".
        const auto row = [](const char *name, int mode, const char *pages, FakePrinterDialog::Answer answer = {},
                            const char *pictures = "", int length = 300, const char *chars = "", int scenes = 9,
                            const char *harm = "") {
            QTest::newRow(name) << mode << QString::fromLatin1(pages) << answer << QString::fromLatin1(pictures) << length
                                << QString::fromUtf8(chars) << scenes << QString::fromLatin1(harm);
        };
        using A = FakePrinterDialog::Answer;
        const QPageSize a4(QPageSize::A4), letter(QPageSize::Letter);
        row("0 Single Image + Script", 0, "image+script");
        row("1 Single Image only", 1, "image");
        row("2 Single Script only", 2, "script");
        // Photographs reach the PDF at print resolution; files gone since print blank, with one message.
        row("4 Page Images only, of photographs", 4, "I1", {}, "photographs");
        row("4, photographs gone since", 4, "I1", {}, "photographs gone");
        // Entries read from a file have no limit: cut, but at a whole line.
        row("image + script, 3000 characters", 0, "image+script", {}, "", 3000);
        row("page images, 3000 characters", 4, "I1", {}, "", 3000);
        // Wide or right-to-left characters print whole too, however small that makes them, on A4 and Letter.
        row("3, Japanese", 3, "I1 S1", {}, "", 300, "日本語の台本です");
        row("3, all W", 3, "I1 S1", {}, "", 300, "W");
        row("3, Japanese on Letter", 3, "I1 S1", A{{}, 1, letter}, "", 300, "日本語の台本です");
        row("3, all W on Letter", 3, "I1 S1", A{{}, 1, letter}, "", 300, "W");
        row("3, Hebrew", 3, "I1 S1", {}, "", 300, "שלום עולם ");
        row("3, mixed", 3, "I1 S1", {}, "", 300, "WW幅広いשלום台本");
        // What the printer dialogue offers is what comes out; a range counts the sheets of one copy.
        row("0 copies: nothing", 3, "", A{{}, 0});
        // A4's printable area is 11.4 in high: the 11.1 in sheet fits; on Letter it shrinks to fit.
        row("page images on Letter: shrunk to fit", 4, "I1", A{{}, 1, letter});
        // A page mode's document is the whole board, board page after board page; "Current page", the
        // page shown (2), is chosen as the dialogue opens. Two copies collated, not collated, or reversed.
        const char *const orders[3][3][3] = {
            {{"I2 S2 I2 S2", "I2 I2 S2 S2", "S2 I2"},
             {"I1 S1 I2 S2 I3 S3 I1 S1 I2 S2 I3 S3", "I1 I1 S1 S1 I2 I2 S2 S2 I3 I3 S3 S3", "S3 I3 S2 I2 S1 I1"},
             {"S1 I2 S1 I2", "S1 S1 I2 I2", "I2 S1"}},
            {{"I2 I2", "I2 I2", "I2"}, {"I1 I2 I3 I1 I2 I3", "I1 I1 I2 I2 I3 I3", "I3 I2 I1"}, {"I2 I3 I2 I3", "I2 I2 I3 I3", "I3 I2"}},
            {{"S2 S2", "S2 S2", "S2"}, {"S1 S2 S3 S1 S2 S3", "S1 S1 S2 S2 S3 S3", "S3 S2 S1"}, {"S2 S3 S2 S3", "S2 S2 S3 S3", "S3 S2"}},
        };
        const char *const ranges[3] = {"current page", "all", "pages 2 to 3"};
        const char *const copies[3] = {"2 collated", "2 not collated", "reverse"};
        for (const int scenes : {24, 25}) // both with a short last page
            for (int m = 0; m < 3; ++m)
                for (int r = 0; r < 3; ++r)
                    for (int c = 0; c < 3; ++c)
                        row(qPrintable(QStringLiteral("%1 scenes, %2, %3, %4").arg(scenes).arg(3 + m).arg(ranges[r], copies[c])), 3 + m,
                            orders[m][r][c], A{{}, c == 2 ? 1 : 2, a4, r == 2 ? 2 : 0, r == 2 ? 3 : 0, c == 2, c == 0, r == 1}, "",
                            300, "", scenes);
        // A PDF cancelled, or that cannot be written, leaves no file; an older one stays.
        row("cancelled at page 4 of 6", 4, "", A{{}, 1, a4, 0, 0, false, true, true}, "", 300, "", 54, "cancel");
        row("disk sync fails", 3, "", {}, "", 300, "", 9, "sync");
        row("no such folder", 3, "", {}, "", 300, "", 9, "no folder");
        // Only the folder's sync fails: the PDF is in place, and the user is told it may not last.
        row("the folder's sync fails", 3, "I1 S1", {}, "", 300, "", 9, "folder sync");
    }

    // Each page told by what a reader sees on it: every script row, and the script whole (or cut
    // at a whole line), never by an edge.
    void modesToPdf()
    {
        QFETCH(int, mode);
        QFETCH(QString, pages);
        QFETCH(FakePrinterDialog::Answer, answer);
        QFETCH(QString, pictures);
        QFETCH(int, length);
        QFETCH(QString, chars);
        QFETCH(int, scenes);
        QFETCH(QString, harm);
        QString entry = QStringLiteral("1.");
        for (int w = 1; entry.size() < length + 2; ++w)
            entry += chars.isEmpty() ? QStringLiteral("word%1 ").arg(w) : chars;
        entry = entry.left(length + 1) + u'!';
        FormRig rig(scenes, pictures.isEmpty() ? QSize(40, 30) : QSize(4000, 3000));
        for (const QString &file : rig.pictures)
            QVERIFY(!pictures.endsWith(u"gone") || QFile::remove(file));
        rig.form.scriptList();
        rig.form.scriptEditor()->List1->item(1)->setText(entry);
        if (scenes > 9)
            rig.form.board().Command4_Click();
        selectFifth(rig, entry);
        PrintPreviewDialog *dialog = rig.openPrint();
        QTest::mouseClick(dialog->Option1[mode], Qt::LeftButton);
        // A cancelled printer dialogue first: nothing printed, the dialogue stays.
        const QString pdf = answer.pdfFile = rig.dir.filePath(harm == u"no folder" ? "none/out.pdf" : "out.pdf");
        rig.fake.printer.answers << FakePrinterDialog::Answer{} << answer;
        QTest::mouseClick(dialog->OKButton, Qt::LeftButton);
        QVERIFY(!QFile::exists(pdf));
        const QByteArray older = "an older file";
        QVERIFY(harm != u"sync" || testpictures::write(pdf, older));
        QString cancelledAt;
        // Cancel is pressed while board page 3 prints: before page 4's pictures are decoded.
        rig.fake.loader.onLoad = [&](const QString &file) {
            if (harm == u"cancel" && file == rig.pictures.at(27))
                QMetaObject::invokeMethod(dialog, [&] {
                    cancelledAt = dialog->progress()->labelText() + (takesInput(rig.form) ? "" : ", main window blocked");
                    dialog->progress()->findChild<QPushButton *>()->click();
                }, Qt::QueuedConnection);
        };
        const atomicfile::Sync sync = atomicfile::replaceSync(harm == u"sync"          ? support::failingSync
                                                              : harm == u"folder sync" ? support::failingFolderSync
                                                                                       : nullptr);
        QTest::mouseClick(rig.form.printPreviewDialog()->OKButton, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!dialog->progress(), 60000);
        atomicfile::replaceSync(sync);
        QVERIFY(takesInput(rig.form) && dialog->Option1[mode]->isChecked());
        const QString saving = t(texts::kSaveError) + (harm == u"sync" ? "\nThe disk did not confirm what was written: Input/output error."
                                                                       : "\nCould not open its folder: No such file or directory.");
        const QString unconfirmed = texts::withReason(texts::kPrintedUnconfirmed, "The disk did not confirm its new name: Input/output error.");
        QCOMPARE(rig.fake.messages.texts, harm == u"sync" || harm == u"no folder" ? QStringList{saving}
                                          : harm == u"folder sync"                ? QStringList{unconfirmed}
                                          : pictures.endsWith(u"gone")            ? QStringList{gone("s001.jpg")}
                                                                                  : QStringList());
        QCOMPARE(cancelledAt, harm == u"cancel" ? "Printing page 4 of 6" : "");
        QCOMPARE(QDir(rig.dir.filePath(".")).entryList({"*quorvadine-tmp*"}, QDir::Hidden | QDir::Files), QStringList());
        if (pages.isEmpty()) {
            QCOMPARE(testpictures::read(pdf), harm == u"sync" ? older : QByteArray());
            return;
        }
        const QStringList size = pdfInfo(pdf, QStringLiteral("Page size")).split(u' ');
        QCOMPARE(QSize(qRound(size.value(0).toDouble()), qRound(size.value(2).toDouble())), answer.pageSize.sizePoints());
        const int count = pdfInfo(pdf, QStringLiteral("Pages")).toInt();
        const QList<QStringList> images = imagesPerPage(pdf, count);
        const QStringList texts = run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")}).split(u'\f');
        using Id = PrintSheets::Id;
        const QHash<QString, Id> sheetOf{{"image+script", Id::FromForm}, {"image", Id::FromFormGraphics}, {"script", Id::FromFormText},
                                         {"I1", Id::AllPictures}, {"S1", Id::AllScript}};
        // The script as `pdftotext` gives it back, which sets a right-to-left row's number as ".1".
        const QString squeezed = QString(entry).remove(u' ').mid(2);
        const QRegularExpression label(QStringLiteral("Sc:(\\d+)")), scene(QStringLiteral("(\\d+)\\."));
        QStringList kinds;
        for (int p = 1; p <= count; ++p) {
            const QString text = texts.value(p - 1), seen = QString(text).remove(QRegularExpression(QStringLiteral("[\\s\\p{Cf}]")));
            const int rows = int(text.indexOf(QLatin1String("Scene Transcripts:")));
            if (rows >= 0) {
                const bool grid = label.match(text).hasMatch();
                const int page = ((grid ? label.match(text) : scene.match(text, rows)).captured(1).toInt() + 8) / 9;
                kinds << (grid ? u'I' : u'S') + QString::number(page);
                QCOMPARE(images[p - 1].size(), grid ? 9 : 0);
                // The rows run on to the board's last scene, and no further.
                const int last = qMin(9 * page, scenes);
                QVERIFY2(text.contains(QStringLiteral("%1.-empty-").arg(last)) && !text.contains(QStringLiteral("%1.").arg(last + 1)),
                         qPrintable(text));
            } else if (seen.contains(squeezed.left(6))) {
                kinds << (images[p - 1].size() == 1 ? "image+script" : "script");
            } else {
                kinds << (images[p - 1].size() == 1 ? "image" : "?");
            }
            if (QStringList{"image+script", "script", "I1", "S1"}.contains(kinds.last()))
                QVERIFY2(length <= 300 ? seen.contains(squeezed) : seen.contains(squeezed.left(40)) && !seen.contains(u'!'),
                         qPrintable(seen));
            if (answer.pageSize.id() == QPageSize::A4 && scenes == 9 && sheetOf.contains(kinds.last()))
                QCOMPARE(inkOnEdges(pdf, p, rig.form.printSheets().sheet(sheetOf[kinds.last()])), QStringList());
        }
        QCOMPARE(kinds.join(u' '), pages);
        if (!pictures.isEmpty()) {
            // Each at 300 ppi, embedded once: a picture gone since is the blank one, nine times.
            const Sheet &sheet = rig.form.printSheets().ActualPrintFormALLPICTURES();
            QCOMPARE(sheet.item(QStringLiteral("ImageTest0"))->picture.image.size(), QSize(410, 410)); // 1965 twips at 300 dpi
            QCOMPARE(QSet<QString>(images.first().cbegin(), images.first().cend()).size(), pictures.endsWith(u"gone") ? 1 : 9);
            QVERIFY(images.first().join(u' ').count(QLatin1String("410x410")) == 9);
            QVERIFY2(QFileInfo(pdf).size() < 5 * 1024 * 1024, qPrintable(QString::number(QFileInfo(pdf).size())));
        }
    }

    void commandLine_data()
    {
        // After --print-to-pdf OUT. "@": a folder of 24 pictures, the last broken; "@files": its files;
        // "@8": its first 8; "@541": a folder of 541; "@other": a picture of another folder. %1: the test's folder.
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("status");
        QTest::addColumn<QString>("error"); // on standard error
        QTest::addColumn<QString>("pages"); // the PDF's pages, paper and a text of its first page
        const QString broken = "quorvadine: " + t(texts::kMissingPicture) + " (s024.jpg: The picture's size cannot be read: the file is damaged.)";
        const auto row = [](const char *name, QStringList arguments, int status, const QString &error, const char *pages = "") {
            QTest::newRow(name) << arguments << status << error << QString::fromLatin1(pages);
        };
        row("a folder", {"@"}, 0, broken, "6, 595 x 842, Sc:1");
        row("files, a mode in any case, scripts, Letter", {"--mode", "page scripts ONLY", "--scripts", "%1/two.ScE", "--page-size",
            "letter", "@files"}, 0, "", "3, 612 x 792, 2.Dusk");
        row("the real program, no display", {"--mode", "Page Images only", "@"}, 0, broken, "3, 595 x 842, Sc:1");
        row("too few", {"@8"}, 1, "quorvadine: Requirement: At least 9 images");
        row("too many", {"@541"}, 1, "quorvadine: " + t(texts::kTooMany));
        row("two folders", {"@8", "@other"}, 1, "quorvadine: %1/other/s001.jpg: the pictures are one folder, or files of one folder");
        row("a single mode", {"--mode", "Single Image only", "@"}, 1, "quorvadine: unknown mode \"Single Image only\": give "
            "\"Page Images + Scripts\", \"Page Images only\" or \"Page Scripts only\"");
        row("no such script file", {"--scripts", "%1/none.ScE", "@"}, 1,
            "quorvadine: %1/none.ScE: An error occured during loading. This is a bad thing.");
        row("no such folder for the PDF", {"--print-to-pdf", "%1/none/out.pdf", "@"}, 2,
            "quorvadine: %1/none/out.pdf: An error occured during saving. This is a bad thing. Could not open its folder: No such "
            "file or directory.");
        row("the folder's sync fails: printed, and told so", {"--mode", "Page Scripts only", "@files"}, 0,
            "quorvadine: %1/out.pdf: The PDF was written, but the disk did not confirm it: the file may not survive a power "
            "cut. The disk did not confirm its new name: Input/output error.", "3, 595 x 842, -empty-");
    }

    void commandLine()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, status);
        QFETCH(QString, error);
        QFETCH(QString, pages);
        QTemporaryDir dir;
        const auto pictures = [&](const char *folder, int count) {
            QStringList files;
            QDir(dir.path()).mkpath(QLatin1String(folder));
            for (int k = 1; k <= count; ++k)
                testpictures::writePicture(files.emplace_back(dir.filePath(QStringLiteral("%1/s%2.jpg").arg(folder).arg(k, 3, 10, QLatin1Char('0')))));
            return files;
        };
        const QStringList board = pictures("board", 24);
        QVERIFY(QFile::resize(board.last(), 100)); // broken since
        QVERIFY(scripts::saveScriptFile(dir.filePath("two.ScE"), QStringLiteral("1.Dawn~2.Dusk~"), nullptr));
        QStringList args{QStringLiteral("quorvadine"), QStringLiteral("--print-to-pdf"), dir.filePath("out.pdf")};
        for (const QString &argument : std::as_const(arguments))
            args << (argument == u"@"        ? QStringList{dir.filePath("board")}
                     : argument == u"@files" ? board
                     : argument == u"@8"     ? board.mid(0, 8)
                     : argument == u"@541"   ? QStringList{QFileInfo(pictures("many", 541).first()).path()}
                     : argument == u"@other" ? pictures("other", 1)
                                             : QStringList{QString(argument).replace("%1", dir.path())});
        if (args.count(QStringLiteral("--print-to-pdf")) > 1)
            args.remove(1, 2);
        const QString out = args.at(args.indexOf(QStringLiteral("--print-to-pdf")) + 1);
        QString errors;
        int exit = -1;
        if (QByteArray(QTest::currentDataTag()).startsWith("the real program")) {
            QProcess program;
            QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
            for (const char *variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
                environment.remove(QLatin1String(variable));
            program.setProcessEnvironment(environment);
            program.start(QStringLiteral(QV_PROGRAM), args.mid(1));
            QVERIFY(program.waitForFinished(60000));
            exit = program.exitCode();
            errors = QString::fromUtf8(program.readAllStandardError());
        } else {
            QTextStream stream(&errors);
            const bool folderSync = QByteArray(QTest::currentDataTag()).startsWith("the folder's sync");
            const atomicfile::Sync sync = atomicfile::replaceSync(folderSync ? support::failingFolderSync : nullptr);
            exit = commandline::run(args, stream, false);
            atomicfile::replaceSync(sync);
        }
        QCOMPARE(exit, status);
        QCOMPARE(errors, error.isEmpty() ? QString() : QString(error).replace("%1", dir.path()) + u'\n');
        QCOMPARE(QDir(QFileInfo(out).path()).entryList({"*.pdf*"}, QDir::Hidden | QDir::Files), status ? QStringList() : QStringList{"out.pdf"});
        if (status == 0) {
            QCOMPARE(pdfInfo(out, QStringLiteral("Pages")) + ", " + pdfInfo(out, QStringLiteral("Page size")).left(9),
                     pages.section(", ", 0, 1));
            QVERIFY(pageText(out, 1).contains(pages.section(", ", 2)));
        }
    }
};

QTEST_MAIN(tst_printing)
#include "tst_printing.moc"
