// Scene selection, the layout by screen resolution and the close-up window.
#include "board/ScriptListAccess.h"
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/Palette.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"
#include "support/ScriptListDouble.h"
#include "view/Form1.h"
#include "view/FormLayout.h"
#include "view/Quorvadine.h"
#include "dialogs/Help.h"
#include "dialogs/frmOptions.h"
#include "printing/PrintPreviewDialog.h"

#include <QFrame>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

using ListDouble = support::ScriptListDouble;

// A board of `count` small pictures, each of its own colour, on disk.
struct PictureBoard
{
    QTemporaryDir dir;
    QString result;
    explicit PictureBoard(int count, QSize size = QSize(64, 48))
    {
        result = dir.path();
        for (int i = 1; i <= count; ++i) {
            QImage image(size, QImage::Format_RGB32);
            image.fill(QColor::fromHsv((i * 37) % 360, 200, 220));
            const QString name = QStringLiteral("s%1.bmp").arg(i);
            image.save(dir.filePath(name), "BMP");
            result += u' ' + name;
        }
    }
};

struct Rig
{
    FakePlatform fake;
    Form1 form{fake.platform()};
    explicit Rig(const PictureBoard *pictures = nullptr)
    {
        form.start();
        if (pictures)
            fake.pictures.choose(pictures->result);
        else
            fake.pictures.cancel();
        QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    }
};

QRect px(const QRect &r) { return twips::rect(r.x(), r.y(), r.width(), r.height()); }
} // namespace

class tst_view : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void layout_data();
    void layout();
    void panelDesign();
    void selection_data();
    void selection();
    void selectionBeforeAnyBoard();
    void closeScene();
    void previewIsSharp();
    void closeUpSize_data();
    void closeUpSize();
    void closeUpKeepsItsPicture();
    void positionItems();
    void picturesFollowTheBoxSize();
    void keys_data();
    void keys();
};

void tst_view::layout_data()
{
    QTest::addColumn<QSize>("screen");
    QTest::addColumn<QSizeF>("inner");
    QTest::addColumn<bool>("alerts");
    QTest::addColumn<QString>("text5");
    QTest::addColumn<QString>("text6");
    QTest::addColumn<QString>("layout");
    QTest::addColumn<bool>("alert");

    QTest::newRow("640 x 480") << QSize(640, 480) << QSizeF(9600, 6600) << true << "4800" << "3300" << "small" << false;
    QTest::newRow("800 x 600") << QSize(800, 600) << QSizeF(12000, 8250) << true << "6000" << "4125" << "medium" << false;
    QTest::newRow("1024 x 768") << QSize(1024, 768) << QSizeF(15360, 10950) << true << "7680" << "5475" << "large" << false;
    QTest::newRow("1280 x 1024, alerts on") << QSize(1280, 1024) << QSizeF(19200, 14700) << true << "4732.5" << "3255" << "small" << true;
    QTest::newRow("1280 x 1024, alerts off") << QSize(1280, 1024) << QSizeF(19200, 14700) << false << "9600" << "7350" << "large" << false;
    QTest::newRow("1600 x 1200, alerts on") << QSize(1600, 1200) << QSizeF(24000, 17700) << true << "4732.5" << "3255" << "small" << true;
    QTest::newRow("1600 x 1200, alerts off") << QSize(1600, 1200) << QSizeF(24000, 17700) << false << "12000" << "8850" << "large" << false;
    QTest::newRow("restored design window") << QSize(1280, 1024) << QSizeF(9465, 6510) << true << "4732.5" << "3255" << "small" << false;
    // A thinner window manager frame (openbox: 19 + 18 pixels) leaves 731 pixels.
    QTest::newRow("1024 x 768, thin frame") << QSize(1024, 768) << QSizeF(15360, 10965) << true << "7680" << "5482.5" << "large" << false;
    QTest::newRow("1280 x 1024, same inner") << QSize(1280, 1024) << QSizeF(15360, 10965) << true << "4732.5" << "3255" << "small" << true;
    QTest::newRow("minimised") << QSize(1280, 1024) << QSizeF(0, 0) << true << "0" << "0" << "small" << false;
}

void tst_view::layout()
{
    QFETCH(QSizeF, inner);
    QFETCH(bool, alerts);
    QFETCH(QString, layout);
    QFETCH(QSize, screen);
    Rig rig;
    rig.fake.screen.screenSize = screen;
    rig.fake.messages.texts.clear();
    rig.form.board().AlertsAreOn = alerts;
    rig.form.Form_Resize(inner);

    QTEST(rig.form.board().Text5.Text(), "text5");
    QTEST(rig.form.board().Text6.Text(), "text6");
    QFETCH(bool, alert);
    QCOMPARE(rig.fake.messages.texts, alert ? QStringList{t(texts::kUnsupportedResolution)} : QStringList());

    const layout::Column &c = layout == QLatin1String("small") ? layout::kSmall
                            : layout == QLatin1String("medium") ? layout::kMedium : layout::kLarge;
    for (int i = 0; i < 9; ++i) {
        const int row = i / 3, column = i % 3;
        const QRect image(c.lefts[column], c.imageTops[row], c.imageWidth, c.imageHeight);
        const QRect label(c.lefts[column], c.labelTops[row], c.imageWidth, 225);
        QCOMPARE(rig.form.geometry().images[i], image);
        QCOMPARE(rig.form.geometry().labels[i], label);
        QCOMPARE(rig.form.Image1[i]->geometry(), px(image));
        QCOMPARE(rig.form.SceneLabel[i]->geometry(), px(label));
    }
    QCOMPARE(rig.form.geometry().images[0].topLeft(), QPoint(120, 240)); // row 0 never moves
    QCOMPARE(rig.form.geometry().frame, QRect(c.frameLeft, 0, c.frameWidth, 6495));
    QCOMPARE(rig.form.Frame1->geometry(), px(QRect(c.frameLeft, 0, c.frameWidth, 6495)));
}

void tst_view::panelDesign()
{
    Rig rig;
    Form1 &f = rig.form;
    QCOMPARE(f.FatViewSceneLabel->text(), t("-no view loaded-"));
    QCOMPARE(f.SceneText->toPlainText(), t("-no script loaded-\n"));
    QCOMPARE(f.PageCurrent->text(), t("Page: 0"));
    QCOMPARE(f.FrameTotal->text(), t("Total Images ="));
    QCOMPARE(f.Command1->text(), t("<<"));
    QCOMPARE(f.Command1->toolTip(), t("Last scene"));
    QCOMPARE(f.Command2->text(), t(">>"));
    QCOMPARE(f.Command2->toolTip(), t("Next scene"));
    QCOMPARE(f.Command3->text(), t("Close"));
    QCOMPARE(f.Command3->toolTip(), t("Close scene"));
    QVERIFY(!f.Command1->isEnabled() && !f.Command2->isEnabled() && f.Command3->isEnabled());
    QCOMPARE(f.Command6->text(), t("Help"));
    QCOMPARE(palette::background(f.Frame1), 0x00808080u);
    QCOMPARE(palette::background(f.FatViewSceneLabel), 0x00000000u);
    QCOMPARE(palette::foreground(f.FatViewSceneLabel), 0x00C0C0C0u);
    for (const layout::Place &place : layout::kFramePlaces) {
        auto *w = f.Frame1->findChild<QWidget *>(QLatin1String(place.name));
        QVERIFY2(w, place.name);
        QCOMPARE(w->geometry(), twips::rect(place.left, place.top, place.width, place.height));
    }
}

void tst_view::selection_data()
{
    QTest::addColumn<int>("scenes");
    QTest::addColumn<int>("pages");  // "page >>" clicks first
    QTest::addColumn<QString>("steps"); // b<i> box click, n next, l last
    QTest::addColumn<int>("d");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("script");
    QTest::addColumn<int>("listSelected");

    QTest::newRow(">> before any selection") << 20 << 0 << "n" << 1 << "Current View: Sc:2" << "2.-empty-" << 2;
    QTest::newRow("<< clamps at 0") << 20 << 0 << "b0 l" << 0 << "Current View: Sc:1" << "1.-empty-" << 1;
    QTest::newRow(">> clamps at 8") << 20 << 0 << "b8 n" << 8 << "Current View: Sc:9" << "9.-empty-" << 9;
    QTest::newRow("box 3 on page 2") << 20 << 1 << "b3" << 3 << "Current View: Sc:13" << "13.-empty-" << 13;
    QTest::newRow("label past the last scene keeps the script")
        << 12 << 1 << "b1 b3" << 3 << "Current View: Sc:13" << "11.-empty-" << 11;
    QTest::newRow("page change resets d") << 20 << 0 << "b7 p n" << 1 << "Current View: Sc:11" << "11.-empty-" << 11;
}

void tst_view::selection()
{
    QFETCH(int, scenes);
    QFETCH(int, pages);
    QFETCH(QString, steps);
    FakePlatform fake;
    ListDouble list(scenes);
    Form1 form(fake.platform());
    form.start();
    PictureBoard pictures(scenes);
    fake.pictures.choose(pictures.result);
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    board::SceneBoard &b = form.board();
    for (int i = 0; i < pages; ++i)
        b.Command4_Click();
    for (const QString &step : steps.split(u' ')) {
        if (step.startsWith(u'b'))
            b.SelectPosition(step.mid(1).toInt(), list);
        else if (step == QLatin1String("n"))
            b.NextScene(list);
        else if (step == QLatin1String("l"))
            b.LastScene(list);
        else if (step == QLatin1String("p"))
            b.Command4_Click();
    }
    QTEST(b.d.toInt(), "d");
    QTEST(b.FatViewSceneLabel, "caption");
    QTEST(form.FatViewSceneLabel->text(), "caption");
    QTEST(b.SceneText, "script");
    QTEST(form.SceneText->toPlainText(), "script");
    QTEST(list.selected, "listSelected");
    // The preview shows the selected box's scene.
    QCOMPARE(b.BigPreview.file, b.Image1[b.d.toInt()].picture.file);
}

void tst_view::selectionBeforeAnyBoard()
{
    Rig rig; // layout choice cancelled: labels still read "Sc: -empty-"
    ListDouble list(0);
    rig.form.board().SelectPosition(4, list);
    QCOMPARE(rig.form.FatViewSceneLabel->text(), t("Current View: Sc: -empty-"));
    QCOMPARE(rig.form.SceneText->toPlainText(), t("-no script loaded-\n"));
    QVERIFY(list.selections.isEmpty());
    // The real window's own list copes as well.
    rig.form.Image1_Click(2);
    rig.form.sPosition_Click(9);
    QCOMPARE(rig.form.board().d.toInt(), 8);
    QVERIFY(rig.fake.messages.texts.isEmpty());
}

void tst_view::closeScene()
{
    PictureBoard pictures(9);
    Rig rig(&pictures);
    ListDouble list(9);
    rig.form.board().SelectPosition(2, list);
    QCOMPARE(rig.form.BigPreview->picture().resource, 0);
    QTest::mouseClick(rig.form.Command3, Qt::LeftButton);
    QCOMPARE(rig.form.BigPreview->picture().resource, 2000);
    QCOMPARE(rig.form.FatViewSceneLabel->text(), t("Current View: Sc:3"));
    QCOMPARE(rig.form.SceneText->toPlainText(), t("3.-empty-"));
    QCOMPARE(rig.form.board().d.toInt(), 2);
}

void tst_view::previewIsSharp()
{
    PictureBoard pictures(9);
    Rig rig(&pictures);
    ListDouble list(9);
    rig.fake.loader.bounds.clear();
    rig.form.board().SelectPosition(0, list);
    // Decoded from the file again at the preview's size, not the box's thumbnail.
    QCOMPARE(rig.fake.loader.bounds, QList<QSize>{rig.form.board().PreviewPixels});
    QCOMPARE(rig.form.BigPreview->picture().image.size(), QSize(64, 48));
    // A file gone since the page was shown: the blank scene picture, no message.
    QFile::remove(pictures.dir.filePath(QStringLiteral("s2.bmp")));
    rig.fake.messages.texts.clear();
    rig.form.board().SelectPosition(1, list);
    QCOMPARE(rig.form.BigPreview->picture().resource, 101);
    QVERIFY(rig.fake.messages.texts.isEmpty());
}

void tst_view::closeUpSize_data()
{
    QTest::addColumn<QString>("text5");
    QTest::addColumn<QSize>("outer");
    QTest::addColumn<QSize>("image");
    QTest::newRow("640 x 480") << "4800" << QSize(6780, 6990) << QSize(6700, 6700);
    QTest::newRow("800 x 600") << "6000" << QSize(8380, 8190) << QSize(8300, 7900);
    QTest::newRow("1024 x 768") << "7680" << QSize(9780, 9590) << QSize(9700, 9300);
    QTest::newRow("10240 sorts before 6000") << "10240" << QSize(6780, 6990) << QSize(6700, 6700);
    QTest::newRow("7000") << "7000" << QSize(9780, 9590) << QSize(9700, 9300);
    QTest::newRow("restored 4732.5") << "4732.5" << QSize(6780, 6990) << QSize(6700, 6700);
}

void tst_view::closeUpSize()
{
    QFETCH(QString, text5);
    QFETCH(QSize, outer);
    QFETCH(QSize, image);
    Rig rig;
    rig.form.board().Text5.setText(text5);
    QTest::mouseClick(rig.form.BigPreview, Qt::LeftButton);
    Quorvadine *closeUp = rig.form.closeUp();
    QVERIFY(closeUp && closeUp->isVisible());
    QCOMPARE(closeUp->windowTitle(), t("CloseUp"));
    QCOMPARE(closeUp->size(), QSize(twips::toPixels(outer.width() - Quorvadine::kFrameWidth),
                                    twips::toPixels(outer.height() - Quorvadine::kFrameHeight)));
    QCOMPARE(closeUp->Image1->geometry(), twips::rect(0, 0, image.width(), image.height()));
    QCOMPARE(closeUp->Image1->picture().resource, 2000); // nothing selected yet
}

void tst_view::closeUpKeepsItsPicture()
{
    PictureBoard pictures(9);
    Rig rig(&pictures);
    rig.form.Image1_Click(0);
    rig.form.BigPreview_Click();
    QPointer<Quorvadine> closeUp = rig.form.closeUp();
    const QString first = closeUp->Image1->picture().file;
    QVERIFY(first.endsWith(QLatin1String("s1.bmp")));
    rig.form.Image1_Click(5);
    rig.form.BigPreview_Click();
    QCOMPARE(rig.form.closeUp(), closeUp.data());
    QCOMPARE(closeUp->Image1->picture().file, first);
    closeUp->close();
    QTRY_VERIFY(closeUp.isNull());
    rig.form.BigPreview_Click();
    QVERIFY(rig.form.closeUp()->Image1->picture().file.endsWith(QLatin1String("s6.bmp")));
}

void tst_view::positionItems()
{
    PictureBoard pictures(9);
    Rig rig(&pictures);
    QVERIFY(rig.form.action("sPosition5")->isEnabled());
    rig.form.action("sPosition5")->trigger();
    QCOMPARE(rig.form.board().d.toInt(), 4);
    QCOMPARE(rig.form.FatViewSceneLabel->text(), t("Current View: Sc:5"));
    QVERIFY(rig.form.closeUp()->Image1->picture().file.endsWith(QLatin1String("s5.bmp")));
    // With the close-up open, another position changes the selection only.
    rig.form.action("sPosition3")->trigger();
    QCOMPARE(rig.form.board().d.toInt(), 2);
    QVERIFY(rig.form.closeUp()->Image1->picture().file.endsWith(QLatin1String("s5.bmp")));
}

void tst_view::picturesFollowTheBoxSize()
{
    PictureBoard pictures(9, QSize(400, 400));
    QVERIFY(QFile::remove(pictures.dir.filePath(QStringLiteral("s9.bmp"))));
    Rig rig(&pictures);
    QCOMPARE(rig.fake.messages.texts, QStringList{t(texts::kMissingPicture)});
    rig.form.board().AlertsAreOn = false;
    rig.form.Form_Resize(QSizeF(19200, 14700)); // the large layout
    for (int i = 0; i < 8; ++i)
        QCOMPARE(rig.form.Image1[i]->picture().image.size(), rig.form.Image1[i]->size() * rig.form.devicePixelRatio());
    QCOMPARE(rig.form.Image1[8]->picture().resource, 101);
    QCOMPARE(rig.fake.messages.texts.size(), 1);
    QVERIFY(!rig.fake.pointer.isBusy());
}

// Each key in the window it belongs to, on a board of three pages.
void tst_view::keys_data()
{
    QTest::addColumn<QString>("window");
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("page");     // shown before the key
    QTest::addColumn<QString>("after"); // the page caption and the view caption, or whether the window is open

    QTest::newRow("Page Down: page >>") << "Form1" << int(Qt::Key_PageDown) << 1 << "Page: 2 / -no view loaded-";
    QTest::newRow("Page Down on the last page") << "Form1" << int(Qt::Key_PageDown) << 3 << "Page: 3 / -no view loaded-";
    QTest::newRow("Page Up: << page") << "Form1" << int(Qt::Key_PageUp) << 3 << "Page: 2 / -no view loaded-";
    QTest::newRow("Page Up on page 1") << "Form1" << int(Qt::Key_PageUp) << 1 << "Page: 1 / -no view loaded-";
    QTest::newRow("Home: first page") << "Form1" << int(Qt::Key_Home) << 3 << "Page: 1 / -no view loaded-";
    QTest::newRow("End: last page") << "Form1" << int(Qt::Key_End) << 1 << "Page: 3 / -no view loaded-";
    QTest::newRow("Right: >>") << "Form1" << int(Qt::Key_Right) << 2 << "Page: 2 / Current View: Sc:11";
    QTest::newRow("Left: <<") << "Form1" << int(Qt::Key_Left) << 2 << "Page: 2 / Current View: Sc:10";
    QTest::newRow("Escape closes the close-up") << "Quorvadine" << int(Qt::Key_Escape) << 1 << "closed";
    QTest::newRow("Enter in the options window: OK") << "frmOptions" << int(Qt::Key_Return) << 1 << "closed";
    QTest::newRow("keypad Enter in the help window: Close") << "Help" << int(Qt::Key_Enter) << 1 << "closed";
    QTest::newRow("Enter on the print dialogue's focused Close") << "PrintPreviewDialog" << int(Qt::Key_Return) << 1 << "closed";
}

void tst_view::keys()
{
    QFETCH(QString, window);
    QFETCH(int, key);
    QFETCH(int, page);
    PictureBoard pictures(20);
    Rig rig(&pictures);
    for (int p = 1; p < page; ++p)
        rig.form.Command4->click();
    QCOMPARE(rig.form.PageCurrent->text(), QStringLiteral("Page: %1").arg(page));
    QWidget *target = &rig.form;
    if (window == QLatin1String("Quorvadine")) {
        rig.form.BigPreview_Click();
        target = rig.form.closeUp();
    } else if (window == QLatin1String("frmOptions")) {
        rig.form.sOptions_Click();
        target = rig.form.options();
        target->findChild<QWidget *>(QStringLiteral("Check0"))->setFocus(); // not a button: the default one
    } else if (window == QLatin1String("Help")) {
        rig.form.sHelp_Click();
        target = rig.form.help();
    } else if (window == QLatin1String("PrintPreviewDialog")) {
        rig.form.sPrint_Click();
        target = rig.form.printPreviewDialog();
        target->findChild<QWidget *>(QStringLiteral("CancelButton"))->setFocus();
    }
    QVERIFY(target);
    QPointer<QWidget> watched = target;
    target->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(target));
    QTest::keyClick(target, Qt::Key(key));
    QTest::qWait(0);
    QString after = window == QLatin1String("Form1")
                        ? rig.form.PageCurrent->text() + QStringLiteral(" / ") + rig.form.FatViewSceneLabel->text()
                        : QString::fromLatin1(watched && watched->isVisible() ? "open" : "closed");
    QTEST(after, "after");
}

QTEST_MAIN(tst_view)
#include "tst_view.moc"
