// Page display and paging: what the nine boxes, their labels, the page
// caption and the page buttons show after each click, and what the hidden
// lists hold between displays.
#include "resources/Colours.h"
#include "board/SceneBoard.h"
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/Palette.h"
#include "platform/QtPictureDialog.h"
#include "support/BoardRig.h"
#include "support/PictureFiles.h"
#include "view/BeginOption.h"
#include "view/Form1.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

using board::PageButton;
using board::SceneBoard;

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

struct Rig : support::BoardRig
{
    void load(const QString &result)
    {
        fake.pictures.choose(result);
        board.GoSmall = true;
        board.BeginBoard();
    }
    // ">" next page, "<" previous page; the loader's record is of the last display.
    void click(const QString &clicks)
    {
        for (QChar c : clicks) {
            loader.files.clear();
            if (c == u'>')
                board.Command4_Click();
            else
                board.Command5_Click();
        }
    }
    // What each box shows: its file's name, "[101]" for the blank scene picture.
    QStringList boxes() const
    {
        QStringList shown;
        for (const board::SceneBox &box : board.Image1)
            shown << (box.picture.resource ? QStringLiteral("[%1]").arg(box.picture.resource)
                                           : box.picture.file.section(u'/', -1));
        return shown;
    }
    QStringList labels() const { return {board.SceneLabel.begin(), board.SceneLabel.end()}; }
};

QStringList fileNames(int first, int last, const QString &pattern = QStringLiteral("f%1.jpg"))
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << pattern.arg(i);
    return names;
}

QString boardOf(int count) { return QStringLiteral("/pics ") + fileNames(1, count).join(u' '); }

QStringList labelsFrom(int first)
{
    QStringList labels;
    for (int i = first; i < first + 9; ++i)
        labels << QStringLiteral("Sc:%1").arg(i);
    return labels;
}

QStringList blanks(int count) { return QStringList(count, QStringLiteral("[101]")); }

const PageButton kWhite{true, colours::kWhite};
const PageButton kGrey{false, colours::kGrey};
const PageButton kLightRed{false, colours::kLightRed};
} // namespace

Q_DECLARE_METATYPE(PageButton)

class tst_paging : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void twelveImages_data();
    void twelveImages();
    void paging_data();
    void paging();
    void takeFileName_data();
    void takeFileName();
    void skipToPage_data();
    void skipToPage();
    void fallbackMessageOnce_data();
    void fallbackMessageOnce();
    void noBoardToPage_data();
    void noBoardToPage();
    void pagingThroughTheButtons();
    void deletedAfterLoading();
};

// The twelve images D:\PICS A.BMP ... L.GIF, here in /PICS.
void tst_paging::twelveImages_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<QStringList>("labels");
    QTest::addColumn<QStringList>("decoded"); // the pictures read from disk for this display
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("noMore");

    const QStringList all{"A.BMP", "B.BMP", "C.JPG", "D.JPG", "E.GIF", "F.BMP",
                          "G.JPG", "H.GIF", "I.BMP", "J.BMP", "K.JPG", "L.GIF"};
    QStringList onDisk;
    for (const QString &name : all)
        onDisk << QStringLiteral("/PICS/") + name;

    QTest::newRow("page 1: boxes 0 to 8 = A to I")
        << "" << all.mid(0, 9) << labelsFrom(1) << onDisk.mid(0, 9) << "Page: 1" << false;
    QTest::newRow("page >>: J, K, L, then the end marker leaves boxes 3 to 8 blank")
        << ">" << (all.mid(9, 3) + blanks(6)) << labelsFrom(10) << onDisk.mid(9, 3) << "Page: 2" << true;
    QTest::newRow("<< page: A to I again, read from disk again")
        << "><" << all.mid(0, 9) << labelsFrom(1) << onDisk.mid(0, 9) << "Page: 1" << false;
    QTest::newRow("page >> once more: the same three")
        << "><>" << (all.mid(9, 3) + blanks(6)) << labelsFrom(10) << onDisk.mid(9, 3) << "Page: 2" << true;
}

void tst_paging::twelveImages()
{
    QFETCH(QString, clicks);
    QFETCH(QStringList, boxes);
    QFETCH(QStringList, labels);
    QFETCH(QStringList, decoded);
    QFETCH(QString, page);
    QFETCH(bool, noMore);

    Rig rig;
    rig.load(QStringLiteral("/PICS A.BMP B.BMP C.JPG D.JPG E.GIF F.BMP G.JPG H.GIF I.BMP J.BMP K.JPG L.GIF"));
    rig.click(clicks);

    // Between displays the working list is the full list again, and the
    // backup list holds every name and the end marker.
    const QString full = t("A.BMP B.BMP C.JPG D.JPG E.GIF F.BMP G.JPG H.GIF I.BMP J.BMP K.JPG L.GIF +++.+++");
    QCOMPARE(rig.board.RichTextBox3.Text(), full);
    QCOMPARE(rig.board.RichTextBox1.Text(), full);
    QCOMPARE(rig.board.Text1.Text(), t("/PICS"));
    QCOMPARE(rig.boxes(), boxes);
    QCOMPARE(rig.labels(), labels);
    QCOMPARE(rig.loader.files, decoded);
    QCOMPARE(rig.board.PageCurrent, page);
    QCOMPARE(rig.board.NoMore.toBool(), noMore);
    QCOMPARE(rig.board.FrameTotal, t("Total Images= 12"));
    QCOMPARE(rig.fake.messages.texts, QStringList());
}

void tst_paging::paging_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("firstLabel");
    QTest::addColumn<PageButton>("next");     // Command4, "page >>"
    QTest::addColumn<PageButton>("previous"); // Command5, "<< page"

    const QString to60 = QString(59, u'>');
    QTest::newRow("9 images: page 1 only") << 9 << "" << fileNames(1, 9) << 1 << kGrey << kGrey;
    QTest::newRow("10 images: page 1") << 10 << "" << fileNames(1, 9) << 1 << kWhite << kGrey;
    QTest::newRow("10 images: page 2 shows scene 10, labels run to Sc:18")
        << 10 << ">" << (fileNames(10, 10) + blanks(8)) << 10 << kGrey << kWhite;
    QTest::newRow("12 images: page 2") << 12 << ">" << (fileNames(10, 12) + blanks(6)) << 10 << kGrey << kWhite;
    QTest::newRow("18 images: full last page caught before it is filled")
        << 18 << ">" << fileNames(10, 18) << 10 << kGrey << kWhite;
    QTest::newRow("18 images: back to page 1") << 18 << "><" << fileNames(1, 9) << 1 << kWhite << kGrey;
    QTest::newRow("27 images: full page 3 is grey, not red") << 27 << ">>" << fileNames(19, 27) << 19 << kGrey << kWhite;
    QTest::newRow("27 images: page 2 of 3") << 27 << ">><" << fileNames(10, 18) << 10 << kWhite << kWhite;
    QTest::newRow("540 images: page 59") << 540 << QString(58, u'>') << fileNames(523, 531) << 523 << kWhite << kWhite;
    QTest::newRow("540 images: page 60 turns page >> light red")
        << 540 << to60 << fileNames(532, 540) << 532 << kLightRed << kWhite;
    QTest::newRow("540 images: page 60 and back to 1")
        << 540 << (to60 + QString(59, u'<')) << fileNames(1, 9) << 1 << kWhite << kGrey;
    QTest::newRow("539 images: page 60 meets the end marker: grey")
        << 539 << to60 << (fileNames(532, 539) + blanks(1)) << 532 << kGrey << kWhite;
}

void tst_paging::paging()
{
    QFETCH(int, count);
    QFETCH(QString, clicks);
    QFETCH(QStringList, boxes);
    QFETCH(int, firstLabel);
    QFETCH(PageButton, next);
    QFETCH(PageButton, previous);

    Rig rig;
    rig.load(boardOf(count));
    rig.click(clicks);

    QCOMPARE(rig.boxes(), boxes);
    QCOMPARE(rig.labels(), labelsFrom(firstLabel));
    const int page = (firstLabel - 1) / 9 + 1;
    QCOMPARE(rig.board.PageCurrent, QStringLiteral("Page: %1").arg(page));
    QCOMPARE(rig.board.Command4, next);
    QCOMPARE(rig.board.Command5, previous);
    for (const board::SceneBox &box : rig.board.Image1)
        QVERIFY(box.visible);
    // What a later display relies on.
    QCOMPARE(rig.board.RichTextBox1.Text(), fileNames(1, count).join(u' ') + t(" +++.+++"));
    QCOMPARE(rig.board.RichTextBox3.Text(), rig.board.RichTextBox1.Text());
    QCOMPARE(rig.board.Amounted.toInt(), page);
    QCOMPARE(rig.board.InsertionPoint.toInt(), page - 1);
    QCOMPARE(rig.board.DaCounter.toInt(), page - 1);
    QCOMPARE(rig.fake.messages.texts, QStringList());
}

void tst_paging::takeFileName_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("endMarker");

    QTest::newRow("plain name") << "A.BMP" << "A.BMP" << false;
    QTest::newRow("short name of my shot.1.jpg") << "my%20shot%2E1.jpg" << "my%20shot%2E1.jpg" << false;
    QTest::newRow("second dot: cut at the first") << "shot.1.jpg" << "shot.1.j" << false;
    QTest::newRow("four letter extension keeps three") << "photo.jpeg" << "photo.jpe" << false;
    QTest::newRow("no dot") << "README" << "README" << false;
    QTest::newRow("three characters, one outside the BMP") << t("pic.ab\U0001F600x") << t("pic.ab\U0001F600") << false;
    QTest::newRow("non-BMP character third and last") << t("pic.ab\U0001F600") << t("pic.ab\U0001F600") << false;
    QTest::newRow("end marker") << "+++.+++" << "+++.+++" << true;
}

void tst_paging::takeFileName()
{
    QFETCH(QString, item);
    QFETCH(QString, name);
    QFETCH(bool, endMarker);
    Rig rig;
    rig.load(boardOf(20));
    rig.board.RichTextBox2.setText(item);
    rig.board.TakeFileName();
    QCOMPARE(rig.board.Text3.Text(), name);
    QCOMPARE(rig.board.NoMore.toBool(), endMarker);
    QCOMPARE(rig.board.Command4, endMarker ? kGrey : kWhite);
}

// The procedure that cuts the earlier pages' names off the working list.
void tst_paging::skipToPage_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("k");        // InsertionPoint on entry
    QTest::addColumn<int>("amounted"); // the page being shown
    QTest::addColumn<QString>("left"); // the front of the working list after it
    QTest::addColumn<PageButton>("next");

    QTest::newRow("k = 0 on page 1 enables page >>, colour untouched") << 20 << 0 << 1 << "f1.jpg" << PageButton{true, colours::kGrey};
    QTest::newRow("k = 0 on a later page touches nothing") << 20 << 0 << 2 << "f1.jpg" << kGrey;
    QTest::newRow("k = 1 drops nine names and the blank") << 20 << 1 << 2 << "f10.jpg" << kGrey;
    QTest::newRow("k = 1, full last page: grey") << 18 << 1 << 2 << "f10.jpg" << kGrey;
    QTest::newRow("k = 58, full last page: grey") << 531 << 58 << 59 << "f523.jpg" << kGrey;
    QTest::newRow("k = 59, full last page: light red") << 540 << 59 << 60 << "f532.jpg" << kLightRed;
    QTest::newRow("k = 61 does nothing") << 540 << 61 << 62 << "f1.jpg" << kGrey;
    QTest::newRow("k = -1 does nothing") << 540 << -1 << 1 << "f1.jpg" << kGrey;
}

void tst_paging::skipToPage()
{
    QFETCH(int, count);
    QFETCH(int, k);
    QFETCH(int, amounted);
    QFETCH(QString, left);
    QFETCH(PageButton, next);
    Rig rig;
    rig.board.CountItUp = count;
    rig.board.Amounted = amounted;
    rig.board.InsertionPoint = k;
    rig.board.Command4 = kGrey;
    rig.board.RichTextBox1.setText(fileNames(1, count).join(u' ') + t(" +++.+++"));
    rig.board.SkipToPage();
    QCOMPARE(rig.board.RichTextBox1.Text().section(u' ', 0, 0), left);
    QCOMPARE(rig.board.Command4, next);
    if (k >= 1 && k <= 60)
        QCOMPARE(rig.board.InsertionPoint.toInt(), 0);
}

void tst_paging::fallbackMessageOnce_data()
{
    QTest::addColumn<QString>("result");
    QTest::addColumn<QString>("clicks");
    QTest::addColumn<int>("messages");

    QTest::newRow("every picture of 20 missing, pages 1, 2, 3, 2, 1")
        << QStringLiteral("/gone ") + fileNames(1, 20, QStringLiteral("missing%1.jpg")).join(u' ') << ">><<" << 1;
    QTest::newRow("one missing on page 2 only") << "/pics " + (fileNames(1, 12) + QStringList{"missing.jpg"}).join(u' ')
                                                << ">" << 1;
    QTest::newRow("one missing on page 2, never shown") << "/pics " + (fileNames(1, 12) + QStringList{"missing.jpg"}).join(u' ')
                                                        << "" << 0;
}

void tst_paging::fallbackMessageOnce()
{
    QFETCH(QString, result);
    QFETCH(QString, clicks);
    QFETCH(int, messages);
    Rig rig;
    rig.load(result);
    rig.click(clicks);
    QCOMPARE(rig.fake.messages.texts, QStringList(messages, t(texts::kMissingPicture)));
    QVERIFY(!rig.fake.messages.busyAtMessage.contains(true));

    // A new board may show it again.
    rig.load(result);
    rig.click(clicks);
    QCOMPARE(rig.fake.messages.texts.size(), 2 * messages);
}

void tst_paging::noBoardToPage_data()
{
    QTest::addColumn<QString>("clicks");
    QTest::newRow("page >>") << ">";
    QTest::newRow("<< page") << "<";
    QTest::newRow("both, many times") << "><<>>><<<";
}

// The layout choice was cancelled: both page buttons are still enabled, with
// no board behind them.
void tst_paging::noBoardToPage()
{
    QFETCH(QString, clicks);
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
    QVERIFY(form.isEnabled());
    QVERIFY(form.Command4->isEnabled() && form.Command5->isEnabled());
    for (QChar c : clicks)
        QTest::mouseClick(c == u'>' ? form.Command4 : form.Command5, Qt::LeftButton);
    QVERIFY(form.isEnabled());
    QCOMPARE(form.PageCurrent->text(), t("Page: 0"));
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.SceneLabel[i]->text(), t("Sc: -empty-"));
        QVERIFY(!form.Image1[i]->isVisible());
    }
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(fake.loader.files, QStringList());
    QVERIFY(form.action("sOpen")->isEnabled());
}

// A real board of pictures on disk, one with a blank and two dots in its
// name, paged through the window's own buttons.
void tst_paging::pagingThroughTheButtons()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir dir(root.path());
    QVERIFY(dir.mkdir(QStringLiteral("my pics")) && dir.cd(QStringLiteral("my pics")));
    QStringList paths;
    for (int i = 1; i <= 9; ++i)
        paths << dir.filePath(QStringLiteral("a%1.jpg").arg(i));
    paths << dir.filePath(QStringLiteral("my shot.1.jpg")); // sorts last: scene 10
    for (const QString &path : paths)
        QVERIFY(testpictures::writePicture(path, path.endsWith(QLatin1String("my shot.1.jpg")) ? Qt::red : Qt::blue));

    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(QtPictureDialog::resultText(paths));
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    QCOMPARE(palette::background(form.Command4), colours::kWhite);
    QCOMPARE(palette::background(form.Command5), colours::kGrey);
    QVERIFY(!form.Command5->isEnabled());

    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(form.PageCurrent->text(), t("Page: 2"));
    QCOMPARE(form.SceneLabel[0]->text(), t("Sc:10"));
    QCOMPARE(form.SceneLabel[8]->text(), t("Sc:18"));
    QCOMPARE(form.Image1[0]->picture().resource, 0);
    QVERIFY(form.Image1[0]->picture().image.pixelColor(0, 0).red() > 200); // my shot.1.jpg
    for (int i = 1; i < 9; ++i)
        QCOMPARE(form.Image1[i]->picture().resource, 101);
    QVERIFY(!form.Command4->isEnabled());
    QCOMPARE(palette::background(form.Command4), colours::kGrey);
    QVERIFY(form.Command5->isEnabled());
    QCOMPARE(palette::background(form.Command5), colours::kWhite);

    QTest::mouseClick(form.Command5, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    QCOMPARE(form.SceneLabel[0]->text(), t("Sc:1"));
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.Image1[i]->picture().resource, 0);
        QVERIFY(form.Image1[i]->picture().image.pixelColor(0, 0).blue() > 200);
    }
    QVERIFY(form.Command4->isEnabled());
    QCOMPARE(palette::background(form.Command4), colours::kWhite);
    QVERIFY(!form.Command5->isEnabled());
    QCOMPARE(fake.messages.texts, QStringList());
}

// Pictures deleted while the board is shown: the message comes once, at the
// first display that misses one; later displays miss them again silently.
void tst_paging::deletedAfterLoading()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QDir dir(root.path());
    QString result = dir.absolutePath();
    for (int i = 1; i <= 18; ++i) {
        QVERIFY(testpictures::writePicture(dir.filePath(QStringLiteral("f%1.jpg").arg(i))));
        result += QStringLiteral(" f%1.jpg").arg(i);
    }
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(result);
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    QCOMPARE(form.Image1[2]->picture().resource, 0);
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("f3.jpg"))));
    QVERIFY(QFile::remove(dir.filePath(QStringLiteral("f12.jpg"))));

    const struct { QPushButton *button; int blankBox; int messages; } steps[] = {
        {form.Command4, 2, 1}, // f12 missing: the message
        {form.Command5, 2, 1}, // f3 missing: silently
        {form.Command4, 2, 1},
    };
    for (const auto &step : steps) {
        QTest::mouseClick(step.button, Qt::LeftButton);
        for (int i = 0; i < 9; ++i)
            QCOMPARE(form.Image1[i]->picture().resource, i == step.blankBox ? 101 : 0);
        QCOMPARE(fake.messages.texts, QStringList(step.messages, t(texts::kMissingPicture)));
    }
}

QTEST_MAIN(tst_paging)
#include "tst_paging.moc"
