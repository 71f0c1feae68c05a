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
    QTest::addColumn<bool>("boardItems");
    QTest::newRow("before any board") << QList<int>{} << false;
    QTest::newRow("541, too many") << QList<int>{541} << true;
    QTest::newRow("8 at first") << QList<int>{8} << false;
    QTest::newRow("20, then 8") << QList<int>{20, 8} << false;
    QTest::newRow("20, then cancelled") << QList<int>{20, 0} << true;
}

// The menu tree's captions, names and separators, greyed items marked "-": the board's while it has none.
void tst_flow::menus()
{
    QFETCH(QList<int>, loads);
    QFETCH(bool, boardItems);
    FormRig rig(0);
    for (int count : loads) {
        count ? rig.fake.pictures.choose(names(count)) : rig.fake.pictures.cancel();
        rig.form.action("sOpen")->trigger();
    }
    QStringList shown;
    for (QAction *top : rig.form.menuBar()->actions())
        shown << top->text();
    for (const char *name : {"mFile", "mView", "sCloseUp", "mTools", "mHelp"}) {
        QString line = rig.form.menu(name)->objectName() + u':';
        for (QAction *a : rig.form.menu(name)->actions())
            line += u' ' + a->objectName() + (a->isSeparator() ? QString() : u'=' + a->text() + (a->isEnabled() ? "" : "-"));
        shown << line;
    }
    const QString g = boardItems ? QString() : QStringLiteral("-");
    QString positions = QStringLiteral("sCloseUp:");
    for (int i = 1; i <= 9; ++i)
        positions += QStringLiteral(" sPosition%1=Position %1").arg(i) + g;
    QCOMPARE(shown, (QStringList{"File", "View", "Tools", "Help",
                                 "mFile: sOpen=New Quorvadine seperator sPrint=Print..." + g + " septherator sExit=Exit",
                                 "mView: sCloseUp=Close Up Current seperator5 sOptions=Options", positions,
                                 "mTools: sScriptEditor=Script Editor" + g, "mHelp: sHelp=Help captioned sAbout=About Quorvadine"}));
    // No keyboard shortcuts, and no mnemonics hidden in a caption.
    for (QAction *a : rig.form.findChildren<QAction *>())
        QVERIFY2(a->shortcuts().isEmpty() && !a->text().contains(u'&'), qPrintable(a->text()));
    // Greyed items do nothing even when triggered.
    for (const char *name : {"sPrint", "sScriptEditor", "sPosition1", "sPosition9"})
        rig.form.action(name)->trigger();
    QCOMPARE(!rig.form.printPreviewDialog() && !rig.form.scriptEditor() && !rig.form.closeUp(), !boardItems);
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
    form.action("sScriptEditor")->trigger();
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
    for (const char *item : {"sScriptEditor", "sHelp", "sAbout", "sPosition2", "sPrint", "sOptions"})
        form.action(item)->trigger();
    QPointer<QWidget> windows[] = {editor, form.help(), form.about(), form.closeUp(), form.printPreviewDialog(), form.options()};
    for (const QPointer<QWidget> &w : windows)
        QVERIFY(w && w->isVisible());
    form.action("sExit")->trigger();
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
    QTest::newRow("names of 32,000 characters") << "32000" << false << "Total Images= 500" << t(texts::kMissingPicture);
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
        form.action("sOptions")->trigger();
    QCOMPARE(drop(&form, urls), blocked ? Qt::IgnoreAction : Qt::CopyAction);
    QCOMPARE(rig.fake.messages.questions, blocked ? QStringList() : QStringList{"Scripts have been written since the last "
                                                                                "Save or Load. Save them to a script file first? (No throws them away.)"});
    QCOMPARE(rig.fake.messages.texts, message.isEmpty() ? QStringList() : QStringList{message});
    QCOMPARE(form.FrameTotal->text(), total.isEmpty() ? t("Total Images= 20") : total);
    QCOMPARE(form.PageCurrent->text(), total.isEmpty() ? t("Page: 2") : t("Page: 1"));
    QCOMPARE(form.scriptEditor() != nullptr, total.isEmpty());
    if (total == u"Total Images= 24")
        QCOMPARE(shortnames::longForm(form.Image1[8]->picture().file), samples.filePath("frame09.gif"));
}

QTEST_MAIN(tst_flow)
#include "tst_flow.moc"
