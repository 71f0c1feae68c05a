// The main window and the layout choice, driven as a user would with only the
// dialogs scripted.
#include "board/Texts.h"
#include "platform/ImageBox.h"
#include "platform/QtPictureDialog.h"
#include "platform/Twips.h"
#include "support/BoardRig.h"
#include "view/BeginOption.h"
#include "view/Form1.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <clocale>

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

using support::names;

// Qt reads GIF but cannot write it: a one-pixel blue GIF, byte by byte.
const char kBlueGif[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\xFF\xFF\xFF\xFF"
                        "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B";

void writeBluePicture(const QString &path)
{
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive)) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(kBlueGif, sizeof kBlueGif - 1);
        return;
    }
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(Qt::blue);
    QVERIFY2(image.save(path, path.endsWith(QLatin1String("bmp"), Qt::CaseInsensitive) ? "BMP" : "JPG"), qPrintable(path));
}
} // namespace

class tst_mainwindow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void startState();
    void layoutChoice_data();
    void layoutChoice();
    void newQuorvadineAnyTime();
    void exitClosesEverything();
    void oddNamesLoad_data();
    void oddNamesLoad();
    void naturalOrder_data();
    void naturalOrder();
};

void tst_mainwindow::startState()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    QCOMPARE(form.windowTitle(), t("Quorvadine v1.0"));
    QVERIFY(!form.isEnabled());
    BeginOption *choice = form.beginOption();
    QVERIFY(choice && choice->isVisible());
    QCOMPARE(choice->windowTitle(), t("Layout choice:"));
    QCOMPARE(choice->size(), QSize(twips::toPixels(5085), twips::toPixels(2625)));

    struct Expect { QWidget *widget; int left, top, width, height; QString caption; bool enabled; };
    const Expect expected[] = {
        {choice->Picture1, 120, 120, 1575, 1575, QString(), true},
        {choice->Command7, 120, 1800, 1575, 375, t("9  per page"), true},
        {choice->Picture2[0], 1800, 120, 1575, 1575, QString(), true},
        {choice->Command6[1], 1800, 1800, 1575, 375, t("18 per page"), false},
        {choice->Picture2[1], 3480, 120, 1530, 1530, QString(), true},
        {choice->Command6[0], 3480, 1800, 1575, 375, t("36 per page"), false},
        {choice->Label1, 120, 2280, 4815, 255, t("Must load min amount as per choice"), true},
        {choice->Command1, 4320, 2280, 735, 255, t("Cancel"), true},
    };
    for (const Expect &e : expected) {
        QCOMPARE(e.widget->geometry(), twips::rect(e.left, e.top, e.width, e.height));
        QCOMPARE(e.widget->isEnabled(), e.enabled);
        if (auto *b = qobject_cast<QPushButton *>(e.widget))
            QCOMPARE(b->text(), e.caption);
        if (auto *l = qobject_cast<QLabel *>(e.widget))
            QCOMPARE(l->text(), e.caption);
    }
    QCOMPARE(choice->Picture1->picture().resource, 2001);
    QCOMPARE(choice->Picture2[0]->picture().resource, 2005);
    QCOMPARE(choice->Picture2[1]->picture().resource, 2005);

    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.SceneLabel[i]->text(), t("Sc: -empty-"));
        QVERIFY(!form.Image1[i]->isVisible());
        QCOMPARE(form.Image1[i]->toolTip(), t("Jump to scene"));
    }
    QCOMPARE(form.FrameTotal->text(), t("Total Images ="));
    QCOMPARE(form.PageCurrent->text(), t("Page: 0"));
    QVERIFY(!form.action("sPrint")->isEnabled());
    QVERIFY(!form.action("sScriptEditor")->isEnabled());
    QVERIFY(!form.action("sPosition5")->isEnabled());
    QVERIFY(form.action("sOpen")->isEnabled());
    QVERIFY(form.action("sExit")->isEnabled());
    QCOMPARE(form.BigPreview->picture().resource, 2000);
}

void tst_mainwindow::layoutChoice_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("answer"); // empty: the open dialog is cancelled
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QString>("total");
    QTest::addColumn<int>("dialogs");

    QTest::newRow("9 per page, 20 pictures") << "nine" << names(20) << QStringList{t(texts::kMissingPicture)}
                                             << "Total Images= 20" << 1;
    QTest::newRow("picture click, 9 pictures") << "picture" << names(9) << QStringList{t(texts::kMissingPicture)}
                                               << "Total Images= 9" << 1;
    QTest::newRow("9 per page, 3 pictures") << "nine" << names(3) << QStringList{t(texts::kTooFew)}
                                            << "Total Images= 3" << 1;
    QTest::newRow("9 per page, 541 pictures") << "nine" << names(541) << QStringList{t(texts::kTooMany)}
                                              << "Total Images= 541" << 1;
    QTest::newRow("9 per page, dialog cancelled") << "nine" << QString() << QStringList() << "Total Images =" << 1;
    QTest::newRow("Cancel") << "cancel" << QString() << QStringList() << "Total Images =" << 0;
    QTest::newRow("close box") << "close" << QString() << QStringList() << "Total Images =" << 0;
}

void tst_mainwindow::layoutChoice()
{
    QFETCH(QString, how);
    QFETCH(QString, answer);
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    QPointer<BeginOption> choice = form.beginOption();
    if (answer.isEmpty())
        fake.pictures.cancel();
    else
        fake.pictures.choose(answer);
    if (how == QLatin1String("nine"))
        QTest::mouseClick(choice->Command7, Qt::LeftButton);
    else if (how == QLatin1String("picture"))
        QTest::mouseClick(choice->Picture1, Qt::LeftButton);
    else if (how == QLatin1String("cancel"))
        QTest::mouseClick(choice->Command1, Qt::LeftButton);
    else
        choice->close();
    QTRY_VERIFY(choice.isNull());
    QVERIFY(form.isEnabled());
    QTEST(fake.messages.texts, "messages");
    QTEST(form.FrameTotal->text(), "total");
    QTEST(int(fake.pictures.titles.size()), "dialogs");
    QVERIFY(!fake.pointer.isBusy());
    // The window stays usable: paging without a board does nothing.
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QTest::mouseClick(form.Command5, Qt::LeftButton);
    if (form.board().hasBoard()) {
        QCOMPARE(form.SceneLabel[0]->text(), t("Sc:1"));
        QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    } else {
        QCOMPARE(form.PageCurrent->text(), t("Page: 0"));
    }
}

void tst_mainwindow::newQuorvadineAnyTime()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
    fake.pictures.choose(names(12));
    form.action("sOpen")->trigger();
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 12"));
    QVERIFY(form.action("sPrint")->isEnabled());
    QVERIFY(form.action("sPosition9")->isEnabled());
    fake.pictures.choose(names(4));
    form.action("sOpen")->trigger();
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 4"));
    QVERIFY(!form.action("sPrint")->isEnabled());
    QVERIFY(!form.action("sScriptEditor")->isEnabled());
    QCOMPARE(form.SceneLabel[0]->text(), t("Sc:1")); // the old page stays shown
}

void tst_mainwindow::exitClosesEverything()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    QPointer<BeginOption> choice = form.beginOption();
    form.action("sExit")->trigger();
    QTRY_VERIFY(choice.isNull());
    QVERIFY(!form.isVisible());
}

void tst_mainwindow::oddNamesLoad_data()
{
    QTest::addColumn<QString>("directory");
    QTest::addColumn<QStringList>("files");

    QStringList plain;
    for (int i = 1; i <= 6; ++i)
        plain << QStringLiteral("p%1.jpg").arg(i);
    QTest::newRow("blanks, dots and percent") << "my pics"
                                              << (QStringList{"shot.1.jpg", "a b.bmp", "100%.gif"} + plain);
    QTest::newRow("dotted directory") << "v1.2 final" << (QStringList{"x y.JPG", "z.Gif", "w%20.bmp"} + plain);
    QTest::newRow("plain names") << "pics" << (QStringList{"a.jpg", "b.bmp", "c.gif"} + plain);
}

void tst_mainwindow::oddNamesLoad()
{
    QFETCH(QString, directory);
    QFETCH(QStringList, files);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QDir dir(root.path());
    QVERIFY(dir.mkpath(directory));
    QVERIFY(dir.cd(directory));
    QStringList paths;
    for (const QString &file : files) {
        writeBluePicture(dir.filePath(file));
        paths << dir.filePath(file);
    }
    const QString result = QtPictureDialog::resultText(paths);
    QCOMPARE(result.count(u' '), files.size()); // one blank before each name, none inside
    if (directory == QLatin1String("pics")) // names without odd characters pass unchanged
        QCOMPARE(result.section(u' ', 0, 0), dir.absolutePath());

    FakePlatform fake;
    Form1 form(fake.platform());
    form.start();
    fake.pictures.choose(result);
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 9"));
    for (int i = 0; i < 9; ++i) {
        QVERIFY(form.Image1[i]->isVisible());
        QCOMPARE(form.Image1[i]->picture().resource, 0);
        QVERIFY(form.Image1[i]->picture().image.pixelColor(0, 0).blue() > 200);
    }
}

// Scenes are numbered in the dialog result's order, which must be the same
// in every locale: ctest runs this under C, C.UTF-8 and en_US.UTF-8 too.
void tst_mainwindow::naturalOrder_data()
{
    QTest::addColumn<QStringList>("chosen");
    QTest::addColumn<QStringList>("ordered");

    QTest::newRow("digits by value") << QStringList{"shot29.jpg", "shot100.jpg", "shot5.jpg"}
                                     << QStringList{"shot5.jpg", "shot29.jpg", "shot100.jpg"};
    QTest::newRow("letters case-blind") << QStringList{"beta.jpg", "Gamma.jpg", "Alpha.jpg"}
                                        << QStringList{"Alpha.jpg", "beta.jpg", "Gamma.jpg"};
    QTest::newRow("runs longer than any integer") << QStringList{"f100000000000000000000.jpg", "f99999999999999999999.jpg"}
                                                  << QStringList{"f99999999999999999999.jpg", "f100000000000000000000.jpg"};
    QTest::newRow("text after a number") << QStringList{"s2b.jpg", "s2a10.jpg", "s2a9.jpg"}
                                         << QStringList{"s2a9.jpg", "s2a10.jpg", "s2b.jpg"};
    const QStringList ties{"Shot1.jpg", "shot01.jpg", "shot1.jpg"};
    QTest::newRow("ties in one order") << QStringList{"shot1.jpg", "shot01.jpg", "Shot1.jpg"} << ties;
    QTest::newRow("ties in another") << QStringList{"shot01.jpg", "Shot1.jpg", "shot1.jpg"} << ties;
}

void tst_mainwindow::naturalOrder()
{
    QFETCH(QStringList, chosen);
    QFETCH(QStringList, ordered);
    if (!std::setlocale(LC_ALL, ""))
        QSKIP("the locale named in the environment is not installed (tools/deps installs en_US.UTF-8)");
    QStringList paths;
    for (const QString &name : chosen)
        paths << QStringLiteral("/pics/") + name;
    QCOMPARE(QtPictureDialog::resultText(paths), QStringLiteral("/pics ") + ordered.join(u' '));
}

QTEST_MAIN(tst_mainwindow)
#include "tst_mainwindow.moc"
