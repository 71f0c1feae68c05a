// The program's wiring on the real windows with only the dialogs scripted:
// the menu bar, what opens what, which windows block the main window, and
// the typical session end to end.
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "platform/ImageBox.h"
#include "platform/QtDialogOwner.h"
#include "printing/SheetDesigns.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditor.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "view/Quorvadine.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

using namespace support;

namespace {
// The first showing of each window: its flags, and the main window's scene
// caption and text at that moment.
class FirstShowRecorder : public QObject
{
public:
    explicit FirstShowRecorder(Form1 &form) : m_form(form) { qApp->installEventFilter(this); }
    ~FirstShowRecorder() override { qApp->removeEventFilter(this); }
    QHash<QString, Qt::WindowFlags> flags;
    QHash<QString, QStringList> mainState;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && w && w->isWindow() && !flags.contains(w->objectName())) {
            flags.insert(w->objectName(), w->windowFlags());
            mainState.insert(w->objectName(), {m_form.FatViewSceneLabel->text(), m_form.SceneText->toPlainText()});
        }
        return false;
    }

private:
    Form1 &m_form;
};

QList<QWidget *> windowsNamed(const QString &name)
{
    QList<QWidget *> found;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == name)
            found << w;
    return found;
}

void perform(Form1 &form, const QString &how)
{
    if (how == QLatin1String("Command6"))
        QTest::mouseClick(form.Command6, Qt::LeftButton);
    else if (how == QLatin1String("PictureLabelLogo"))
        QTest::mouseClick(form.PictureLabelLogo, Qt::LeftButton);
    else if (how == QLatin1String("BigPreview"))
        QTest::mouseClick(form.BigPreview, Qt::LeftButton);
    else
        form.action(how.toLatin1().constData())->trigger();
}
} // namespace

class tst_flow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void cleanup();
    void menuTree();
    void menuEnabled_data();
    void menuEnabled();
    void positionItems_data();
    void positionItems();
    void scriptEditorOpensAfterTheSceneCloses();
    void secondaryWindows_data();
    void secondaryWindows();
    void printClosedUnderOptions_data();
    void printClosedUnderOptions();
    void dialogAboveTopmost_data();
    void dialogAboveTopmost();
    void typicalFlow();
    void closingClosesAll_data();
    void closingClosesAll();
};

void tst_flow::cleanup()
{
    flushDeletes();
    for (QWidget *w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible() || qobject_cast<QMenu *>(w), qPrintable(w->objectName()));
}

void tst_flow::menuTree()
{
    FormRig rig(0);
    QStringList shown;
    for (QAction *top : rig.form.menuBar()->actions())
        shown << top->text();
    for (const char *name : {"mFile", "mView", "sCloseUp", "mTools", "mHelp"}) {
        QString line = rig.form.menu(name)->objectName() + u':';
        for (QAction *a : rig.form.menu(name)->actions())
            line += u' ' + a->objectName() + (a->isSeparator() ? QString() : u'=' + a->text());
        shown << line;
    }
    QString positions = QStringLiteral("sCloseUp:");
    for (int i = 1; i <= 9; ++i)
        positions += QStringLiteral(" sPosition%1=Position %1").arg(i);
    QCOMPARE(shown, (QStringList{"File", "View", "Tools", "Help",
                                 "mFile: sOpen=New Quorvadine seperator sPrint=Print... septherator sExit=Exit",
                                 "mView: sCloseUp=Close Up Current seperator5 sOptions=Options", positions,
                                 "mTools: sScriptEditor=Script Editor", "mHelp: sHelp=Help captioned sAbout=About Quorvadine"}));
    QCOMPARE(rig.form.action("sCloseUp")->menu(), rig.form.menu("sCloseUp"));
    // No keyboard shortcuts, and no mnemonics hidden in a caption.
    for (QAction *a : rig.form.findChildren<QAction *>())
        QVERIFY2(a->shortcuts().isEmpty() && !a->text().contains(u'&'), qPrintable(a->text()));
}

void tst_flow::menuEnabled_data()
{
    QTest::addColumn<QList<int>>("loads"); // pictures chosen each time; 0: dialog cancelled
    QTest::addColumn<bool>("boardItems");
    QTest::newRow("before any board") << QList<int>{} << false;
    QTest::newRow("9, the least") << QList<int>{9} << true;
    QTest::newRow("541, too many") << QList<int>{541} << true;
    QTest::newRow("8 at first") << QList<int>{8} << false;
    QTest::newRow("20, then 8") << QList<int>{20, 8} << false;
    QTest::newRow("8, then 20") << QList<int>{8, 20} << true;
    QTest::newRow("20, then cancelled") << QList<int>{20, 0} << true;
}

void tst_flow::menuEnabled()
{
    QFETCH(QList<int>, loads);
    QFETCH(bool, boardItems);
    FormRig rig(0);
    for (int count : loads) {
        count ? rig.fake.pictures.choose(names(count)) : rig.fake.pictures.cancel();
        rig.form.action("sOpen")->trigger();
    }
    QStringList enabled;
    for (QAction *a : rig.form.findChildren<QAction *>())
        if (a->isEnabled() && !a->isSeparator() && !a->objectName().isEmpty())
            enabled << a->objectName();
    enabled.sort();
    QStringList expected{"sAbout", "sCloseUp", "sExit", "sHelp", "sOpen", "sOptions"};
    if (boardItems) {
        expected << "sPrint" << "sScriptEditor";
        for (int i = 1; i <= 9; ++i)
            expected << QStringLiteral("sPosition%1").arg(i);
        expected.sort();
    }
    QCOMPARE(enabled, expected);
    // Greyed items do nothing even when triggered.
    for (const char *name : {"sPrint", "sScriptEditor", "sPosition1", "sPosition9"})
        rig.form.action(name)->trigger();
    if (!boardItems)
        QVERIFY(!rig.form.printPreviewDialog() && !rig.form.scriptEditor() && !rig.form.closeUp());
}

void tst_flow::positionItems_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<QList<int>>("positions"); // the items chosen in turn, 1..9
    QTest::addColumn<int>("scene");
    QTest::newRow("Position 1 on page 1") << 1 << QList<int>{1} << 1;
    QTest::newRow("Position 9 on page 1") << 1 << QList<int>{9} << 9;
    QTest::newRow("Position 1 on page 2") << 2 << QList<int>{1} << 10;
    QTest::newRow("Position 9 on page 2") << 2 << QList<int>{9} << 18;
    QTest::newRow("Position 3 with the close-up open") << 1 << QList<int>{1, 3} << 3;
}

void tst_flow::positionItems()
{
    QFETCH(int, page);
    QFETCH(QList<int>, positions);
    QFETCH(int, scene);
    FormRig rig(20);
    if (page == 2)
        QTest::mouseClick(rig.form.Command4, Qt::LeftButton);
    FirstShowRecorder recorder(rig.form);
    for (int position : positions)
        rig.form.action(QByteArray("sPosition" + QByteArray::number(position)).constData())->trigger();
    const QStringList state{QStringLiteral("Current View: Sc:%1").arg(scene), QStringLiteral("%1.-empty-").arg(scene)};
    // The selection, script lookup included, is complete before the close-up first appears.
    if (positions.size() == 1)
        QCOMPARE(recorder.mainState.value(QStringLiteral("Quorvadine")), state);
    QCOMPARE((QStringList{rig.form.FatViewSceneLabel->text(), rig.form.SceneText->toPlainText()}), state);
    QCOMPARE(windowsNamed(QStringLiteral("Quorvadine")).size(), 1);
    QVERIFY(rig.form.closeUp()->isVisible());
    // An open close-up keeps the picture it was loaded with.
    QCOMPARE(rig.form.closeUp()->Image1->picture().file, rig.pictures[(page - 1) * 9 + positions.first() - 1]);
    QCOMPARE(rig.form.board().d.toInt(), positions.last() - 1);
    QCOMPARE(rig.form.BigPreview->picture().file, rig.pictures[scene - 1]);
    rig.form.close();
}

void tst_flow::scriptEditorOpensAfterTheSceneCloses()
{
    FormRig rig(20);
    QTest::mouseClick(rig.form.Image1[4], Qt::LeftButton);
    FirstShowRecorder recorder(rig.form);
    rig.form.action("sScriptEditor")->trigger();
    QVERIFY(rig.form.scriptEditor()->isVisible());
    QCOMPARE(recorder.mainState.value(QStringLiteral("ScriptEditor")), (QStringList{"Current View: Sc:5", "5.-empty-"}));
    QVERIFY(rig.form.board().GoShowOpenDialog.toBool());
    QCOMPARE(rig.form.BigPreview->picture().resource, 2000);
    rig.form.close();
}

void tst_flow::secondaryWindows_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second"); // another way to ask for the same window
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<bool>("topmost");
    QTest::newRow("options") << "sOptions" << "sOptions" << "frmOptions" << true << true;
    QTest::newRow("print dialogue") << "sPrint" << "sPrint" << "PrintPreviewDialog" << true << true;
    QTest::newRow("Script Editor") << "sScriptEditor" << "sScriptEditor" << "ScriptEditor" << false << true;
    QTest::newRow("help: menu, then button") << "sHelp" << "Command6" << "Help" << false << true;
    QTest::newRow("About: menu, then logo") << "sAbout" << "PictureLabelLogo" << "frmAbout" << false << false;
    QTest::newRow("close-up: preview, then Position 5") << "BigPreview" << "sPosition5" << "Quorvadine" << false << false;
    QTest::newRow("close-up: Position 2, then preview") << "sPosition2" << "BigPreview" << "Quorvadine" << false << false;
}

// Each window exists at most once; hidden (as the Script Editor's Close does)
// and asked for again, the same window comes back.
void tst_flow::secondaryWindows()
{
    QFETCH(QString, first);
    QFETCH(QString, window);
    QFETCH(bool, blocks);
    FormRig rig(20);
    Form1 &form = rig.form;
    QTest::mouseClick(form.Image1[0], Qt::LeftButton);
    {
        FirstShowRecorder recorder(form);
        perform(form, first);
        QVERIFY(recorder.flags.contains(window));
        QTEST(bool(recorder.flags.value(window) & Qt::WindowStaysOnTopHint), "topmost");
    }
    QPointer<QWidget> shown = windowsNamed(window).value(0);
    shown->hide();
    QFETCH(QString, second);
    perform(form, second);
    flushDeletes();
    QCOMPARE(windowsNamed(window), QList<QWidget *>{shown.data()});
    QVERIFY(shown->isVisible());
    QCOMPARE(form.isEnabled(), !blocks);
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(form.FatViewSceneLabel->text(), blocks ? t("Current View: Sc:1") : t("Current View: Sc:5"));
    QCOMPARE(form.PageCurrent->text(), blocks ? t("Page: 1") : t("Page: 2"));
    // Closing the window gives the main window back.
    shown->close();
    flushDeletes();
    QTest::mouseClick(form.Command5, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    form.close();
}

void tst_flow::printClosedUnderOptions_data()
{
    QTest::addColumn<QString>("how"); // how the print dialogue goes or prints again
    QTest::newRow("Close") << "Close";
    QTest::newRow("close box") << "close box";
    QTest::newRow("Print Setup again, cancelled") << "Print Setup";
}

// "Print Setup" gives the main window back while the print dialogue stays
// open; the options window opened then must keep it blocked to the end.
void tst_flow::printClosedUnderOptions()
{
    QFETCH(QString, how);
    FormRig rig(20);
    Form1 &form = rig.form;
    QPointer<PrintPreviewDialog> print = rig.openPrint();
    rig.fake.printer.cancel();
    QTest::mouseClick(print->OKButton, Qt::LeftButton);
    QVERIFY(form.isEnabled());
    form.action("sOptions")->trigger();
    rig.fake.printer.cancel();
    if (how == QLatin1String("Close"))
        QTest::mouseClick(print->CancelButton, Qt::LeftButton);
    else if (how == QLatin1String("close box"))
        print->close();
    else
        QTest::mouseClick(print->OKButton, Qt::LeftButton);
    flushDeletes();
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    QTest::mouseClick(form.options()->cmdOK, Qt::LeftButton);
    flushDeletes();
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 2"));
    form.close();
}

// A dialog or message belongs to the window that asked for it and joins the
// topmost band while a window of ours is there, so it never opens behind one.
void tst_flow::dialogAboveTopmost_data()
{
    QTest::addColumn<QString>("open");
    QTest::addColumn<bool>("topmost");
    QTest::newRow("nothing on top") << "" << false;
    QTest::newRow("help open") << "sHelp" << true;
    QTest::newRow("options open") << "sOptions" << true;
    QTest::newRow("Script Editor hidden") << "editor" << false;
}

void tst_flow::dialogAboveTopmost()
{
    QFETCH(QString, open);
    FakePlatform fake;
    Form1 form(fake.platform());
    form.show();
    if (open == QLatin1String("editor"))
        form.scriptList();
    else if (!open.isEmpty())
        form.action(open.toLatin1().constData())->trigger();
    QMessageBox box;
    qtdialogs::own(&box, form.Command1);
    QTEST(box.windowFlags().testFlag(Qt::WindowStaysOnTopHint), "topmost");
    QCOMPARE(box.windowHandle()->transientParent(), form.windowHandle());
    QVERIFY(!box.parent());
}

void tst_flow::typicalFlow()
{
    const QString script = QStringLiteral("Hero enters, rain falls");
    FormRig rig(20);
    Form1 &form = rig.form;
    FakePlatform &fake = rig.fake;
    const QString scriptFile = rig.dir.filePath(QStringLiteral("story.ScE")), pdf = rig.dir.filePath(QStringLiteral("p.pdf"));
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(fake.pictures.owners, QList<QWidget *>{&form});
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 20"));
    for (int i = 0; i < 9; ++i)
        QCOMPARE(form.Image1[i]->picture().file, rig.pictures[i]);

    // Box 5; Tools > Script Editor, entry 5, a script typed and written to the scene.
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.BigPreview->picture().file, rig.pictures[4]);
    form.action("sScriptEditor")->trigger();
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
    QVERIFY(!form.printPreviewDialog());
    if (havePoppler()) {
        QCOMPARE(pdfInfo(pdf, QStringLiteral("Pages")), t("2"));
        const QString second = pageText(pdf, 2).simplified();
        QVERIFY2(second.contains(t(sheets::kTranscriptsHeading)) && second.contains(script), qPrintable(second));
    }

    // A fresh board: every script goes with the old one.
    fake.pictures.choose(QtPictureDialog::resultText(rig.pictures));
    form.action("sOpen")->trigger();
    QVERIFY(!form.scriptEditor());
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("5.-empty-"));

    // Loading the saved file brings the script back.
    form.action("sScriptEditor")->trigger();
    editor = form.scriptEditor();
    fake.files.choose(scriptFile);
    QTest::mouseClick(editor->Command3, Qt::LeftButton);
    QCOMPARE(editor->List1->item(5)->text(), t("5.") + script);
    QTest::mouseClick(editor->Command2, Qt::LeftButton);
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("5.") + script);
    QCOMPARE(fake.messages.texts, QStringList());
    form.action("sExit")->trigger();
    if (!havePoppler())
        QSKIP("poppler-utils not installed: the printed pages went unread");
}

void tst_flow::closingClosesAll_data()
{
    QTest::addColumn<bool>("byExit");
    QTest::newRow("File > Exit") << true;
    QTest::newRow("the close box") << false;
}

void tst_flow::closingClosesAll()
{
    QFETCH(bool, byExit);
    FormRig rig(20);
    Form1 &form = rig.form;
    QTest::mouseClick(form.Image1[2], Qt::LeftButton);
    for (const char *item : {"sScriptEditor", "sHelp", "sAbout", "sPosition2", "sPrint", "sOptions"})
        form.action(item)->trigger();
    QPointer<QWidget> windows[] = {form.scriptEditor(), form.help(), form.about(),
                                   form.closeUp(), form.printPreviewDialog(), form.options()};
    for (const QPointer<QWidget> &w : windows)
        QVERIFY(w && w->isVisible());
    if (byExit)
        form.action("sExit")->trigger();
    else
        QVERIFY(form.close());
    flushDeletes();
    QVERIFY(!form.isVisible());
    for (const QPointer<QWidget> &w : windows)
        QVERIFY2(w.isNull(), w ? qPrintable(w->objectName()) : "");
}

QTEST_MAIN(tst_flow)
#include "tst_flow.moc"
