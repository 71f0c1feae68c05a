// The whole program's wiring: the menu bar against its table, what every
// menu item and view-panel control opens, which windows block the main
// window, and the typical session end to end on the real windows with only
// the dialogs scripted.
#include "resources/Texts.h"
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "platform/ImageBox.h"
#include "platform/QtDialogOwner.h"
#include "platform/QtPictureDialog.h"
#include "printing/PrintPreviewDialog.h"
#include "printing/SheetDesigns.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditor.h"
#include "support/FakePlatform.h"
#include "support/PictureFiles.h"
#include "view/Form1.h"
#include "view/MenuTree.h"
#include "view/Quorvadine.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

// A picture dialog answer for `count` files that are not on disk.
QString missingNames(int count)
{
    QString result = QStringLiteral("/nowhere");
    for (int i = 1; i <= count; ++i)
        result += QStringLiteral(" f%1.jpg").arg(i);
    return result;
}

// Items a board enables; every other item is always enabled.
bool needsBoard(const QString &name)
{
    return name == QLatin1String("sPrint") || name == QLatin1String("sScriptEditor")
           || name.startsWith(QLatin1String("sPosition"));
}

// The window flags each top-level window had when it was first shown.
class FirstShowRecorder : public QObject
{
public:
    QHash<QString, Qt::WindowFlags> flags;
    // What the main window showed when a window was first shown.
    QHash<QString, QStringList> mainState;
    Form1 *form = nullptr;

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *w = qobject_cast<QWidget *>(watched);
        if (event->type() == QEvent::Show && w && w->isWindow() && !flags.contains(w->objectName())) {
            flags.insert(w->objectName(), w->windowFlags());
            if (form) {
                mainState.insert(w->objectName(),
                                 {form->FatViewSceneLabel->text(), form->SceneText->toPlainText(),
                                  QString::number(form->BigPreview->picture().resource),
                                  form->board().GoShowOpenDialog.toBool() ? t("flag set") : t("flag clear")});
            }
        }
        return false;
    }
};

int windowsNamed(const QString &name)
{
    int count = 0;
    for (QWidget *w : QApplication::topLevelWidgets())
        count += w->objectName() == name ? 1 : 0;
    return count;
}

void flushDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

QString run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.start(program, arguments);
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}
} // namespace

class tst_flow : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();

    void menuTree();
    void menuEnabled_data();
    void menuEnabled();
    void beforeAnyBoard();
    void secondaryWindowsOnce_data();
    void secondaryWindowsOnce();
    void scriptEditorItemOrder();
    void positionItems_data();
    void positionItems();
    void positionWithCloseUpOpen();
    void inputBlocking_data();
    void inputBlocking();
    void printClosedUnderOptions_data();
    void printClosedUnderOptions();
    void dialogAboveTopmost_data();
    void dialogAboveTopmost();
    void typicalFlow();
    void closingClosesAll_data();
    void closingClosesAll();

private:
    // A started main window with the layout choice cancelled.
    void startEmpty(FakePlatform &fake, Form1 &form);
    // A started main window showing page 1 of the 20 real pictures.
    void startWithPictures(FakePlatform &fake, Form1 &form);
    void perform(Form1 &form, const QString &how);

    QTemporaryDir m_dir;
    QStringList m_pictures; // scene k is m_pictures[k - 1]
};

void tst_flow::initTestCase()
{
    QVERIFY(m_dir.isValid());
    for (int i = 1; i <= 20; ++i) {
        // Zero-padded so the dialog's order is the scene order.
        const QString path = m_dir.filePath(QStringLiteral("shot%1.jpg").arg(i, 2, 10, QLatin1Char('0')));
        QVERIFY(testpictures::writePicture(path, QColor(10 * i, 100, 200)));
        m_pictures << path;
    }
}

void tst_flow::cleanup()
{
    flushDeletes();
    // No window of one test may live on into the next.
    for (QWidget *w : QApplication::topLevelWidgets()) {
        if (w->isVisible() && !qobject_cast<QMenu *>(w))
            QFAIL(qPrintable(QStringLiteral("window left open: ") + w->objectName()));
    }
}

void tst_flow::startEmpty(FakePlatform &fake, Form1 &form)
{
    Q_UNUSED(fake);
    form.start();
    QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
    flushDeletes();
    QVERIFY(form.isEnabled());
}

void tst_flow::startWithPictures(FakePlatform &fake, Form1 &form)
{
    form.start();
    fake.pictures.choose(QtPictureDialog::resultText(m_pictures));
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    flushDeletes();
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 20"));
    QVERIFY(form.isEnabled());
}

void tst_flow::perform(Form1 &form, const QString &how)
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

// --- The menu bar ---------------------------------------------------------

void tst_flow::menuTree()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    QMenuBar *bar = form.menuBar();

    QList<QAction *> top = bar->actions();
    QCOMPARE(top.size(), qsizetype(menus::kMenus.size()));
    for (std::size_t i = 0; i < menus::kMenus.size(); ++i) {
        QMenu *m = top[qsizetype(i)]->menu();
        QVERIFY(m);
        QCOMPARE(m->objectName(), t(menus::kMenus[i].name));
        QCOMPARE(m->title(), t(menus::kMenus[i].caption));
    }

    // Each menu (and the submenu) holds its table entries, in table order.
    QStringList menuNames{QStringLiteral("sCloseUp")};
    for (const menus::Entry &m : menus::kMenus)
        menuNames << t(m.name);
    for (const QString &menuName : menuNames) {
        QStringList expected;
        for (const menus::Entry &e : menus::kItems) {
            const char *owner = e.submenu ? e.submenu : e.menu;
            if (t(owner) == menuName)
                expected << t(e.name) + u'|' + t(e.caption);
        }
        QStringList shown;
        for (QAction *a : form.menu(menuName.toLatin1().constData())->actions())
            shown << a->objectName() + u'|' + (a->isSeparator() ? QStringLiteral("-") : a->text());
        QCOMPARE(shown, expected);
    }

    // The separators keep their design names; the submenu holds the nine positions.
    QStringList separators;
    for (const menus::Entry &e : menus::kItems) {
        QAction *a = form.action(e.name);
        QVERIFY2(a, e.name);
        if (a->isSeparator())
            separators << a->objectName();
    }
    QCOMPARE(separators, (QStringList{"seperator", "septherator", "seperator5", "captioned"}));
    QStringList positions;
    for (QAction *a : form.menu("sCloseUp")->actions())
        positions << a->text();
    QCOMPARE(positions, (QStringList{"Position 1", "Position 2", "Position 3", "Position 4", "Position 5",
                                     "Position 6", "Position 7", "Position 8", "Position 9"}));
    QCOMPARE(form.action("sCloseUp")->menu(), form.menu("sCloseUp"));
    QCOMPARE(form.menu("mView")->actions().first()->text(), t("Close Up Current"));

    // No keyboard shortcuts, and no mnemonics hidden in a caption.
    const QList<QAction *> all = form.findChildren<QAction *>();
    QVERIFY(all.size() >= qsizetype(menus::kItems.size()));
    for (QAction *a : all) {
        QVERIFY2(a->shortcuts().isEmpty(), qPrintable(a->objectName()));
        QVERIFY2(!a->text().contains(u'&'), qPrintable(a->text()));
    }
}

void tst_flow::menuEnabled_data()
{
    QTest::addColumn<QStringList>("loads"); // picture dialog answers, in order
    QTest::addColumn<bool>("boardItems");

    QTest::newRow("before any board") << QStringList() << false;
    QTest::newRow("board of 20") << QStringList{missingNames(20)} << true;
    QTest::newRow("board of 9, the least") << QStringList{missingNames(9)} << true;
    QTest::newRow("board of 540, the most") << QStringList{missingNames(540)} << true;
    QTest::newRow("541, too many") << QStringList{missingNames(541)} << true;
    QTest::newRow("8 at first") << QStringList{missingNames(8)} << false;
    QTest::newRow("20, then 8") << QStringList{missingNames(20), missingNames(8)} << false;
    QTest::newRow("8, then 20") << QStringList{missingNames(8), missingNames(20)} << true;
    QTest::newRow("20, then a cancelled dialog") << QStringList{missingNames(20), QString()} << true;
}

void tst_flow::menuEnabled()
{
    QFETCH(QStringList, loads);
    QFETCH(bool, boardItems);
    FakePlatform fake;
    Form1 form(fake.platform());
    startEmpty(fake, form);
    for (const QString &answer : loads) {
        if (answer.isEmpty())
            fake.pictures.cancel();
        else
            fake.pictures.choose(answer);
        form.action("sOpen")->trigger();
    }
    for (const menus::Entry &e : menus::kItems) {
        QAction *a = form.action(e.name);
        const bool expected = needsBoard(t(e.name)) ? boardItems : true;
        QVERIFY2(a->isEnabled() == expected, e.name);
    }
    for (const menus::Entry &m : menus::kMenus)
        QVERIFY(form.menu(m.name)->isEnabled());
    QVERIFY(form.menu("sCloseUp")->menuAction()->isEnabled());
}

void tst_flow::beforeAnyBoard()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    startEmpty(fake, form);
    const QString caption = form.FatViewSceneLabel->text();

    // Greyed items do nothing even when triggered.
    for (const char *name : {"sPrint", "sScriptEditor", "sPosition1", "sPosition9"})
        form.action(name)->trigger();
    QVERIFY(!form.printPreviewDialog());
    QVERIFY(!form.scriptEditor());
    QVERIFY(!form.closeUp());
    QCOMPARE(form.FatViewSceneLabel->text(), caption);
    QCOMPARE(form.BigPreview->picture().resource, 2000);

    QStringList choosable;
    for (const menus::Entry &e : menus::kItems) {
        QAction *a = form.action(e.name);
        if (!a->isSeparator() && a->isEnabled())
            choosable << a->text();
    }
    QCOMPARE(choosable, (QStringList{"New Quorvadine", "Exit", "Close Up Current", "Options", "Help",
                                     "About Quorvadine"}));
    for (QAction *a : form.menu("sCloseUp")->actions())
        QVERIFY(!a->isEnabled());
}

// --- Secondary windows -----------------------------------------------------

void tst_flow::secondaryWindowsOnce_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QString>("window");

    QTest::newRow("Help menu, then the Help button") << "sHelp" << "Command6" << "Help";
    QTest::newRow("Help button twice") << "Command6" << "Command6" << "Help";
    QTest::newRow("About menu, then the logo") << "sAbout" << "PictureLabelLogo" << "frmAbout";
    QTest::newRow("logo twice") << "PictureLabelLogo" << "PictureLabelLogo" << "frmAbout";
    QTest::newRow("Options twice") << "sOptions" << "sOptions" << "frmOptions";
    QTest::newRow("Print... twice") << "sPrint" << "sPrint" << "PrintPreviewDialog";
    QTest::newRow("Script Editor twice") << "sScriptEditor" << "sScriptEditor" << "ScriptEditor";
    QTest::newRow("preview click, then Position 5") << "BigPreview" << "sPosition5" << "Quorvadine";
    QTest::newRow("Position 2, then a preview click") << "sPosition2" << "BigPreview" << "Quorvadine";
}

void tst_flow::secondaryWindowsOnce()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(QString, window);
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);

    perform(form, first);
    QCOMPARE(windowsNamed(window), 1);
    QPointer<QWidget> shown;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == window)
            shown = w;
    QVERIFY(shown->isVisible());

    // Hidden (as the Script Editor's Close does), then asked for again: the
    // same window comes back.
    shown->hide();
    perform(form, second);
    flushDeletes();
    QCOMPARE(windowsNamed(window), 1);
    QVERIFY(shown);
    QVERIFY(shown->isVisible());
    form.close();
    flushDeletes();
}

void tst_flow::scriptEditorItemOrder()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:5"));
    QCOMPARE(form.BigPreview->picture().file, m_pictures[4]);

    FirstShowRecorder recorder;
    recorder.form = &form;
    qApp->installEventFilter(&recorder);
    form.action("sScriptEditor")->trigger();
    qApp->removeEventFilter(&recorder);

    QVERIFY(form.scriptEditor() && form.scriptEditor()->isVisible());
    // When the editor appears, the flag is set and the scene closed already.
    QCOMPARE(recorder.mainState.value(QStringLiteral("ScriptEditor")),
             (QStringList{"Current View: Sc:5", "5.-empty-", "2000", "flag set"}));
    QCOMPARE(form.BigPreview->picture().resource, 2000);
    QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:5"));
    QCOMPARE(form.SceneText->toPlainText(), t("5.-empty-"));
    form.close();
}

void tst_flow::positionItems_data()
{
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("position"); // the item, 1..9
    QTest::addColumn<int>("scene");

    QTest::newRow("Position 1 on page 1") << 1 << 1 << 1;
    QTest::newRow("Position 5 on page 1") << 1 << 5 << 5;
    QTest::newRow("Position 9 on page 1") << 1 << 9 << 9;
    QTest::newRow("Position 1 on page 2") << 2 << 1 << 10;
    QTest::newRow("Position 9 on page 2") << 2 << 9 << 18;
}

void tst_flow::positionItems()
{
    QFETCH(int, page);
    QFETCH(int, position);
    QFETCH(int, scene);
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);
    if (page == 2)
        QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), QStringLiteral("Page: %1").arg(page));

    FirstShowRecorder recorder;
    recorder.form = &form;
    qApp->installEventFilter(&recorder);
    form.action(QByteArray("sPosition" + QByteArray::number(position)).constData())->trigger();
    qApp->removeEventFilter(&recorder);

    const QString label = QStringLiteral("Sc:%1").arg(scene);
    const QString entry = QStringLiteral("%1.-empty-").arg(scene);
    // The selection, script lookup included, is complete before the close-up appears.
    QCOMPARE(recorder.mainState.value(QStringLiteral("Quorvadine")).mid(0, 2),
             (QStringList{t("Current View: ") + label, entry}));
    QVERIFY(form.closeUp() && form.closeUp()->isVisible());
    QCOMPARE(form.closeUp()->Image1->picture().file, m_pictures[scene - 1]);
    QCOMPARE(form.board().d.toInt(), position - 1);
    QCOMPARE(form.BigPreview->picture().file, m_pictures[scene - 1]);
    form.close();
}

void tst_flow::positionWithCloseUpOpen()
{
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);
    form.action("sPosition1")->trigger();
    QPointer<Quorvadine> closeUp = form.closeUp();
    QVERIFY(closeUp && closeUp->isVisible());
    QCOMPARE(closeUp->Image1->picture().file, m_pictures[0]);

    form.action("sPosition3")->trigger();
    QCOMPARE(form.closeUp(), closeUp.data());
    QCOMPARE(form.board().d.toInt(), 2);
    QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:3"));
    QCOMPARE(form.SceneText->toPlainText(), t("3.-empty-"));
    QCOMPARE(form.BigPreview->picture().file, m_pictures[2]);
    QCOMPARE(closeUp->Image1->picture().file, m_pictures[0]); // kept from its loading
    form.close();
}

// --- Input blocking and keeping on top -----------------------------------

void tst_flow::inputBlocking_data()
{
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("window");
    QTest::addColumn<bool>("blocks");
    QTest::addColumn<bool>("topmost");

    QTest::newRow("options") << "sOptions" << "frmOptions" << true << true;
    QTest::newRow("print dialogue") << "sPrint" << "PrintPreviewDialog" << true << true;
    QTest::newRow("Script Editor") << "sScriptEditor" << "ScriptEditor" << false << true;
    QTest::newRow("help") << "sHelp" << "Help" << false << true;
    QTest::newRow("About box") << "sAbout" << "frmAbout" << false << false;
    QTest::newRow("close-up") << "BigPreview" << "Quorvadine" << false << false;
}

void tst_flow::inputBlocking()
{
    QFETCH(QString, how);
    QFETCH(QString, window);
    QFETCH(bool, blocks);
    QFETCH(bool, topmost);
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);
    QTest::mouseClick(form.Image1[0], Qt::LeftButton);
    QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:1"));

    FirstShowRecorder recorder;
    qApp->installEventFilter(&recorder);
    perform(form, how);
    qApp->removeEventFilter(&recorder);
    QVERIFY(recorder.flags.contains(window));
    QCOMPARE(bool(recorder.flags.value(window) & Qt::WindowStaysOnTopHint), topmost);

    QCOMPARE(form.isEnabled(), !blocks);
    QCOMPARE(form.menuBar()->isEnabled(), !blocks);
    QCOMPARE(form.Command4->isEnabled(), !blocks);
    QCOMPARE(form.Command6->isEnabled(), !blocks);
    QCOMPARE(form.Image1[4]->isEnabled(), !blocks);
    QCOMPARE(form.BigPreview->isEnabled(), !blocks);

    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    if (blocks) {
        QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:1"));
        QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    } else {
        QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:5"));
        QCOMPARE(form.PageCurrent->text(), t("Page: 2"));
    }

    // Closing the window gives the main window back.
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w->objectName() == window)
            w->close();
    flushDeletes();
    QVERIFY(form.isEnabled());
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
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);
    form.action("sPrint")->trigger();
    QPointer<PrintPreviewDialog> print = form.printPreviewDialog();
    fake.printer.cancel();
    QTest::mouseClick(print->OKButton, Qt::LeftButton);
    QVERIFY(form.isEnabled());
    form.action("sOptions")->trigger();
    QVERIFY(!form.isEnabled());

    fake.printer.cancel();
    if (how == QLatin1String("Close"))
        QTest::mouseClick(print->CancelButton, Qt::LeftButton);
    else if (how == QLatin1String("close box"))
        print->close();
    else
        QTest::mouseClick(print->OKButton, Qt::LeftButton);
    flushDeletes();
    QVERIFY(!form.isEnabled());
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 1"));

    QTest::mouseClick(form.options()->cmdOK, Qt::LeftButton);
    flushDeletes();
    QVERIFY(form.isEnabled());
    QTest::mouseClick(form.Command4, Qt::LeftButton);
    QCOMPARE(form.PageCurrent->text(), t("Page: 2"));
    form.close();
}

// --- The typical session ---------------------------------------------------

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
    const QString scriptFile = m_dir.filePath(QStringLiteral("story.ScE"));
    const QString pdf = m_dir.filePath(QStringLiteral("page.pdf"));
    FakePlatform fake;
    Form1 form(fake.platform());

    // Start, "9  per page", 20 pictures.
    form.start();
    QCOMPARE(form.beginOption()->Command7->text(), t("9  per page"));
    fake.pictures.choose(QtPictureDialog::resultText(m_pictures));
    QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
    flushDeletes();
    QVERIFY(form.isEnabled());
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(fake.pictures.owners, QList<QWidget *>{&form});
    QCOMPARE(form.FrameTotal->text(), t("Total Images= 20"));
    QCOMPARE(form.PageCurrent->text(), t("Page: 1"));
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.SceneLabel[i]->text(), QStringLiteral("Sc:%1").arg(i + 1));
        QCOMPARE(form.Image1[i]->picture().file, m_pictures[i]);
    }
    QVERIFY(form.Command4->isEnabled());

    // The fifth box.
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:5"));
    QCOMPARE(form.SceneText->toPlainText(), t("5.-empty-"));
    QCOMPARE(form.BigPreview->picture().file, m_pictures[4]);

    // Tools > Script Editor, entry 5, a script typed, written to the scene.
    form.action("sScriptEditor")->trigger();
    ScriptEditor *editor = form.scriptEditor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->List1->count(), 21);
    QListWidgetItem *five = editor->List1->item(5);
    editor->List1->scrollToItem(five);
    QTest::mouseClick(editor->List1->viewport(), Qt::LeftButton, {}, editor->List1->visualItemRect(five).center());
    QCOMPARE(editor->selectedIndex(), 5);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), t("-empty-"));
    QTest::keyClick(editor->ScriptTextBox, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor->ScriptTextBox, script);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), script);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    QCOMPARE(editor->List1->item(5)->text(), t("5.") + script);
    QCOMPARE(form.SceneText->toPlainText(), t("5.") + script);

    // "Save" to a real file.
    fake.files.choose(scriptFile);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(fake.files.owners, QList<QWidget *>{editor});
    QVERIFY(QFileInfo(scriptFile).size() > 0);

    // File > Print..., "Page Images + Scripts", "Print Setup" into a PDF.
    form.action("sPrint")->trigger();
    PrintPreviewDialog *print = form.printPreviewDialog();
    QVERIFY(print && print->isVisible());
    QVERIFY(!form.isEnabled());
    QCOMPARE(print->Option1[3]->text(), t("Page Images + Scripts"));
    QTest::mouseClick(print->Option1[3], Qt::LeftButton);
    QVERIFY(print->Option1[3]->isChecked());
    fake.printer.print(pdf);
    QTest::mouseClick(print->OKButton, Qt::LeftButton);
    QCOMPARE(fake.printer.asked, 1);
    QCOMPARE(fake.printer.owners, QList<QWidget *>{print});
    QVERIFY(form.isEnabled());
    QVERIFY(QFileInfo(pdf).size() > 0);
    QTest::mouseClick(print->CancelButton, Qt::LeftButton);
    flushDeletes();
    QVERIFY(!form.printPreviewDialog());

    const bool poppler = !QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty()
                         && !QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty();
    if (poppler) {
        const QRegularExpressionMatch pages =
            QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(run(QStringLiteral("pdfinfo"), {pdf}));
        QVERIFY(pages.hasMatch());
        QCOMPARE(pages.captured(1).toInt(), 2);
        const QString second = run(QStringLiteral("pdftotext"), {QStringLiteral("-f"), QStringLiteral("2"),
                                                                 QStringLiteral("-l"), QStringLiteral("2"), pdf,
                                                                 QStringLiteral("-")})
                                   .simplified();
        QVERIFY2(second.contains(t(sheets::kTranscriptsHeading)), qPrintable(second));
        QVERIFY2(second.contains(script), qPrintable(second));
    }

    // A fresh board: every script goes with the old one.
    fake.pictures.choose(QtPictureDialog::resultText(m_pictures));
    form.action("sOpen")->trigger();
    QCOMPARE(fake.messages.texts, QStringList());
    QVERIFY(!form.scriptEditor());
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("5.-empty-"));

    // Loading the saved file brings the script back.
    form.action("sScriptEditor")->trigger();
    editor = form.scriptEditor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(editor->List1->item(5)->text(), t("5.-empty-"));
    fake.files.choose(scriptFile);
    QTest::mouseClick(editor->Command3, Qt::LeftButton);
    QCOMPARE(fake.messages.texts, QStringList());
    QCOMPARE(editor->List1->item(5)->text(), t("5.") + script);
    QTest::mouseClick(editor->Command2, Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QTest::mouseClick(form.Image1[3], Qt::LeftButton);
    QCOMPARE(form.SceneText->toPlainText(), t("4.-empty-"));
    QTest::mouseClick(form.Image1[4], Qt::LeftButton);
    QCOMPARE(form.FatViewSceneLabel->text(), t("Current View: Sc:5"));
    QCOMPARE(form.SceneText->toPlainText(), t("5.") + script);

    form.action("sExit")->trigger();
    flushDeletes();
    if (!poppler)
        QSKIP("poppler-utils (pdfinfo, pdftotext) not installed: the printed pages went unread");
}

// --- Shutdown --------------------------------------------------------------

void tst_flow::closingClosesAll_data()
{
    QTest::addColumn<bool>("byExit");
    QTest::newRow("File > Exit") << true;
    QTest::newRow("the close box") << false;
}

void tst_flow::closingClosesAll()
{
    QFETCH(bool, byExit);
    FakePlatform fake;
    Form1 form(fake.platform());
    startWithPictures(fake, form);
    QTest::mouseClick(form.Image1[2], Qt::LeftButton);

    form.action("sScriptEditor")->trigger();
    form.action("sHelp")->trigger();
    form.action("sAbout")->trigger();
    form.action("sPosition2")->trigger();
    form.action("sPrint")->trigger();
    form.action("sOptions")->trigger();
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
