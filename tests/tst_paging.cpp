// Page display and paging: what the nine boxes, their labels, the page
// caption and the page buttons show after each click, and what the hidden
// lists hold between displays.
#include "interfaces/PictureList.h"
#include "resources/Colours.h"
#include "resources/Texts.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "widgets/ImageBox.h"
#include "widgets/Palette.h"

#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <QtTest>

using board::PageButton;

namespace {
QStringList fileNames(int first, int last, const QString &pattern = QStringLiteral("f%1.jpg"))
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << pattern.arg(i);
    return names;
}

QString boardOf(int count) { return QStringLiteral("/pics ") + fileNames(1, count).join(u' '); }
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
    void paging_data();
    void paging();
    void takeFileName_data();
    void takeFileName();
    void noBoardToPage();
    void realBoard();
};

void tst_paging::paging_data()
{
    QTest::addColumn<QString>("result"); // the picture dialog's answer
    QTest::addColumn<QString>("clicks"); // ">" page >>, "<" << page
    QTest::addColumn<QStringList>("boxes");
    QTest::addColumn<int>("firstLabel");
    QTest::addColumn<PageButton>("next");     // Command4, "page >>"
    QTest::addColumn<PageButton>("previous"); // Command5, "<< page"
    QTest::addColumn<int>("messages");        // missing-picture messages, however often the pages turn

    // The twelve images D:\PICS A.BMP ... L.GIF, here in /PICS.
    const QString twelve = "/PICS A.BMP B.BMP C.JPG D.JPG E.GIF F.BMP G.JPG H.GIF I.BMP J.BMP K.JPG L.GIF";
    const QStringList all = twelve.split(u' ').mid(1);
    QTest::newRow("12: page 1, A to I") << twelve << "" << all.mid(0, 9) << 1 << kWhite << kGrey << 0;
    QTest::newRow("12: page >>: J, K, L, then the end marker leaves 3 to 8 blank")
        << twelve << ">" << all.mid(9) + blanks(6) << 10 << kGrey << kWhite << 0;
    QTest::newRow("12: << page: A to I, read again") << twelve << "><" << all.mid(0, 9) << 1 << kWhite << kGrey << 0;
    QTest::newRow("9: page 1 only") << boardOf(9) << "" << fileNames(1, 9) << 1 << kGrey << kGrey << 0;
    QTest::newRow("10: page 2 shows scene 10, labels run to Sc:18")
        << boardOf(10) << ">" << fileNames(10, 10) + blanks(8) << 10 << kGrey << kWhite << 0;
    QTest::newRow("18: full last page caught before it is filled")
        << boardOf(18) << ">" << fileNames(10, 18) << 10 << kGrey << kWhite << 0;
    QTest::newRow("27: page 3 grey, not red") << boardOf(27) << ">>" << fileNames(19, 27) << 19 << kGrey << kWhite << 0;
    const QString to60(59, u'>');
    QTest::newRow("540: page 59")
        << boardOf(540) << QString(58, u'>') << fileNames(523, 531) << 523 << kWhite << kWhite << 0;
    QTest::newRow("540: page 60 turns page >> light red")
        << boardOf(540) << to60 << fileNames(532, 540) << 532 << kLightRed << kWhite << 0;
    QTest::newRow("540: page 60 and back to 1")
        << boardOf(540) << to60 + QString(59, u'<') << fileNames(1, 9) << 1 << kWhite << kGrey << 0;
    QTest::newRow("539: page 60 meets the end marker: grey")
        << boardOf(539) << to60 << fileNames(532, 539) + blanks(1) << 532 << kGrey << kWhite << 0;
    // The missing-picture message comes once a board.
    QTest::newRow("20 missing, pages 1 2 3 2 1") << "/gone " + fileNames(1, 20, "missing%1.jpg").join(u' ') << ">><<"
                                                 << blanks(9) << 1 << kWhite << kGrey << 1;
    const QString oneMissing = boardOf(12) + " missing.jpg";
    QTest::newRow("one missing on page 2")
        << oneMissing << ">" << fileNames(10, 12) + blanks(6) << 10 << kGrey << kWhite << 1;
    QTest::newRow("one missing on page 2, never shown")
        << oneMissing << "" << fileNames(1, 9) << 1 << kWhite << kGrey << 0;
}

void tst_paging::paging()
{
    QFETCH(QString, result);
    QFETCH(QString, clicks);
    QFETCH(QStringList, boxes);
    QFETCH(int, firstLabel);
    QFETCH(PageButton, next);
    QFETCH(PageButton, previous);
    QFETCH(int, messages);

    support::BoardRig rig;
    const auto show = [&] { // the loader's record is of the last display
        rig.fake.pictures.choose(result);
        rig.board.GoSmall = true;
        rig.board.BeginBoard();
        for (const QChar c : clicks) {
            rig.loader.files.clear();
            c == u'>' ? rig.board.Command4_Click() : rig.board.Command5_Click();
        }
    };
    show();
    const QString folder = result.section(u' ', 0, 0);
    const QStringList names = result.section(u' ', 1).split(u' ');
    const int page = (firstLabel - 1) / 9 + 1;
    QStringList shown, labels, read;
    for (const board::SceneBox &box : rig.board.Image1) {
        QVERIFY(box.visible);
        shown << (box.picture.resource ? QStringLiteral("[%1]").arg(box.picture.resource)
                                       : box.picture.file.section(u'/', -1));
    }
    for (int i = 0; i < 9; ++i)
        labels << QStringLiteral("Sc:%1").arg(firstLabel + i);
    for (const QString &name : names.mid(firstLabel - 1, 9)) // each display reads its pictures again
        read << folder + u'/' + name;
    QCOMPARE(shown, boxes);
    QCOMPARE(QStringList(rig.board.SceneLabel.begin(), rig.board.SceneLabel.end()), labels);
    QCOMPARE(rig.loader.files, read);
    QCOMPARE(rig.board.PageCurrent, QStringLiteral("Page: %1").arg(page));
    QCOMPARE(rig.board.Command4, next);
    QCOMPARE(rig.board.Command5, previous);
    QCOMPARE(rig.board.FrameTotal, QStringLiteral("Total Images= %1").arg(names.size()));
    QCOMPARE(rig.fake.messages.texts, QStringList(messages, t(texts::kMissingPicture)));
    show(); // a new board may show the message again
    QCOMPARE(rig.fake.messages.texts.size(), 2 * messages);
}

// The name is cut after three characters past its first dot, counted as
// characters, not as UTF-16 units.
void tst_paging::takeFileName_data()
{
    QTest::addColumn<QString>("item");
    QTest::addColumn<QString>("name");

    QTest::newRow("short name of my shot.1.jpg") << "my%20shot%2E1.jpg" << "my%20shot%2E1.jpg";
    QTest::newRow("second dot: cut at the first") << "shot.1.jpg" << "shot.1.j";
    QTest::newRow("four letter extension keeps three") << "photo.jpeg" << "photo.jpe";
    QTest::newRow("no dot") << "README" << "README";
    QTest::newRow("three characters, one outside the BMP") << t("pic.ab\U0001F600x") << t("pic.ab\U0001F600");
    QTest::newRow("non-BMP character third and last") << t("pic.ab\U0001F600") << t("pic.ab\U0001F600");
}

void tst_paging::takeFileName()
{
    QFETCH(QString, item);
    QFETCH(QString, name);
    support::BoardRig rig;
    rig.board.RichTextBox2.setText(item);
    rig.board.TakeFileName();
    QCOMPARE(rig.board.Text3.Text(), name);
}

// The layout choice was cancelled: both page buttons are still enabled, with
// no board behind them, and clicking them does nothing.
void tst_paging::noBoardToPage()
{
    support::FormRig rig(0);
    QVERIFY(rig.form.Command4->isEnabled() && rig.form.Command5->isEnabled());
    rig.turn("><<>>><<<");
    QVERIFY(takesInput(rig.form));
    QCOMPARE(rig.form.PageCurrent->text(), t("Page: 0"));
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(rig.form.SceneLabel[i]->text(), t("Sc: -empty-"));
        QVERIFY(!rig.form.Image1[i]->isVisible());
    }
    QCOMPARE(rig.fake.messages.texts, QStringList());
    QCOMPARE(rig.fake.loader.files, QStringList());
}

// The sample pictures, copied to a folder with a blank in its name with two
// more that sort after them, paged through the window's own buttons. Every
// sample decodes. Two pictures are deleted once page 1 shows: the message
// comes once, at the first display that misses one; later displays miss them
// again silently.
void tst_paging::realBoard()
{
    QTemporaryDir root;
    QDir dir(root.path());
    // Blanks, dots and "%" in the names, which the dialog result must carry.
    QVERIFY(dir.mkdir("my pics v1.2") && dir.cd("my pics v1.2"));
    QStringList paths;
    for (const QFileInfo &file : QDir(QV_SOURCE_DIR "/samples").entryInfoList({"*.jpg", "*.bmp", "*.gif"})) {
        paths << dir.filePath(file.fileName());
        QVERIFY(QFile::copy(file.filePath(), paths.last()));
    }
    paths << dir.filePath("my shot.1 5%20 100%.jpg") << dir.filePath("z.jpg"); // scenes 25 and 26
    QVERIFY(QFile::copy(paths[0], paths[24]) && QFile::copy(paths[0], paths[25]));
    support::FormRig shown(picturelist::resultText(paths));
    const Form1 &form = shown.form;
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 26"));
    const struct { QString turn; int page; QList<int> blank; int messages; } steps[] = {
        {"", 1, {}, 0}, {">", 2, {}, 0}, {">", 3, {7, 8}, 1}, {"<<", 1, {2}, 1}};
    for (const auto &step : steps) {
        shown.turn(step.turn);
        QCOMPARE(form.PageCurrent->text(), QStringLiteral("Page: %1").arg(step.page));
        QCOMPARE(form.SceneLabel[0]->text(), QStringLiteral("Sc:%1").arg(9 * step.page - 8));
        for (int i = 0; i < 9; ++i)
            QCOMPARE(form.Image1[i]->picture().resource, step.blank.contains(i) ? 101 : 0);
        QCOMPARE(shown.fake.messages.texts, QStringList(step.messages, gone("z.jpg")));
        QCOMPARE(form.Command4->isEnabled(), step.page < 3);
        QCOMPARE(form.Command5->isEnabled(), step.page > 1);
        QCOMPARE(palette::background(form.Command4), step.page < 3 ? colours::kWhite : colours::kGrey);
        if (step.turn.isEmpty())
            QVERIFY(QFile::remove(paths[2]) && QFile::remove(paths[25]));
    }
}

QTEST_MAIN(tst_paging)
#include "tst_paging.moc"
