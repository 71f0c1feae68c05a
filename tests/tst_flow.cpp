// The program's wiring on the real windows with only the dialogs scripted:
// the menu bar, pictures dropped, and the typical session end to end.
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "interfaces/ShortNames.h"
#include "resources/Texts.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditor.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "view/Quorvadine.h"
#include "widgets/ImageBox.h"

#include <QtWidgets>

using namespace support;

namespace {
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
    void typicalFlow();
    void dropPictures_data();
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
    form.sScriptEditor->trigger();
    ScriptEditor *editor = form.scriptEditor();
    QListWidgetItem *five = editor->List1->item(5);
    editor->List1->scrollToItem(five);
    QTest::mouseClick(editor->List1->viewport(), Qt::LeftButton, {}, editor->List1->visualItemRect(five).center());
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

// Pictures dropped on the main window load as if chosen in the picture dialog, after the unsaved-scripts question;
// not while a window blocks it. Names that make the dialog's text over 32,000 characters long get the loading
// message, and the board stays.
void tst_flow::dropPictures_data()
{
    QTest::addColumn<QString>("dropped"); // the samples' "files" or "folder"; or a folder of 500 names this long
    QTest::addColumn<bool>("blocked");    // by the options window
    QTest::addColumn<QString>("total");   // "": the board of 20 stays
    QTest::addColumn<QString>("message");
    QTest::newRow("the samples' files") << "files" << false << "Total Images= 24" << "";
    QTest::newRow("the samples' folder") << "folder" << false << "Total Images= 24" << "";
    QTest::newRow("the options window open: refused") << "files" << true << "" << "";
    QTest::newRow("names of 32,000 characters") << "32000" << false << "Total Images= 500"
                                                << texts::withReason(texts::kMissingPicture, "%1: The file is empty.");
    QTest::newRow("names of 32,001 characters") << "32001" << false << "" << t(texts::kLoadError);
}

void tst_flow::dropPictures()
{
    QFETCH(QString, dropped);
    QFETCH(bool, blocked);
    QFETCH(QString, total);
    QFETCH(QString, message);
    const QDir samples(QStringLiteral(QV_SOURCE_DIR "/samples"));
    QTemporaryDir dir;
    QList<QUrl> urls{QUrl::fromLocalFile(dropped == u"folder" ? samples.path() : dir.path())};
    if (dropped == u"files") {
        urls.clear();
        for (const QString &name : samples.entryList({"frame*"}))
            urls.prepend(QUrl::fromLocalFile(samples.filePath(name)));
    }
    const int length = dropped.toInt(), room = length - int(shortnames::directory(dir.path()).size()), each = room / 500;
    for (int i = 0; length && i < 500; ++i) // each name and its blank
        QVERIFY(QFile(dir.filePath(QString::number(1000 + i).leftJustified(each + (i < room % 500) - 5, u'x') + ".jpg"))
                    .open(QIODevice::WriteOnly));
    FormRig rig(20);
    Form1 &form = rig.form;
    form.scriptList().selectEntry(2);
    QTest::mouseClick(form.scriptEditor()->Command1, Qt::LeftButton);
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    if (blocked)
        form.sOptions->trigger();
    QCOMPARE(drop(&form, urls), blocked ? Qt::IgnoreAction : Qt::CopyAction);
    QCOMPARE(rig.fake.messages.questions, blocked ? QStringList() : QStringList{"Scripts have been written since the last "
                                                                                "Save or Load. Save them to a script file first? (No throws them away.)"});
    const QString first = QFileInfo(QDir(dir.path()).entryList(QDir::Files).value(0)).fileName();
    QCOMPARE(rig.fake.messages.texts, message.isEmpty() ? QStringList() : QStringList{message.arg(first)});
    QCOMPARE(form.FrameTotal->text(), total.isEmpty() ? t("Total Images= 20") : total);
    QCOMPARE(form.PageCurrent->text(), total.isEmpty() ? t("Page: 2") : t("Page: 1"));
    QCOMPARE(form.scriptEditor() != nullptr, total.isEmpty());
    if (total == u"Total Images= 24")
        QCOMPARE(shortnames::longForm(form.Image1[8]->picture().file), samples.filePath("frame09.gif"));
}

QTEST_MAIN(tst_flow)
#include "tst_flow.moc"
