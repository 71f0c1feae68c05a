// The board model without a window (the work buffer, counting,
// page display and paging: what the nine boxes, their labels, the page
// caption and the page buttons show after each click) and then the main
// window, its layout choice and a real board paged through, driven as a user
// would.
#include "board/SceneBoard.h"
#include "desktop/PictureDrop.h"
#include "desktop/QtPictureDialog.h"
#include "interfaces/PictureList.h"
#include "interfaces/ShortNames.h"
#include "resources/Colours.h"
#include "resources/Texts.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "support/StrayDialogs.h"
#include "view/BeginOption.h"
#include "view/Form1.h"
#include "widgets/ImageBox.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QAction>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QFileDialog>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>

using board::PageButton;
using board::SceneBoard;

namespace {
using support::names;
using Rig = support::BoardRig;

QStringList fileNames(int first, int last, const QString &pattern = QStringLiteral("f%1.jpg"))
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << pattern.arg(i);
    return names;
}

QStringList blanks(int count) { return QStringList(count, QStringLiteral("[101]")); }

const PageButton kWhite{true, colours::kWhite};
const PageButton kGrey{false, colours::kGrey};
const PageButton kLightRed{false, colours::kLightRed};
} // namespace

Q_DECLARE_METATYPE(PageButton)

class tst_board : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void counting_data()
    {
        QTest::addColumn<QString>("result");
        QTest::addColumn<int>("count");
        QTest::addColumn<QString>("total");
        QTest::addColumn<QString>("text2");
        QTest::addColumn<QStringList>("messages");

        const QStringList tooFew{t(texts::kTooFew)};
        const QStringList tooMany{t(texts::kTooMany)};
        QTest::newRow("three names") << "D:\\PICS A.BMP B.jpg E.GIF" << 3 << "Total Images= 3" << "3" << tooFew;
        QTest::newRow("A.BMP.JPG counts twice") << "D:\\PICS A.BMP.JPG B.bmp" << 3 << "Total Images= 3" << "3" << tooFew;
        QTest::newRow("one file") << "/home/u/a.jpg" << 1 << "Total Images =" << "" << tooFew;
        QTest::newRow("last item without a dot") << "D:\\PICS A.BMP B.JPG README" << 2 << "Total Images= 2" << "2" << tooFew;
        QTest::newRow("eight files") << names(8) << 8 << "Total Images= 8" << "8" << tooFew;
        QTest::newRow("exactly nine") << names(9) << 9 << "Total Images= 9" << "9" << QStringList();
        QTest::newRow("exactly 540") << names(540) << 540 << "Total Images= 540" << "540" << QStringList();
        QTest::newRow("541 stops") << names(541) << 541 << "Total Images= 541" << "541" << tooMany;
        QTest::newRow("600 stops at 541") << names(600) << 541 << "Total Images= 541" << "541" << tooMany;
        QTest::newRow("mixed case all count")
            << "/p a.Jpg b.jPG c.Bmp d.gIf e.JPG f.bmp g.GIF h.jpg i.Gif" << 9 << "Total Images= 9" << "9" << QStringList();
        QTest::newRow("mixed case does not stop later names")
            << "/p a.Jpg b.jpg c.jpg d.jpg" << 4 << "Total Images= 4" << "4" << tooFew;
        QTest::newRow("other extensions do not count") << "/p a.png b.txt c.jpg" << 1 << "Total Images =" << "" << tooFew;
    }

    void counting()
    {
        QFETCH(QString, result);
        Rig rig;
        rig.load(result);
        QTEST(rig.board.CountItUp.toInt(), "count");
        QTEST(rig.board.FrameTotal, "total");
        QTEST(rig.board.Text2.Text(), "text2");
        QTEST(rig.fake.messages.texts, "messages");
        QCOMPARE(rig.host.discards, 1);
        QVERIFY(!rig.fake.pointer.isBusy());
        QVERIFY(!rig.fake.messages.busyAtMessage.contains(true));

        QFETCH(int, count);
        const bool accepted = count >= 9 && count <= 540;
        QCOMPARE((QList<bool>{rig.board.sPrintEnabled, rig.board.sScriptEditorEnabled, rig.board.sPositionEnabled, rig.board.Weirdo.toBool()}),
                 QList<bool>(4, count >= 9));
        QCOMPARE(rig.board.PageCurrent, accepted ? t("Page: 1") : t("Page: 0"));
        QCOMPARE(rig.board.SceneLabel[0], accepted ? t("Sc:1") : t("Sc: -empty-"));
        QCOMPARE(rig.board.Command1Enabled, accepted);
        QCOMPARE(rig.fake.pictures.titles, QStringList{t("Open multiple images...")});
        QCOMPARE(rig.fake.pictures.filters, QStringList{t("Image Format (*.bmp)|*.bmp|Jpegs (*.jpg)|*.jpg|Gif Files (*.gif)|*.gif")});
        QCOMPARE(rig.fake.pictures.maxLengths, QList<int>{32000});
    }

    // A second "New Quorvadine" that brings no new board keeps the one shown.
    void keepsBoard_data()
    {
        QTest::addColumn<QString>("result"); // empty: the dialog is cancelled
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("discards");
        QTest::addColumn<bool>("paging");

        QTest::newRow("cancelled") << QString() << QStringList() << 12 << 1 << true;
        QTest::newRow("the dialog failed") << "failed" << QStringList{t(texts::kLoadError)} << 12 << 1 << true;
        QTest::newRow("too few: old pictures stay") << names(8) << QStringList{t(texts::kTooFew)} << 8 << 2 << false;
    }

    void keepsBoard()
    {
        QFETCH(QString, result);
        Rig rig;
        rig.load(names(12));
        const QImage shown = rig.board.Image1[4].picture.image;
        rig.fake.pictures.answers << DialogResult{result == u"failed" ? QString() : result, result == u"failed"};
        rig.board.FirstStep();
        QTEST(rig.fake.messages.texts, "messages");
        QTEST(rig.board.CountItUp.toInt(), "count");
        QTEST(rig.host.discards, "discards");
        QTEST(rig.board.Command4.enabled, "paging");
        QCOMPARE(rig.board.Image1[4].picture.image, shown);
        QCOMPARE(rig.board.SceneLabel[4], t("Sc:5"));
        QVERIFY(!rig.fake.pointer.isBusy());
    }

    void layoutChoice_data()
    {
        QTest::addColumn<QString>("how"); // the control of the layout choice clicked; "close": its close box; "exit": File > Exit
        QTest::addColumn<QString>("answer"); // empty: the open dialog is cancelled
        QTest::addColumn<QStringList>("messages");
        QTest::addColumn<QString>("total");
        QTest::addColumn<int>("dialogs");

        const QStringList missing{gone("f1.jpg")};
        QTest::newRow("9 per page, 20 pictures") << "Command7" << names(20) << missing << "Total Images= 20" << 1;
        QTest::newRow("picture click, 9 pictures") << "Picture1" << names(9) << missing << "Total Images= 9" << 1;
        QTest::newRow("9 per page, dialog cancelled") << "Command7" << QString() << QStringList() << "Total Images =" << 1;
        QTest::newRow("Cancel") << "Command1" << QString() << QStringList() << "Total Images =" << 0;
        QTest::newRow("close box") << "close" << QString() << QStringList() << "Total Images =" << 0;
        QTest::newRow("File > Exit") << "exit" << QString() << QStringList() << "Total Images =" << 0;
    }

    void layoutChoice()
    {
        QFETCH(QString, how);
        QFETCH(QString, answer);
        FakePlatform fake;
        Form1 form(fake.platform());
        form.start();
        QPointer<BeginOption> choice = form.beginOption();
        // The layout choice over the main window, which takes no input meanwhile.
        QVERIFY(choice && choice->isVisible() && !takesInput(form));
        QCOMPARE(form.windowTitle() + u'|' + choice->windowTitle(), t("Quorvadine v1.0|Layout choice:"));
        QCOMPARE(choice->size(), QSize(twips::toPixels(5085), twips::toPixels(2625)));
        QStringList captions;
        for (const QWidget *control : choice->findChildren<QWidget *>())
            if (const QString text = control->property("text").toString(); !text.isEmpty())
                captions << control->objectName() + (control->isEnabled() ? u'=' : u'~') + text;
        QCOMPARE(captions, (QStringList{"Command7=9  per page", "Command6~18 per page", "Command6~36 per page",
                                        "Label1=Must load min amount as per choice", "Command1=Cancel"}));
        QCOMPARE((QList<int>{choice->Picture1->picture().resource, choice->Picture2[0]->picture().resource,
                             choice->Picture2[1]->picture().resource}), (QList<int>{2001, 2005, 2005}));
        answer.isEmpty() ? fake.pictures.cancel() : fake.pictures.choose(answer);
        if (QWidget *control = choice->findChild<QWidget *>(how))
            QTest::mouseClick(control, Qt::LeftButton);
        else
            how == u"close" ? (void)choice->close() : form.sExit->trigger();
        QTRY_VERIFY(choice.isNull());
        QTEST(fake.messages.texts, "messages");
        QTEST(form.FrameTotal->text(), "total");
        QTEST(int(fake.pictures.titles.size()), "dialogs");
        QVERIFY(!fake.pointer.isBusy());
        QCOMPARE(form.isVisible(), how != u"exit");
        QVERIFY(!form.isVisible() || takesInput(form));
    }

    // Scenes are numbered in the dialog result's order, which must be the same
    // in every locale: ctest runs this under C, C.UTF-8 and en_US.UTF-8 too.
    void naturalOrder_data()
    {
        QTest::addColumn<QString>("chosen"); // names in the folder /pics
        QTest::addColumn<QString>("ordered");

        QTest::newRow("digits by value") << "shot29.jpg shot100.jpg shot5.jpg" << "shot5.jpg shot29.jpg shot100.jpg";
        QTest::newRow("letters case-blind") << "beta.jpg Gamma.jpg Alpha.jpg" << "Alpha.jpg beta.jpg Gamma.jpg";
        QTest::newRow("runs longer than any integer") << "f100000000000000000000.jpg f99999999999999999999.jpg"
                                                      << "f99999999999999999999.jpg f100000000000000000000.jpg";
        QTest::newRow("text after a number") << "s2b.jpg s2a10.jpg s2a9.jpg" << "s2a9.jpg s2a10.jpg s2b.jpg";
        QTest::newRow("ties in one order") << "shot1.jpg shot01.jpg Shot1.jpg" << "Shot1.jpg shot01.jpg shot1.jpg";
        QTest::newRow("ties in another") << "shot01.jpg Shot1.jpg shot1.jpg" << "Shot1.jpg shot01.jpg shot1.jpg";
    }

    void naturalOrder()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, ordered);
        if (!std::setlocale(LC_ALL, ""))
            QSKIP("the locale named in the environment is not installed (tools/deps installs en_US.UTF-8)");
        QStringList paths;
        for (const QString &name : chosen.split(u' '))
            paths << QStringLiteral("/pics/") + name;
        QCOMPARE(picturelist::resultText(paths), QStringLiteral("/pics ") + ordered);
    }

    // What a drop on the main window names: pictures of one folder, as the picture dialog lists them, or nothing.
    void drops_data()
    {
        QTest::addColumn<QStringList>("dropped"); // in a folder holding a/ (a subfolder, hidden and other files), b/, empty/
        QTest::addColumn<QString>("taken");       // "": refused
        QTest::newRow("files of one folder, any case") << QStringList{"a/s10.Gif", "a/s1.jpg", "a/s2.BMP", "a/s1.jpg"}
                                                       << "s1.jpg s2.BMP s10.Gif";
        QTest::newRow("one folder: its pictures only") << QStringList{"a"} << "s1.jpg s2.BMP s10.Gif";
        for (const auto &[name, dropped] : {std::pair("files of two folders", QStringList{"a/s1.jpg", "b/t1.jpg"}),
                                            {"two folders", {"a", "b"}}, {"a folder and a file", {"a", "a/s1.jpg"}},
                                            {"a name that is no picture", {"a/s1.jpg", "a/notes.txt"}},
                                            {"a file gone", {"a/gone.jpg"}}, {"a folder without pictures", {"empty"}},
                                            {"no local file", {"https://example.org/s1.jpg"}}, {"text", {"text"}}})
            QTest::newRow(name) << dropped << "";
    }

    void drops()
    {
        QFETCH(QStringList, dropped);
        QTemporaryDir dir;
        for (const char *file : {"a/s1.jpg", "a/s2.BMP", "a/s10.Gif", "a/s3.jpeg", "a/notes.txt", "a/.hidden.jpg", "a/sub/s4.jpg",
                                 "b/t1.jpg", "empty/notes.txt"})
            QVERIFY(QDir(dir.path()).mkpath(QFileInfo(dir.filePath(file)).path())
                    && QFile(dir.filePath(file)).open(QIODevice::WriteOnly));
        QMimeData data;
        QList<QUrl> urls;
        for (const QString &name : dropped)
            urls << (name.contains(u':') ? QUrl(name) : QUrl::fromLocalFile(dir.filePath(name)));
        dropped.first() == u"text" ? data.setText(dir.filePath("a/s1.jpg")) : data.setUrls(urls);
        // The picture dialog's text for them, the folder left off.
        QTEST(picturelist::resultText(picturedrop::pictures(&data, t(texts::kPictureFilter))).section(u' ', 1), "taken");
    }

    // Qt's own dialog where the desktop offers none: the board's types as given, several files, in the start folder.
    void pictureDialog()
    {
        const QString samples = QStringLiteral(QV_SOURCE_DIR "/samples");
        QStringList seen;
        support::answerNextDialog([&seen](QDialog *dialog) {
            auto *files = qobject_cast<QFileDialog *>(dialog);
            seen << files->windowTitle() << files->nameFilters() << files->directory().path();
            // Typed (picking with the mouse gives the same text in the name box), not completed.
            auto *name = files->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            const QSignalBlocker typed(name);
            name->setText(R"("frame10.JPG" "frame02.BMP")");
            dialog->accept(); // as the Open button does
        });
        QCOMPARE(QtPictureDialog(samples).openPictures(nullptr, t(texts::kOpenPicturesTitle), t(texts::kPictureFilter), 32000).fileName,
                 shortnames::directory(samples) + " frame02.BMP frame10.JPG"); // a "." in the checkout's path is encoded
        QCOMPARE(seen, QStringList({"Open multiple images...", "Image Format (*.bmp)", "Jpegs (*.jpg)", "Gif Files (*.gif)",
                                    "All pictures (*.bmp *.jpg *.gif)", samples}));
    }

    void paging_data()
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
        const auto row = [](const char *name, const QString &result, const QString &clicks, const QStringList &boxes, int first,
                            PageButton next, PageButton previous, int messages = 0) {
            QTest::newRow(name) << result << clicks << boxes << first << next << previous << messages;
        };
        row("12: page 1, A to I", twelve, "", all.mid(0, 9), 1, kWhite, kGrey);
        row("12: page >>: J, K, L, then the end marker leaves 3 to 8 blank", twelve, ">", all.mid(9) + blanks(6), 10, kGrey, kWhite);
        row("12: << page: A to I again", twelve, "><", all.mid(0, 9), 1, kWhite, kGrey);
        row("9: page 1 only", names(9), "", fileNames(1, 9), 1, kGrey, kGrey);
        row("10: page 2 shows scene 10, labels run to Sc:18", names(10), ">", fileNames(10, 10) + blanks(8), 10, kGrey, kWhite);
        row("18: full last page caught before it is filled", names(18), ">", fileNames(10, 18), 10, kGrey, kWhite);
        row("27: page 3 grey, not red", names(27), ">>", fileNames(19, 27), 19, kGrey, kWhite);
        const QString to60(59, u'>');
        row("540: page 59", names(540), QString(58, u'>'), fileNames(523, 531), 523, kWhite, kWhite);
        row("540: page 60 turns page >> light red", names(540), to60, fileNames(532, 540), 532, kLightRed, kWhite);
        row("540: page 60 and back to 1", names(540), to60 + QString(59, u'<'), fileNames(1, 9), 1, kWhite, kGrey);
        row("539: page 60 meets the end marker: grey", names(539), to60, fileNames(532, 539) + blanks(1), 532, kGrey, kWhite);
        // The missing-picture message comes once a board.
        row("20 missing, pages 1 2 3 2 1", "/gone " + fileNames(1, 20, "missing%1.jpg").join(u' '), ">><<", blanks(9), 1, kWhite, kGrey, 1);
        const QString oneMissing = names(12) + " missing.jpg";
        row("one missing on page 2", oneMissing, ">", fileNames(10, 12) + blanks(6), 10, kGrey, kWhite, 1);
        row("one missing on page 2, never shown", oneMissing, "", fileNames(1, 9), 1, kWhite, kGrey);
    }

    void paging()
    {
        QFETCH(QString, result);
        QFETCH(QString, clicks);
        QFETCH(QStringList, boxes);
        QFETCH(int, firstLabel);
        QFETCH(PageButton, next);
        QFETCH(PageButton, previous);
        QFETCH(int, messages);

        support::BoardRig rig;
        const auto show = [&] {
            rig.fake.pictures.choose(result);
            rig.board.GoSmall = true;
            rig.board.BeginBoard();
            for (const QChar c : clicks)
                c == u'>' ? rig.board.Command4_Click() : rig.board.Command5_Click();
        };
        show();
        const QStringList names = result.section(u' ', 1).split(u' ');
        const int page = (firstLabel - 1) / 9 + 1;
        QStringList shown, labels;
        for (const board::SceneBox &box : rig.board.Image1) {
            QVERIFY(box.visible);
            shown << (box.picture.resource ? QStringLiteral("[%1]").arg(box.picture.resource)
                                           : box.picture.file.section(u'/', -1));
        }
        for (int i = 0; i < 9; ++i)
            labels << QStringLiteral("Sc:%1").arg(firstLabel + i);
        QCOMPARE(shown, boxes);
        QCOMPARE(QStringList(rig.board.SceneLabel.begin(), rig.board.SceneLabel.end()), labels);
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
    void takeFileName_data()
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

    void takeFileName()
    {
        QFETCH(QString, item);
        QFETCH(QString, name);
        support::BoardRig rig;
        rig.board.RichTextBox2.setText(item);
        rig.board.TakeFileName();
        QCOMPARE(rig.board.Text3.Text(), name);
    }

    // The sample pictures, copied to a folder with a blank in its name with two
    // more that sort after them, paged through the window's own buttons. Every
    // sample decodes. Two pictures are deleted once page 1 shows: the message
    // comes once, at the first display that misses one; later displays miss them
    // again silently.
    void realBoard()
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
            QCOMPARE(form.PageCurrent->text() + u'|' + form.SceneLabel[0]->text(), QStringLiteral("Page: %1|Sc:%2").arg(step.page).arg(9 * step.page - 8));
            for (int i = 0; i < 9; ++i)
                QCOMPARE(form.Image1[i]->picture().resource, step.blank.contains(i) ? 101 : 0);
            QCOMPARE(shown.fake.messages.texts, QStringList(step.messages, gone("z.jpg")));
            QCOMPARE((QList<bool>{form.Command4->isEnabled(), form.Command5->isEnabled()}), (QList<bool>{step.page < 3, step.page > 1}));
            QCOMPARE(palette::background(form.Command4), step.page < 3 ? colours::kWhite : colours::kGrey);
            if (step.turn.isEmpty())
                QVERIFY(QFile::remove(paths[2]) && QFile::remove(paths[25]));
        }
    }
};

QTEST_MAIN(tst_board)
#include "tst_board.moc"
