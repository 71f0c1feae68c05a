// The program's wiring on the real windows with only the dialogs scripted:
// the menu bar, what opens what, which windows block the main window, and
// the typical session end to end.
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "interfaces/ShortNames.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditor.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "view/Quorvadine.h"
#include "widgets/ImageBox.h"

#include <QtWidgets>

using namespace support;

namespace {
// A click on a control of the main window, or keys (see support::press).
void perform(Form1 &form, const QString &how)
{
    if (QWidget *control = form.findChild<QWidget *>(how))
        QTest::mouseClick(control, Qt::LeftButton);
    else
        press(form, how);
}

// An open menu as the user sees it: each item with its marked letter, its
// key and "(grey)" when it cannot be chosen; "-" for a line.
QString shown(const QMenu *menu)
{
    QStringList items;
    for (const QAction *a : menu->actions()) {
        const QString key = a->shortcut().toString(QKeySequence::NativeText);
        items << (a->isSeparator() ? t("-") : a->text() + (key.isEmpty() ? "" : ' ' + key) + (a->isEnabled() ? "" : " (grey)"));
    }
    return items.join(u" | ");
}

} // namespace

class tst_flow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void menus_data();
    void menus();
    void secondaryWindows_data();
    void secondaryWindows();
    void typicalFlow();
    void dropPictures();
};

void tst_flow::menus_data()
{
    QTest::addColumn<QList<int>>("loads"); // pictures chosen each time; 0: dialog cancelled
    QTest::addColumn<QString>("keys");
    QTest::addColumn<QString>("menu"); // the last menu open, as shown
    QTest::addColumn<QString>("got");  // the menu still open, or the window that came up
    const auto key = [](QKeySequence::StandardKey k) { // as this platform shows it, if it has one
        const QString shown = QKeySequence(k).toString(QKeySequence::NativeText);
        return shown.isEmpty() ? shown : ' ' + shown;
    };
    const QString file = "&New Quorvadine" + key(QKeySequence::New) + " | - | &Print..." + key(QKeySequence::Print)
                         + " | - | E&xit" + key(QKeySequence::Quit);
    const QString view = "&Close Up Current | - | &Options" + key(QKeySequence::Preferences);
    QString positions, grey;
    for (int i = 1; i <= 9; ++i) {
        positions += QStringLiteral(" | Position &%1").arg(i);
        grey += QStringLiteral(" | Position &%1 (grey)").arg(i);
    }
    positions.remove(0, 3), grey.remove(0, 3);
    QTest::newRow("File > Print... by its letter") << QList<int>{20} << "Alt+F P" << file << "Print Preview";
    QTest::newRow("before any board, Print... is grey") << QList<int>{} << "Alt+F P" << QString(file).replace(key(QKeySequence::Print), key(QKeySequence::Print) + " (grey)") << "menu File";
    QTest::newRow("File > Exit") << QList<int>{20} << "Alt+F X" << file << "closed";
    QTest::newRow("View > Close Up Current > Position 5") << QList<int>{20} << "Alt+V C 5" << positions << "CloseUp";
    QTest::newRow("20, then 8: positions grey") << QList<int>{20, 8} << "Alt+V C 5" << grey << "menu Close Up Current";
    QTest::newRow("541, too many: positions usable") << QList<int>{541} << "Alt+V C 9" << positions << "CloseUp";
    QTest::newRow("View > Options") << QList<int>{} << "Alt+V O" << view << " Options";
    QTest::newRow("Tools > Script Editor") << QList<int>{20, 0} << "Alt+T S" << "&Script Editor" << "Script Editor";
    QTest::newRow("8 at first: Script Editor grey") << QList<int>{8} << "Alt+T S" << "&Script Editor (grey)" << "menu Tools";
    QTest::newRow("Help > Help") << QList<int>{} << "Alt+H H" << "&Help F1 | - | &About Quorvadine" << "Help";
    QTest::newRow("Help > About Quorvadine") << QList<int>{} << "Alt+H A" << "&Help F1 | - | &About Quorvadine" << "About Quorvadine";
    QTest::newRow("F10, Left round to Help, Enter") << QList<int>{20} << "F10 Left Return" << "&Help F1 | - | &About Quorvadine" << "Help";
    QTest::newRow("Left in a menu goes to the menu before") << QList<int>{20} << "Alt+T Left Return" << view << "menu Close Up Current";
    QTest::newRow("Ctrl+P: Print...") << QList<int>{20} << "Ctrl+P" << "" << "Print Preview";
    QTest::newRow("F1: Help") << QList<int>{} << "F1" << "" << "Help";
}

// The menus walked by keys as a user walks them: what each shows, and what comes of a choice.
void tst_flow::menus()
{
    QFETCH(QList<int>, loads);
    QFETCH(QString, keys);
    FormRig rig(0);
    for (int count : loads) {
        count ? rig.fake.pictures.choose(names(count)) : rig.fake.pictures.cancel();
        rig.form.sOpen->trigger();
    }
    QString menu;
    for (const QString &key : keys.split(u' ')) {
        if (auto *open = qobject_cast<QMenu *>(QApplication::activePopupWidget()))
            menu = shown(open);
        press(rig.form, key);
    }
    QTEST(menu, "menu");
    auto *open = qobject_cast<QMenu *>(QApplication::activePopupWidget());
    QStringList windows;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->isVisible() && w != &rig.form && !qobject_cast<QMenu *>(w))
            windows << w->windowTitle();
    QTEST(open ? "menu " + open->title().remove(u'&') : !rig.form.isVisible() ? t("closed") : windows.join(u", "), "got");
    // The scene stays as it was unless a position was chosen: no key reached the board.
    QCOMPARE(rig.form.board().d.toInt(), windows.contains(u"CloseUp") ? keys.back().digitValue() - 1 : 0);
    if (open)
        open->close();
}

void tst_flow::secondaryWindows_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second"); // another way to ask for the same window
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<int>("topmost"); // 1: in the topmost band from its first showing
    QTest::addColumn<int>("scene");   // selected, script looked up, before the window first shows
    QTest::newRow("options") << "Alt+V O" << "Alt+V O" << "frmOptions" << true << 1 << 1;
    QTest::newRow("print dialogue: menu, then Ctrl+P") << "Alt+F P" << "Ctrl+P" << "PrintPreviewDialog" << true << 1 << 1;
    QTest::newRow("Script Editor") << "Alt+T S" << "Alt+T S" << "ScriptEditor" << false << 1 << 1;
    QTest::newRow("help: menu, then button") << "Alt+H H" << "Command6" << "Help" << false << 1 << 1;
    QTest::newRow("About: menu, then logo") << "Alt+H A" << "PictureLabelLogo" << "frmAbout" << false << 0 << 1;
    QTest::newRow("close-up: Position 9, then preview") << "Alt+V C 9" << "BigPreview" << "Quorvadine" << false << 0 << 9;
    QTest::newRow("close-up: preview, then Position 5") << "BigPreview" << "Alt+V C 5" << "Quorvadine" << false << 0 << 1;
}

// Each window exists at most once: hidden (as the Script Editor's Close does) and asked for again, it comes back.
void tst_flow::secondaryWindows()
{
    QFETCH(QString, window);
    QFETCH(bool, blocks);
    QFETCH(int, scene);
    FormRig rig(20);
    Form1 &form = rig.form;
    QTest::mouseClick(form.Image1[0], Qt::LeftButton);
    QFETCH(QString, first);
    perform(form, first);
    QCOMPARE(QStringList({form.FatViewSceneLabel->text(), form.SceneText->toPlainText()}),
             QStringList({"Current View: Sc:" + QString::number(scene), QString::number(scene) + ".-empty-"}));
    // The Script Editor item closes the scene first: Save or Load comes next.
    QCOMPARE(form.BigPreview->picture().resource == 2000, window == u"ScriptEditor");
    const auto windowsNamed = [](const QString &name) {
        QList<QWidget *> all = QApplication::topLevelWidgets();
        all.removeIf([&](QWidget *w) { return w->objectName() != name; });
        return all;
    };
    QPointer<QWidget> shown = windowsNamed(window).value(0);
    QTEST(int(shown->windowFlags().testFlag(Qt::WindowStaysOnTopHint)), "topmost");
    shown->hide();
    QFETCH(QString, second);
    perform(form, second);
    flushDeletes();
    QCOMPARE(windowsNamed(window), QList<QWidget *>{shown.data()});
    QVERIFY(shown->isVisible());
    // An open close-up keeps the picture it was loaded with.
    if (form.closeUp())
        QCOMPARE(form.closeUp()->Image1->picture().file, rig.pictures[scene - 1]);
    // Only the options window and the print dialogue take the main window's input, till they close.
    QTest::mouseClick(form.windowHandle(), Qt::LeftButton, {}, form.Command4->mapTo(&form, QPoint(5, 5)));
    QCOMPARE(form.PageCurrent->text(), blocks ? t("Page: 1") : t("Page: 2"));
    shown->close();
    flushDeletes();
    QVERIFY(takesInput(form));
    form.close();
}

void tst_flow::typicalFlow()
{
    const QString script = QStringLiteral("Hero enters, rain falls");
    FormRig rig(20);
    Form1 &form = rig.form;
    FakePlatform &fake = rig.fake;
    const QString scriptFile = rig.dir.filePath(QStringLiteral("story.ScE")), pdf = rig.dir.filePath(QStringLiteral("p.pdf"));
    QCOMPARE(fake.pictures.owners, QList<QWidget *>{&form});
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 20"));
    // Box 5; Tools > Script Editor, entry 5, a script typed and written to the scene.
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.BigPreview->picture().file, rig.pictures[4]);
    form.sScriptEditor->trigger();
    ScriptEditor *editor = form.scriptEditor();
    QCOMPARE(editor->List1->count(), 21);
    QListWidgetItem *five = editor->List1->item(5);
    editor->List1->scrollToItem(five);
    QTest::mouseClick(editor->List1->viewport(), Qt::LeftButton, {}, editor->List1->visualItemRect(five).center());
    QCOMPARE(editor->ScriptTextBox->toPlainText(), t("-empty-"));
    QTest::keyClick(editor->ScriptTextBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor->ScriptTextBox, script);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("5.") + script);
    // "Save" to a real file.
    fake.files.choose(scriptFile);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    QCOMPARE(fake.files.owners, QList<QWidget *>{editor});
    QVERIFY(QFileInfo(scriptFile).size() > 0);
    // File > Print..., "Page Images + Scripts", "Print Setup" into a PDF of two pages.
    PrintPreviewDialog *print = rig.openPrint();
    QTest::mouseClick(print->Option1[3], Qt::LeftButton);
    fake.printer.print(pdf);
    QTest::mouseClick(print->OKButton, Qt::LeftButton);
    QCOMPARE(fake.printer.owners, QList<QWidget *>{print});
    QTest::mouseClick(print->CancelButton, Qt::LeftButton);
    flushDeletes();
    QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), t("2"));
    const QString second = pageText(pdf, 2).simplified();
    QVERIFY2(second.contains(t("Scene Transcripts:")) && second.contains(script), qPrintable(second));
    // A fresh board: every script goes with the old one.
    fake.pictures.choose(picturelist::resultText(rig.pictures));
    form.sOpen->trigger();
    QVERIFY(!form.scriptEditor());
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("5.-empty-"));
    // Loading the saved file brings the script back.
    form.sScriptEditor->trigger();
    editor = form.scriptEditor();
    fake.files.choose(scriptFile);
    QTest::mouseClick(editor->Command3, Qt::LeftButton);
    QCOMPARE(editor->List1->item(5)->text(), t("5.") + script);
    QTest::mouseClick(editor->Command2, Qt::LeftButton);
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("5.") + script);
    QCOMPARE(fake.messages.texts, QStringList());
    // File > Exit closes every window.
    for (QAction *item : {form.sScriptEditor, form.sHelp, form.sAbout, form.sPosition2, form.sPrint, form.sOptions})
        item->trigger();
    QPointer<QWidget> windows[] = {editor, form.help(), form.about(), form.closeUp(), form.printPreviewDialog(), form.options()};
    for (const QPointer<QWidget> &w : windows)
        QVERIFY(w && w->isVisible());
    form.sExit->trigger();
    flushDeletes();
    QVERIFY(!form.isVisible());
    for (const QPointer<QWidget> &w : windows)
        QVERIFY2(w.isNull(), w ? qPrintable(w->objectName()) : "");
}

// Pictures dropped on the main window load as if chosen in the picture dialog, after the unsaved-scripts question.
void tst_flow::dropPictures()
{
    FormRig rig(20);
    Form1 &form = rig.form;
    form.scriptList().selectEntry(2);
    QTest::mouseClick(form.scriptEditor()->Command1, Qt::LeftButton);
    const QDir samples(QStringLiteral(QV_SOURCE_DIR "/samples"));
    QList<QUrl> files;
    for (const QString &name : samples.entryList({"frame*"}))
        files.prepend(QUrl::fromLocalFile(samples.filePath(name)));
    form.sOptions->trigger();
    QCOMPARE(drop(&form, files), Qt::IgnoreAction); // the main window takes no input
    form.options()->close();
    for (const QList<QUrl> &dropped : {files, {QUrl::fromLocalFile(samples.path())}}) {
        QTest::mouseClick(form.Command4, Qt::LeftButton);
        QCOMPARE(drop(&form, dropped), Qt::CopyAction);
        QCOMPARE(rig.fake.messages.questions, QStringList{"Scripts have been written since the last Save or Load. Save them "
                                                          "to a script file first? (No throws them away.)"});
        QCOMPARE(QStringList({form.FrameTotal->text(), form.PageCurrent->text(), form.SceneLabel[8]->text()}),
                 QStringList({"Total Images= 24", "Page: 1", "Sc:9"}));
        QCOMPARE(shortnames::longForm(form.Image1[8]->picture().file), samples.filePath("frame09.gif"));
        QVERIFY(!form.scriptEditor());
    }
}

QTEST_MAIN(tst_flow)
#include "tst_flow.moc"
