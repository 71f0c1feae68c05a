// Scene selection, the layout by screen resolution and the close-up window.
#include "desktop/Session.h"
#include "resources/Texts.h"
#include "support/FormRig.h"
#include "view/Form1.h"
#include "view/Quorvadine.h"
#include "widgets/ImageBox.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QtWidgets>
#include <QtTest>

using Rig = support::FormRig; // a main window on a board of real pictures

class tst_view : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // Start-up on a screen larger than the layouts know (ctest runs this on 1920 x 1080): the window's own
    // resize brings the alert, once, and the small layout; the layouts themselves are the next test's rows.
    // A compositor that keeps the window at a size the alert was shown for (a tiling one refusing the
    // design size) gets no second alert; another size does.
    void startUp()
    {
        FakePlatform fake;
        fake.screen.screenSize = QSize(1920, 1080);
        Form1 form(fake.platform());
        form.start();
        QCoreApplication::processEvents();
        QCOMPARE(fake.messages.texts, QStringList{t(texts::kUnsupportedResolution)});
        QCOMPARE(fake.messages.owners, QList<QWidget *>{&form});
        QCOMPARE(form.board().Text5.Text(), "4732.5");
        QCOMPARE(form.Image1[8]->geometry(), twips::rect(4440, 4560, 1965, 1965));
        QVERIFY(form.isVisible());
        const QSizeF tile(28800, 15750);
        for (const QSizeF &inner : {tile, tile, QSizeF(9465, 6510), tile, QSizeF(28800, 15000)})
            form.Form_Resize(inner);
        QCOMPARE(fake.messages.texts, QStringList(3, t(texts::kUnsupportedResolution)));
    }

    void layout_data()
    {
        QTest::addColumn<QSize>("screen");
        QTest::addColumn<QSizeF>("inner");
        QTest::addColumn<bool>("alerts");
        QTest::addColumn<QString>("text5");
        QTest::addColumn<QString>("text6");
        QTest::addColumn<QString>("layout");
        QTest::addColumn<bool>("alert");
        QTest::addColumn<QString>("closeUp"); // its size, by Text5 compared as text
        const QSize vga(640, 480), svga(800, 600), xga(1024, 768), sxga(1280, 1024);
        QTest::newRow("640 x 480") << vga << QSizeF(9600, 6600) << true << "4800" << "3300" << "small" << false << "small";
        QTest::newRow("800 x 600") << svga << QSizeF(12000, 8250) << true << "6000" << "4125" << "medium" << false << "medium";
        QTest::newRow("1024 x 768") << xga << QSizeF(15360, 10950) << true << "7680" << "5475" << "large" << false << "large";
        // A thinner window manager frame (19 + 18 pixels) leaves 731 pixels.
        QTest::newRow("1024 x 768, thin frame") << xga << QSizeF(15360, 10965) << true << "7680" << "5482.5" << "large" << false << "large";
        QTest::newRow("1280 x 1024, same inner") << sxga << QSizeF(15360, 10965) << true << "4732.5" << "3255" << "small" << true << "small";
        QTest::newRow("1280 x 1024, alerts off") << sxga << QSizeF(19200, 14700) << false << "9600" << "7350" << "large" << false << "large";
        QTest::newRow("1600 x 1200, alerts off") << QSize(1600, 1200) << QSizeF(24000, 17700) << false << "12000" << "8850" << "large" << false << "small";
        // Compared as text, "10240" sorts before "7680" and "6000": no alert.
        QTest::newRow("10240 x 4125") << sxga << QSizeF(20480, 8250) << true << "10240" << "4125" << "small" << false << "small";
        QTest::newRow("7000 x 4125") << sxga << QSizeF(14000, 8250) << true << "7000" << "4125" << "small" << false << "large";
        QTest::newRow("restored design window") << sxga << QSizeF(9465, 6510) << true << "4732.5" << "3255" << "small" << false << "small";
        QTest::newRow("minimised") << sxga << QSizeF(0, 0) << true << "0" << "0" << "small" << false << "small";
    }
    void layout()
    {
        QFETCH(QSize, screen);
        QFETCH(QSizeF, inner);
        QFETCH(bool, alerts);
        QFETCH(QString, layout);
        QFETCH(bool, alert);
        QFETCH(QString, closeUp);
        Rig rig(9, QSize(400, 400), 9);
        QCOMPARE(rig.fake.messages.texts, QStringList{gone("s009.jpg")});
        rig.fake.messages.texts.clear();
        rig.fake.screen.screenSize = screen;
        rig.form.board().AlertsAreOn = alerts;
        rig.form.Form_Resize(inner);
        QTEST(rig.form.board().Text5.Text(), "text5");
        QTEST(rig.form.board().Text6.Text(), "text6");
        QCOMPARE(rig.fake.messages.texts, alert ? QStringList{t(texts::kUnsupportedResolution)} : QStringList());
        // The design's grid, in twips: lefts of columns 0, 1, 2; image tops and label tops of rows 0, 1, 2;
        // image width and height; the view panel's left and width.
        const QMap<QString, QList<int>> design{
            {u"small"_qs, {120, 2280, 4440, 240, 2400, 4560, 20, 2190, 4360, 1965, 1965, 6480, 3015}},
            {u"medium"_qs, {120, 3080, 6040, 240, 3000, 5760, 20, 2775, 5535, 2765, 2565, 8880, 3815}},
            {u"large"_qs, {120, 4230, 8340, 240, 3818, 7446, 20, 3593, 7221, 4013, 3383, 12414, 4039}}};
        const QList<int> d = design[layout];
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(rig.form.Image1[i]->geometry(), twips::rect(d[i % 3], d[3 + i / 3], d[9], d[10]));
            QCOMPARE(rig.form.SceneLabel[i]->geometry(), twips::rect(d[i % 3], d[6 + i / 3], d[9], 225));
        }
        QCOMPARE(rig.form.Frame1->geometry(), twips::rect(d[11], 0, d[12], 6495));
        // Pictures decoded again at the new box size; the missing one stays blank, without a second message.
        for (int i = 0; i < 8; ++i)
            QCOMPARE(rig.form.Image1[i]->picture().image.size(), rig.form.Image1[i]->size() * rig.form.devicePixelRatio());
        QCOMPARE(rig.form.Image1[8]->picture().resource, 101);
        QVERIFY(!rig.fake.pointer.isBusy());

        // The close-up's outer size and picture, in twips.
        const QMap<QString, QList<QSize>> closeUps{{u"small"_qs, {{6780, 6990}, {6700, 6700}}},
                                                   {u"medium"_qs, {{8380, 8190}, {8300, 7900}}},
                                                   {u"large"_qs, {{9780, 9590}, {9700, 9300}}}};
        const QList<QSize> want = closeUps[closeUp];
        QTest::mouseClick(rig.form.BigPreview, Qt::LeftButton);
        Quorvadine *c = rig.form.closeUp();
        QVERIFY(c && c->isVisible());
        QCOMPARE(c->windowTitle(), t("CloseUp"));
        QCOMPARE(c->size(), QSize(twips::toPixels(want[0].width() - Quorvadine::kFrameWidth),
                                  twips::toPixels(want[0].height() - Quorvadine::kFrameHeight)));
        QCOMPARE(c->Image1->geometry(), twips::rect(0, 0, want[1].width(), want[1].height()));
        QCOMPARE(c->Image1->picture().resource, 2000); // nothing selected yet
    }

    // X11 through XWayland unless the user chose a platform; Qt's own Wayland
    // decorations count as inner area, a window manager's frame never does.
    void platform_data()
    {
        QTest::addColumn<QString>("given"); // the environment, then the arguments
        QTest::addColumn<QByteArray>("platform");
        QTest::newRow("Wayland and X") << "WAYLAND_DISPLAY=wayland-0 DISPLAY=:0" << QByteArray("xcb;wayland");
        QTest::newRow("session type") << "XDG_SESSION_TYPE=wayland DISPLAY=:1" << QByteArray("xcb;wayland");
        QTest::newRow("QT_QPA_PLATFORM empty") << "WAYLAND_DISPLAY=w DISPLAY=:0 QT_QPA_PLATFORM=" << QByteArray("xcb;wayland");
        QTest::newRow("Wayland alone") << "WAYLAND_DISPLAY=wayland-0 XDG_SESSION_TYPE=wayland" << QByteArray();
        QTest::newRow("X11") << "XDG_SESSION_TYPE=x11 DISPLAY=:0" << QByteArray();
        QTest::newRow("QT_QPA_PLATFORM") << "WAYLAND_DISPLAY=w DISPLAY=:0 QT_QPA_PLATFORM=wayland" << QByteArray();
        QTest::newRow("-platform") << "WAYLAND_DISPLAY=w DISPLAY=:0 -platform wayland" << QByteArray();
    }
    void platform()
    {
        QFETCH(QString, given);
        QProcessEnvironment env;
        for (const QString &pair : given.section(u" -"_qs, 0, 0).split(u' '))
            env.insert(pair.section(u'=', 0, 0), pair.section(u'=', 1));
        QTEST(session::platformFor(env, given.section(u" -"_qs, 1).prepend(u'-').split(u' ')), "platform");
        QCOMPARE(session::ownDecorations(u"xcb"_qs, {3, 30, 3, 3}), QMargins());
    }

    // The big preview is the file decoded at the preview's device pixels, and
    // the stored pictures are drawn for them (ctest runs this at scale 2 too).
    void devicePixels()
    {
        Rig rig(9, QSize(1600, 1200));
        const qreal ratio = rig.form.devicePixelRatio();
        QCOMPARE(ratio, qEnvironmentVariable("QT_SCALE_FACTOR", u"1"_qs).toDouble());
        QCOMPARE(rig.form.PictureLabelLogo->picture().image.size(), QSize(185, 27) * ratio);
        rig.form.Image1_Click(4);
        QImageReader reader(rig.pictures[4]);
        reader.setScaledSize(rig.form.BigPreview->size() * ratio);
        QCOMPARE(rig.form.BigPreview->picture().image, reader.read());
    }

    // The layout choice was cancelled: the panel as it starts, and both page buttons still enabled with no
    // board behind them; clicking them does nothing.
    void panel()
    {
        Rig rig(0);
        Form1 &f = rig.form;
        rig.turn("><<>>><<<");
        QCOMPARE((QStringList{f.FatViewSceneLabel->text(), f.SceneText->toPlainText(), f.PageCurrent->text(),
                              f.FrameTotal->text(), f.Command1->text(), f.Command1->toolTip(), f.Command2->text(),
                              f.Command2->toolTip(), f.Command3->text(), f.Command3->toolTip(), f.Command6->text()}),
                 (QStringList{u"-no view loaded-"_qs, u"-no script loaded-\n"_qs, u"Page: 0"_qs, u"Total Images ="_qs, u"<<"_qs,
                              u"Last scene"_qs, u">>"_qs, u"Next scene"_qs, u"Close"_qs, u"Close scene"_qs, u"Help"_qs}));
        QVERIFY(!f.Command1->isEnabled() && !f.Command2->isEnabled() && f.Command3->isEnabled() && f.Command4->isEnabled()
                && f.Command5->isEnabled() && takesInput(f));
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(f.SceneLabel[i]->text(), t("Sc: -empty-"));
            QVERIFY(!f.Image1[i]->isVisible());
        }
        QCOMPARE(rig.fake.messages.texts, QStringList());
        QCOMPARE(rig.fake.loader.files, QStringList());
        QCOMPARE((QList<uint>{palette::background(f.Frame1), palette::background(f.FatViewSceneLabel),
                              palette::foreground(f.FatViewSceneLabel)}), (QList<uint>{0x808080u, 0u, 0xC0C0C0u}));
    }

    void selection_data()
    {
        QTest::addColumn<int>("scenes");
        // p page >>, b<i> box (the board's own), i<i> box, m<i> position item, n >>,
        // l <<, c Close, r<i> remove picture file i, o open the close-up, x close it, k<c> a key
        // where the keyboard is (the board, after a load): Page Down Up, Home, End, Right, Left,
        // down arroW, up Arrow, Space, eNter, Tab
        QTest::addColumn<QString>("steps");
        QTest::addColumn<int>("d");
        QTest::addColumn<QString>("caption"); // of the page and the view
        QTest::addColumn<QString>("script");
        QTest::addColumn<int>("preview"); // 0 the scene's picture, 2000 blank, 101 missing
        QTest::addColumn<QString>("closeUp"); // its picture, if open
        const QString none = u" / -no view loaded-"_qs, view = u" / Current View: Sc:"_qs;
        QTest::newRow(">> before any selection") << 20 << "n" << 1 << "Page: 1" + view + "2" << "2.-empty-" << 0 << "";
        QTest::newRow("<< clamps at 0") << 20 << "b0 l" << 0 << "Page: 1" + view + "1" << "1.-empty-" << 0 << "";
        QTest::newRow(">> clamps at 8") << 20 << "b8 n" << 8 << "Page: 1" + view + "9" << "9.-empty-" << 0 << "";
        QTest::newRow("box 3 on page 2") << 20 << "p b3" << 3 << "Page: 2" + view + "13" << "13.-empty-" << 0 << "";
        QTest::newRow("label past the last scene keeps the script") << 12 << "p b1 b3" << 3 << "Page: 2" + view + "13" << "11.-empty-" << 101 << "";
        QTest::newRow("page change resets d") << 20 << "b7 p n" << 1 << "Page: 2" + view + "11" << "11.-empty-" << 0 << "";
        QTest::newRow("Close blanks the preview") << 9 << "b2 c" << 2 << "Page: 1" + view + "3" << "3.-empty-" << 2000 << "";
        QTest::newRow("file gone: blank, no message") << 9 << "r2 b1" << 1 << "Page: 1" + view + "2" << "2.-empty-" << 101 << "";
        QTest::newRow("the open close-up keeps its picture") << 9 << "m5 m3 b5 o" << 5 << "Page: 1" + view + "6" << "6.-empty-" << 0 << "s005.jpg";
        QTest::newRow("opened again, the close-up follows") << 9 << "m5 b5 x o" << 5 << "Page: 1" + view + "6" << "6.-empty-" << 0 << "s006.jpg";
        QTest::newRow("before any board") << 0 << "b4 i2 m9" << 8 << "Page: 0" + view + " -empty-" << "-no script loaded-\n" << 0 << "";
        QTest::newRow("Page Down: page >>") << 20 << "kD" << 0 << "Page: 2" + none << "-no script loaded-\n" << 2000 << "";
        QTest::newRow("Page Down on the last page") << 20 << "p p kD" << 0 << "Page: 3" + none << "-no script loaded-\n" << 2000 << "";
        QTest::newRow("Page Up: << page") << 20 << "p p kU" << 0 << "Page: 2" + none << "-no script loaded-\n" << 2000 << "";
        QTest::newRow("Page Up on page 1") << 20 << "kU" << 0 << "Page: 1" + none << "-no script loaded-\n" << 2000 << "";
        QTest::newRow("Home: first page") << 20 << "p p kH" << 0 << "Page: 1" + none << "-no script loaded-\n" << 2000 << "";
        QTest::newRow("End: last page") << 20 << "kE" << 0 << "Page: 3" + none << "-no script loaded-\n" << 2000 << "";
        QTest::newRow("Right moves, Space selects") << 20 << "p kR kS" << 1 << "Page: 2" + view + "11" << "11.-empty-" << 0 << "";
        QTest::newRow("down, Left, Enter: box 2") << 20 << "kW kL kN" << 2 << "Page: 1" + view + "3" << "3.-empty-" << 0 << "";
        QTest::newRow("arrows stop at the edges") << 9 << "kL kA kE kW kW kW kR kR kR kN" << 8 << "Page: 1" + view + "9" << "9.-empty-" << 0 << "";
        QTest::newRow("Page Down in the script box is its own") << 20 << "kT kD" << 0 << "Page: 1" + none << "-no script loaded-\n" << 2000 << "";
    }
    void selection()
    {
        QFETCH(int, scenes);
        QFETCH(QString, steps);
        QFETCH(QString, caption);
        QFETCH(QString, script);
        QFETCH(int, preview);
        Rig rig(scenes);
        board::SceneBoard &b = rig.form.board();
        board::ScriptListAccess &list = rig.form.scriptList(); // the Script Editor's, unseen
        const QString keyNames = u"DUHERLWASNT"_qs;
        const Qt::Key keys[] = {Qt::Key_PageDown, Qt::Key_PageUp, Qt::Key_Home, Qt::Key_End, Qt::Key_Right, Qt::Key_Left,
                                Qt::Key_Down, Qt::Key_Up, Qt::Key_Space, Qt::Key_Return, Qt::Key_Tab};
        for (const QString &step : steps.split(u' ')) {
            const int n = step.mid(1).toInt();
            switch (step[0].unicode()) {
            case 'b': b.SelectPosition(n, list); break;
            case 'i': rig.form.Image1_Click(n); break;
            case 'm': rig.form.sPosition_Click(n); break;
            case 'n': b.NextScene(list); break;
            case 'l': b.LastScene(list); break;
            case 'o': rig.form.BigPreview_Click(); break;
            case 'x': {
                QPointer<Quorvadine> closeUp = rig.form.closeUp();
                closeUp->close();
                QTRY_VERIFY(closeUp.isNull());
                break;
            }
            case 'c': QTest::mouseClick(rig.form.Command3, Qt::LeftButton); break;
            case 'r': QFile::remove(rig.pictures[n - 1]); break;
            case 'k':
                rig.form.activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(&rig.form));
                QTest::keyClick(QApplication::focusWidget(), keys[keyNames.indexOf(step[1])]);
                break;
            default: b.Command4_Click();
            }
        }
        QTEST(b.d.toInt(), "d");
        QCOMPARE(rig.form.PageCurrent->text() + u" / "_qs + rig.form.FatViewSceneLabel->text(), caption);
        QCOMPARE(rig.form.SceneText->toPlainText(), script);
        QCOMPARE(list.selectedIndex(), script.contains(u'.') ? script.section(u'.', 0, 0).toInt() : -1);
        QCOMPARE(rig.form.BigPreview->picture().resource, preview);
        if (preview == 0 && scenes) { // the selected box's scene, decoded again at the preview's size
            QCOMPARE(b.BigPreview.file, b.Image1[b.d.toInt()].picture.file);
            QCOMPARE(rig.form.BigPreview->picture().image.size(), QSize(40, 30));
        }
        QVERIFY(rig.fake.messages.texts.isEmpty());
        QTEST(rig.form.closeUp() ? QFileInfo(rig.form.closeUp()->Image1->picture().file).fileName() : QString(), "closeUp");
    }

    // Escape and Enter in the windows over the main one.
    void keys_data()
    {
        QTest::addColumn<QString>("window"); // its class | the keys opening it | the control focused
        QTest::addColumn<int>("key");
        QTest::newRow("Escape closes the close-up") << "Quorvadine" << int(Qt::Key_Escape);
        QTest::newRow("Enter in the options window: OK") << "frmOptions|Alt+V O|Check0" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter in the help window: Close") << "Help|F1" << int(Qt::Key_Enter);
        QTest::newRow("Enter on the print dialogue's focused Close") << "PrintPreviewDialog|Ctrl+P|CancelButton" << int(Qt::Key_Return);
        QTest::newRow("Enter on About's OK") << "frmAbout|Alt+H A|cmdOK" << int(Qt::Key_Return);
        QTest::newRow("keypad Enter on the About box") << "frmAbout|Alt+H A" << int(Qt::Key_Enter);
        QTest::newRow("Esc on the About box") << "frmAbout|Alt+H A" << int(Qt::Key_Escape);
        QTest::newRow("Escape in the Script Editor's list") << "ScriptEditor|Alt+T S|List1" << int(Qt::Key_Escape);
        QTest::newRow("Escape in the Edit bay") << "ScriptEditor|Alt+T S|ScriptTextBox" << int(Qt::Key_Escape);
    }
    void keys()
    {
        QFETCH(QString, window);
        QFETCH(int, key);
        Rig rig(20);
        const QStringList parts = window.split(u'|');
        parts.size() > 1 ? support::press(rig.form, parts[1]) : rig.form.BigPreview_Click();
        // Every window but the close-up is the main window's child.
        QPointer<QWidget> target = rig.form.closeUp() ? rig.form.closeUp() : rig.form.findChild<QWidget *>(parts[0]);
        QWidget *focus = parts.size() > 2 ? target->findChild<QWidget *>(parts[2]) : target.data();
        focus->setFocus();
        target->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(target));
        QTest::keyClick(focus, Qt::Key(key));
        QTest::qWait(0);
        QVERIFY(!target || !target->isVisible());
    }
};

QTEST_MAIN(tst_view)
#include "tst_view.moc"
