// The board model without a window: the work buffer, variants and counting.
#include "board/SceneBoard.h"
#include "board/Texts.h"
#include "support/BoardRig.h"

#include <QtTest>

using board::SceneBoard;
using board::Variant;
using board::WorkBuffer;

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

using support::names;

struct Rig : support::BoardRig
{
};
} // namespace

class tst_board : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void workBuffer_data();
    void workBuffer();
    void variants();
    void counting_data();
    void counting();
    void startState();
    void cancelledDialogKeepsBoard();
    void failedDialogKeepsBoard();
    void lowCountKeepsOldPictures();
};

void tst_board::workBuffer_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("op");
    QTest::addColumn<QString>("arg");
    QTest::addColumn<QString>("expectText");
    QTest::addColumn<int>("expectStart");
    QTest::addColumn<int>("expectLength");

    QTest::newRow("find is case-blind") << "a.BMP b.bmp" << 0 << 0 << "find" << ".bmp" << "a.BMP b.bmp" << 1 << 4;
    QTest::newRow("find searches only the selection") << "x.bmp y.JPG" << 1 << 4 << "find" << ".JPG" << "x.bmp y.JPG" << 1 << 4;
    QTest::newRow("find inside the selection") << "a.jpg b.jpg" << 3 << 8 << "find" << ".jpg" << "a.jpg b.jpg" << 7 << 4;
    QTest::newRow("find without match keeps caret") << "abc" << 2 << 0 << "find" << "z" << "abc" << 2 << 0;
    QTest::newRow("span forward to stop") << "dir a.bmp" << 0 << 0 << "spanf" << " " << "dir a.bmp" << 0 << 3;
    QTest::newRow("span forward on the stop selects nothing") << " a.bmp" << 0 << 0 << "spanf" << " " << " a.bmp" << 0 << 0;
    QTest::newRow("span forward to the end") << "abc" << 1 << 0 << "spanf" << "." << "abc" << 1 << 2;
    QTest::newRow("span backward after last stop") << "a.b.gif" << 7 << 0 << "spanb" << "." << "a.b.gif" << 4 << 3;
    QTest::newRow("span backward without stop") << "readme" << 6 << 0 << "spanb" << "." << "readme" << 0 << 6;
    QTest::newRow("seltext replaces, caret behind") << "hello" << 1 << 3 << "seltext" << "XY" << "hXYo" << 3 << 0;
    QTest::newRow("seltext inserts at caret") << "ab" << 1 << 0 << "seltext" << "-" << "a-b" << 2 << 0;
    QTest::newRow("sellength cut at the end") << "abc" << 1 << 0 << "sellength" << "10" << "abc" << 1 << 2;
    QTest::newRow("selstart selects nothing") << "abc" << 0 << 2 << "selstart" << "2" << "abc" << 2 << 0;
    QTest::newRow("text resets caret") << "abc" << 2 << 1 << "text" << "xyz!" << "xyz!" << 0 << 0;
}

void tst_board::workBuffer()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, op);
    QFETCH(QString, arg);
    WorkBuffer buffer;
    buffer.setText(text);
    buffer.setSelStart(selStart);
    buffer.setSelLength(selLength);
    if (op == QLatin1String("find"))
        buffer.Find(arg);
    else if (op == QLatin1String("spanf"))
        buffer.Span(arg.at(0), WorkBuffer::Direction::Forward);
    else if (op == QLatin1String("spanb"))
        buffer.Span(arg.at(0), WorkBuffer::Direction::Backward);
    else if (op == QLatin1String("seltext"))
        buffer.setSelText(arg);
    else if (op == QLatin1String("sellength"))
        buffer.setSelLength(arg.toInt());
    else if (op == QLatin1String("selstart"))
        buffer.setSelStart(arg.toInt());
    else if (op == QLatin1String("text"))
        buffer.setText(arg);
    QTEST(buffer.Text(), "expectText");
    QTEST(int(buffer.SelStart()), "expectStart");
    QTEST(int(buffer.SelLength()), "expectLength");
    QCOMPARE(buffer.SelText(), buffer.Text().mid(buffer.SelStart(), buffer.SelLength()));
}

void tst_board::variants()
{
    QCOMPARE(Variant().toInt(), 0);
    QCOMPARE(Variant().toText(), QString());
    QCOMPARE(Variant(t("12")).toInt() + 1, 13);
    QCOMPARE(Variant(4732.5).toText(), t("4732.5"));
    QCOMPARE(Variant(9600).toText(), t("9600"));
    QCOMPARE(Variant(true).toInt(), -1);
    QCOMPARE(Variant(true).toText(), t("True"));
    QVERIFY(!Variant(t(" -empty-")).isNumeric());
    QVERIFY(Variant(t("13")).isNumeric());
}

void tst_board::counting_data()
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

void tst_board::counting()
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
    for (bool busy : rig.fake.messages.busyAtMessage)
        QVERIFY(!busy);

    QFETCH(int, count);
    const bool accepted = count >= 9 && count <= 540;
    QCOMPARE(rig.board.sPrintEnabled, count >= 9);
    QCOMPARE(rig.board.sScriptEditorEnabled, count >= 9);
    QCOMPARE(rig.board.sPositionEnabled, count >= 9);
    QCOMPARE(rig.board.Weirdo.toBool(), count >= 9);
    QCOMPARE(rig.board.PageCurrent, accepted ? t("Page: 1") : t("Page: 0"));
    QCOMPARE(rig.board.SceneLabel[0], accepted ? t("Sc:1") : t("Sc: -empty-"));
    QCOMPARE(rig.board.Command1Enabled, accepted);
    QCOMPARE(rig.fake.pictures.titles, QStringList{t("Open multiple images...")});
    QCOMPARE(rig.fake.pictures.filters,
             QStringList{t("Image Format (*.bmp)|*.bmp|Jpegs (*.jpg)|*.jpg|Gif Files (*.gif)|*.gif")});
    QCOMPARE(rig.fake.pictures.maxLengths, QList<int>{32000});
}

void tst_board::startState()
{
    Rig rig;
    SceneBoard &b = rig.board;
    for (const QString &label : b.SceneLabel)
        QCOMPARE(label, t("Sc: -empty-"));
    QCOMPARE(b.FrameTotal, t("Total Images ="));
    QCOMPARE(b.PageCurrent, t("Page: 0"));
    QCOMPARE(b.FatViewSceneLabel, t("-no view loaded-"));
    QCOMPARE(b.SceneText, t("-no script loaded-\n"));
    QVERIFY(b.Command4.enabled && b.Command5.enabled);
    QCOMPARE(b.Command4.colour, 0x00C0C0C0u);
    QVERIFY(!b.sPrintEnabled && !b.sScriptEditorEnabled && !b.sPositionEnabled);
    QCOMPARE(b.OptionOn, qint16(5));
    QVERIFY(b.AlertsAreOn.toBool() && b.BordersAreOn.toBool() && b.TipsAreOn);
    QVERIFY(b.FirstScript);
    QCOMPARE(b.GoShowOpenDialog.toBool(), false);
    QCOMPARE(b.Amounted.toInt(), 1);
    QVERIFY(b.Weirdo.toBool());
    QVERIFY(b.CountItUp.isEmpty());
    QCOMPARE(b.BigPreview.resource, 2000);
    QCOMPARE(b.BigPreview.image.size(), QSize(183, 200));
    for (const auto *buffer : {&b.RichTextBox6, &b.RichTextBox5, &b.Text1, &b.RichTextBox4, &b.RichTextBox2, &b.RichTextBox1})
        QCOMPARE(buffer->Left, -12000);
    for (const QString &tip : b.Image1ToolTip)
        QCOMPARE(tip, t("Jump to scene"));
    QCOMPARE(b.fallbackShown(), qint16(0));
}

void tst_board::cancelledDialogKeepsBoard()
{
    Rig rig;
    rig.load(names(12));
    const QString backup = rig.board.RichTextBox3.Text();
    rig.fake.pictures.cancel();
    rig.board.FirstStep();
    QCOMPARE(rig.board.RichTextBox3.Text(), backup);
    QCOMPARE(rig.board.CountItUp.toInt(), 12);
    QCOMPARE(rig.board.n.toInt(), -1);
    QCOMPARE(rig.host.discards, 1);
    QVERIFY(!rig.fake.pointer.isBusy());
    QVERIFY(rig.fake.messages.texts.isEmpty());
}

void tst_board::failedDialogKeepsBoard()
{
    Rig rig;
    rig.load(names(12));
    // Longer than the dialog may return: a failure, never a cut-short board.
    rig.load(names(4000));
    QCOMPARE(rig.fake.messages.texts, QStringList{t(texts::kLoadError)});
    QCOMPARE(rig.board.CountItUp.toInt(), 12);
    QCOMPARE(rig.board.SceneLabel[0], t("Sc:1"));
    QCOMPARE(rig.host.discards, 1);
}

void tst_board::lowCountKeepsOldPictures()
{
    Rig rig;
    rig.load(names(12));
    const QImage shown = rig.board.Image1[4].picture.image;
    rig.load(names(8));
    QCOMPARE(rig.fake.messages.texts, QStringList{t(texts::kTooFew)});
    QCOMPARE(rig.board.Image1[4].picture.image, shown);
    QCOMPARE(rig.board.SceneLabel[4], t("Sc:5"));
    QVERIFY(!rig.board.Command4.enabled);
    QVERIFY(rig.board.RichTextBox3.Text().isEmpty());
    QCOMPARE(rig.host.discards, 2);
}

QTEST_MAIN(tst_board)
#include "tst_board.moc"
