// The options window, the help window and the About box, driven from the
// main window as a user would.
#include "dialogs/Help.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "platform/ImageBox.h"
#include "platform/LineControl.h"
#include "platform/Palette.h"
#include "platform/Twips.h"
#include "support/FakePlatform.h"
#include "support/ScriptListDouble.h"
#include "view/BeginOption.h"
#include "view/Form1.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QtTest>

#include <memory>

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

using RecordingScriptList = support::ScriptListDouble;

class TestForm : public Form1
{
public:
    using Form1::Form1;
    board::ScriptListAccess &scriptList() override { return list; }
    RecordingScriptList list;
};

// A main window after "Cancel" in the layout choice: empty and usable.
struct Rig
{
    FakePlatform fake;
    TestForm form{fake.platform()};
    Rig()
    {
        form.start();
        QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
    }
};

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

QRect twipsRect(int l, int t, int w, int h) { return twips::rect(l, t, w, h); }

QSize client(int w, int h) { return QSize(twips::toPixels(w), twips::toPixels(h)); }

// A check box takes clicks on its box and caption only, not on the rest of its width.
QPoint onIndicator(const QWidget *box) { return QPoint(8, box->height() / 2); }

// One user step on the options window.
void optionsStep(Rig &rig, const QString &step)
{
    Form1 &form = rig.form;
    if (step == QLatin1String("open")) {
        form.action("sOptions")->trigger();
        QVERIFY(form.options());
        return;
    }
    frmOptions *o = form.options();
    QVERIFY2(o, qPrintable(step));
    if (step == QLatin1String("borders"))
        QTest::mouseClick(o->Check0, Qt::LeftButton, {}, onIndicator(o->Check0));
    else if (step == QLatin1String("alerts"))
        QTest::mouseClick(o->Check1, Qt::LeftButton, {}, onIndicator(o->Check1));
    else if (step == QLatin1String("tips"))
        QTest::mouseClick(o->Check2, Qt::LeftButton, {}, onIndicator(o->Check2));
    else if (step.startsWith(QLatin1String("scheme")))
        QTest::mouseClick(o->Option1[step.back().digitValue()], Qt::LeftButton, {}, QPoint(6, 8));
    else if (step == QLatin1String("ok"))
        QTest::mouseClick(o->cmdOK, Qt::LeftButton);
    else if (step == QLatin1String("defaults"))
        QTest::mouseClick(o->Command1, Qt::LeftButton);
    else if (step == QLatin1String("closebox"))
        o->close();
    else
        QFAIL(qPrintable(step));
    flushDeletes();
}
} // namespace

class tst_dialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void optionsSequences_data();
    void optionsSequences();
    void schemeColours_data();
    void schemeColours();
    void optionsWindow();

    void helpAnimation_data();
    void helpAnimation();
    void helpChoiceWakesForGood();
    void helpTopics_data();
    void helpTopics();
    void helpTitlesSorted();
    void helpReopen();
    void helpWindow();

    void aboutCycle();
    void aboutCloses_data();
    void aboutCloses();
    void aboutOpenedTwice();
    void aboutWindow();

    void timersRunWhileOpen();
    void mainWindowClosesThem();
};

void tst_dialogs::optionsSequences_data()
{
    QTest::addColumn<QString>("steps");
    QTest::addColumn<uint>("labels");      // colour word of all nine scene labels
    QTest::addColumn<uint>("background");  // the main window's
    QTest::addColumn<bool>("alerts");
    QTest::addColumn<bool>("borders");
    QTest::addColumn<bool>("tips");
    QTest::addColumn<int>("optionOn");
    QTest::addColumn<bool>("boxBorders");  // what the nine scene boxes show
    QTest::addColumn<bool>("tipTexts");    // main window tips show the table's texts (else empty)
    QTest::addColumn<QList<bool>>("editorTips");
    QTest::addColumn<bool>("open");        // options window still open, main window disabled
    QTest::addColumn<int>("selected");     // Option1 selected, -1 when the window is closed

    const QList<bool> none;
    QTest::newRow("first opening: all checked, hidden default selected, colours unchanged")
        << "open" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << false << true << none << true << 5;
    QTest::newRow("borders off then close box: boxes keep borders, setting off at once")
        << "open ok open borders closebox" << 0xC0C0C0u << 0xE0E0E0u << true << false << true << 5 << true << true
        << QList<bool>{true} << false << -1;
    QTest::newRow("borders off then OK: boxes lose their borders")
        << "open ok open borders ok" << 0xC0C0C0u << 0xE0E0E0u << true << false << true << 5 << false << true
        << QList<bool>{true, true} << false << -1;
    QTest::newRow("tips off then OK: every tip empty, editor told")
        << "open tips ok" << 0xC0C0C0u << 0xE0E0E0u << true << true << false << 5 << true << false
        << QList<bool>{false} << false << -1;
    QTest::newRow("tips off and on again: the table's texts back")
        << "open tips ok open tips ok" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << true << true
        << QList<bool>{false, true} << false << -1;
    QTest::newRow("tips off then close box: nothing applied")
        << "open tips closebox" << 0xC0C0C0u << 0xE0E0E0u << true << true << false << 5 << false << true << none
        << false << -1;
    QTest::newRow("scheme 4 recolours at once while open")
        << "open scheme4" << 0xFFFFFFu << 0xFFFFFFu << true << true << true << 4 << false << true << none << true << 4;
    QTest::newRow("scheme 1 then close box: colours stay")
        << "open scheme1 closebox" << 0xC0C0FFu << 0x0000FFu << true << true << true << 1 << false << true << none
        << false << -1;
    QTest::newRow("scheme 1, close box, reopen: second button selected, same colours")
        << "open scheme1 closebox open" << 0xC0C0FFu << 0x0000FFu << true << true << true << 1 << false << true
        << none << true << 1;
    QTest::newRow("Go Defaults after a scheme and switches off")
        << "open scheme3 alerts borders tips defaults" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << true
        << true << QList<bool>{true} << false << -1;
    QTest::newRow("Go Defaults then reopen: none visibly selected")
        << "open scheme2 defaults open" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << true << true
        << QList<bool>{true} << true << 5;
    QTest::newRow("alerts off then OK")
        << "open alerts ok" << 0xC0C0C0u << 0xE0E0E0u << false << true << true << 5 << true << true
        << QList<bool>{true} << false << -1;
    QTest::newRow("alerts off, reopen: box shows the setting")
        << "open alerts closebox open" << 0xC0C0C0u << 0xE0E0E0u << false << true << true << 5 << false << true
        << none << true << 5;
}

void tst_dialogs::optionsSequences()
{
    QFETCH(QString, steps);
    QFETCH(uint, labels);
    QFETCH(uint, background);
    QFETCH(bool, alerts);
    QFETCH(bool, borders);
    QFETCH(bool, tips);
    QFETCH(int, optionOn);
    QFETCH(bool, boxBorders);
    QFETCH(bool, tipTexts);
    QFETCH(QList<bool>, editorTips);
    QFETCH(bool, open);
    QFETCH(int, selected);

    Rig rig;
    for (const QString &step : steps.split(QLatin1Char(' ')))
        optionsStep(rig, step);

    TestForm &form = rig.form;
    for (int i = 0; i < 9; ++i)
        QCOMPARE(palette::background(form.SceneLabel[i]), ColourWord(labels));
    QCOMPARE(palette::background(form.centralWidget()), ColourWord(background));
    QCOMPARE(form.board().AlertsAreOn.toBool(), alerts);
    QCOMPARE(form.board().BordersAreOn.toBool(), borders);
    QCOMPARE(form.board().TipsAreOn, tips);
    QCOMPARE(int(form.board().OptionOn), optionOn);
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(form.Image1[i]->hasBorder(), boxBorders);
        QCOMPARE(form.Image1[i]->toolTip(), tipTexts ? t("Jump to scene") : QString());
    }
    QCOMPARE(form.Command1->toolTip(), tipTexts ? t("Last scene") : QString());
    QCOMPARE(form.Command2->toolTip(), tipTexts ? t("Next scene") : QString());
    QCOMPARE(form.Command3->toolTip(), tipTexts ? t("Close scene") : QString());
    QCOMPARE(form.list.tipCalls, editorTips);
    QCOMPARE(form.isEnabled(), !open);
    QCOMPARE(form.options() != nullptr, open);
    if (open) {
        frmOptions *o = form.options();
        QCOMPARE(o->Check0->isChecked(), borders);
        QCOMPARE(o->Check1->isChecked(), alerts);
        QCOMPARE(o->Check2->isChecked(), tips);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(o->Option1[k]->isChecked(), k == selected);
        QVERIFY(o->Option1[5]->isHidden());
    }
}

void tst_dialogs::schemeColours_data()
{
    QTest::addColumn<int>("scheme");
    QTest::addColumn<uint>("labels");
    QTest::addColumn<uint>("background");
    QTest::newRow("0: default swapped") << 0 << 0xE0E0E0u << 0xC0C0C0u;
    QTest::newRow("1: red") << 1 << 0xC0C0FFu << 0x0000FFu;
    QTest::newRow("2: green") << 2 << 0xC0FFC0u << 0x00C000u;
    QTest::newRow("3: teal") << 3 << 0xFFFFC0u << 0xC0C000u;
    QTest::newRow("4: white") << 4 << 0xFFFFFFu << 0xFFFFFFu;
}

void tst_dialogs::schemeColours()
{
    QFETCH(int, scheme);
    QFETCH(uint, labels);
    QFETCH(uint, background);
    Rig rig;
    optionsStep(rig, QStringLiteral("open"));
    frmOptions *o = rig.form.options();
    // The swatches beside the button show what it will do.
    QCOMPARE(palette::background(o->Label1[scheme]), ColourWord(labels));
    QCOMPARE(palette::background(o->Label1[5 + scheme]), ColourWord(background));
    QCOMPARE(o->Label1[scheme]->text(), t("Scene Label"));
    QCOMPARE(o->Label1[5 + scheme]->text(), t("Quorvadine Background"));
    optionsStep(rig, QStringLiteral("scheme%1").arg(scheme));
    QCOMPARE(int(rig.form.board().OptionOn), scheme);
    for (int i = 0; i < 9; ++i)
        QCOMPARE(palette::background(rig.form.SceneLabel[i]), ColourWord(labels));
    QCOMPARE(palette::background(rig.form.centralWidget()), ColourWord(background));
}

void tst_dialogs::optionsWindow()
{
    Rig rig;
    rig.fake.screen.screenSize = QSize(800, 600);
    optionsStep(rig, QStringLiteral("open"));
    frmOptions *o = rig.form.options();
    QCOMPARE(o->windowTitle(), t(" Options"));
    QCOMPARE(o->size(), client(4095, 4695));
    // Centred by the size known before the first show: the frame is not there yet.
    QCOMPARE(o->pos(), QPoint((800 - 273) / 2, (600 - 313) / 2));
    QVERIFY(!(o->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QCOMPARE(rig.fake.windows.topmost, QList<QWidget *>{o});
    QCOMPARE(rig.fake.windows.enables.last(), std::make_pair(static_cast<QWidget *>(&rig.form), false));

    QCOMPARE(o->Check0->text(), t("Borders on scenes"));
    QCOMPARE(o->Check1->text(), t("Screen resolution alerts"));
    QCOMPARE(o->Check2->text(), t("Show tips at mouse hesitation"));
    QCOMPARE(o->Label1[10]->text(), t(" Colour schemes:"));
    QCOMPARE(o->Command1->text(), t("Go Defaults"));
    QCOMPARE(o->cmdOK->text(), t("OK"));
    QCOMPARE(palette::background(o->Check1), ColourWord(0xC0C0C0));
    QCOMPARE(palette::background(o->Label2), ColourWord(0x000000));

    QCOMPARE(o->Check0->geometry(), twipsRect(120, 240, 3855, 375));
    QCOMPARE(o->Check2->geometry(), twipsRect(120, 1200, 3855, 375));
    QCOMPARE(o->Shape1->geometry(), twipsRect(120, 1680, 3855, 2295));
    QCOMPARE(o->Label2->geometry(), twipsRect(120, 1680, 15, 2295));
    QCOMPARE(o->Option1[0]->geometry(), twipsRect(240, 2160, 255, 255));
    QCOMPARE(o->Option1[4]->geometry(), twipsRect(240, 3600, 255, 255));
    QCOMPARE(o->Label1[3]->geometry(), twipsRect(720, 3240, 975, 255));
    QCOMPARE(o->Label1[9]->geometry(), twipsRect(1920, 3600, 1815, 255));
    QCOMPARE(o->Command1->geometry(), twipsRect(1800, 4200, 1215, 375));
    QCOMPARE(o->cmdOK->geometry(), twipsRect(3120, 4200, 855, 375));

    // OK is first in tab order.
    QWidget *first = o->nextInFocusChain();
    while (first != o && !(first->focusPolicy() & Qt::TabFocus))
        first = first->nextInFocusChain();
    QCOMPARE(first, o->cmdOK);
}

void tst_dialogs::helpAnimation_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QString>("shown"); // z, Z, bold Z: 1 visible, 0 hidden
    const char *cycle[] = {"000", "100", "110", "111", "011", "001", "000", "000"};
    for (int tick = 0; tick <= 15; ++tick) {
        const int phase = tick == 0 ? 0 : (tick - 1) % 7 + 1;
        QTest::addRow("tick %d", tick) << tick << t(cycle[phase]);
    }
}

void tst_dialogs::helpAnimation()
{
    QFETCH(int, ticks);
    QFETCH(QString, shown);
    Rig rig;
    rig.form.action("sHelp")->trigger();
    Help *h = rig.form.help();
    QVERIFY(h);
    for (int i = 0; i < ticks; ++i)
        h->Timer1_Timer();
    QString seen;
    for (QLabel *letter : h->Label1)
        seen += letter->isHidden() ? QLatin1Char('0') : QLatin1Char('1');
    QCOMPARE(seen, shown);
    QCOMPARE(h->picture().resource, 2003);
    QVERIFY(!h->Text1->isEnabled());
    QVERIFY(h->Text1->toPlainText().isEmpty());
    for (const char *line : {"Line1", "Line2", "Line3", "Line4", "Line5", "Line6"})
        QVERIFY(h->control(line)->isHidden());
}

namespace {
void chooseTopic(Help *h, const QString &title)
{
    const QList<QListWidgetItem *> found = h->List1->findItems(title, Qt::MatchExactly | Qt::MatchCaseSensitive);
    QCOMPARE(found.size(), 1);
    h->List1->scrollToItem(found.first());
    QTest::mouseClick(h->List1->viewport(), Qt::LeftButton, {}, h->List1->visualItemRect(found.first()).center());
}
} // namespace

void tst_dialogs::helpChoiceWakesForGood()
{
    Rig rig;
    QTest::mouseClick(rig.form.Command6, Qt::LeftButton);
    Help *h = rig.form.help();
    QVERIFY(h);
    h->Timer1_Timer();
    h->Timer1_Timer();
    QVERIFY(!h->Label1[0]->isHidden() && !h->Label1[1]->isHidden());
    chooseTopic(h, t("Help button"));
    for (int i = 0; i < 15; ++i) {
        h->Timer1_Timer();
        for (QLabel *letter : h->Label1)
            QVERIFY(letter->isHidden());
    }
    QCOMPARE(h->picture().resource, 2004);
    QVERIFY(h->Text1->isEnabled());
    for (const char *line : {"Line1", "Line2", "Line3", "Line4", "Line5", "Line6"})
        QVERIFY(!h->control(line)->isHidden());
}

void tst_dialogs::helpTopics_data()
{
    QTest::addColumn<QStringList>("titles"); // chosen in turn; the last one's text shows
    QTest::addColumn<QString>("text");
    QTest::newRow("Help button") << QStringList{t("Help button")} << t("This display.");
    QTest::newRow("Tools") << QStringList{t("Tools")} << t("Script Editor");
    QTest::newRow("Page << keeps its leading blank")
        << QStringList{t("Page <<")}
        << t(" Return one page. If the button isn't highlighted, no further pages are available.");
    QTest::newRow("About quorvadine ends with the web address")
        << QStringList{t("About quorvadine")}
        << t("About box for this application. More information at: https://quorvadine.example/");
    QTest::newRow("lower-case empty") << QStringList{t("empty")} << t("Resource is empty. Choose to load in a resource.");
    QTest::newRow("-empty- marker")
        << QStringList{t("-empty-")} << t("Resource is empty, marker = '-empty-'. Choose to load in a resource.");
    QTest::newRow("last row") << QStringList{t("Print Preview")}
                              << t("The print dialogue which appears upon selecting Print from the File menu.");
    QTest::newRow("a second choice replaces the first") << QStringList{t("Tools"), t("Exit")} << t("Exit the application.");
}

void tst_dialogs::helpTopics()
{
    QFETCH(QStringList, titles);
    QFETCH(QString, text);
    Rig rig;
    rig.form.action("sHelp")->trigger();
    Help *h = rig.form.help();
    for (const QString &title : titles)
        chooseTopic(h, title);
    QCOMPARE(h->Text1->toPlainText(), text);
}

void tst_dialogs::helpTitlesSorted()
{
    Rig rig;
    rig.form.action("sHelp")->trigger();
    QListWidget *list = rig.form.help()->List1;
    QCOMPARE(list->count(), 63);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i)
        shown << list->item(i)->text();
    for (int i = 1; i < shown.size(); ++i)
        QVERIFY2(QString::compare(shown[i - 1], shown[i], Qt::CaseInsensitive) < 0, qPrintable(shown[i]));
    QStringList titles;
    for (const help::Topic &topic : help::kTopics)
        titles << t(topic.title);
    titles.sort(Qt::CaseInsensitive);
    QCOMPARE(shown, titles);
    // "empty" among the E's, not after every capital.
    QVERIFY(shown.indexOf(t("Edit bay")) < shown.indexOf(t("empty")));
    QVERIFY(shown.indexOf(t("empty")) < shown.indexOf(t("Error loading")));
    QCOMPARE(shown.first(), t("*.bmp"));
    QCOMPARE(shown.last(), t("Write to scene button"));
}

void tst_dialogs::helpReopen()
{
    Rig rig;
    rig.form.action("sHelp")->trigger();
    QPointer<Help> h = rig.form.help();
    h->Timer1_Timer();
    h->Timer1_Timer();
    QTest::mouseClick(rig.form.Command6, Qt::LeftButton);
    QCOMPARE(rig.form.help(), h.data());
    QCOMPARE(int(h->StepCount), 1);
    QVERIFY(!h->Label1[1]->isHidden());
    QCOMPARE(rig.fake.windows.topmost.size(), 1);

    chooseTopic(h, t("Tools"));
    QTest::mouseClick(h->Command1, Qt::LeftButton);
    flushDeletes();
    QVERIFY(!h);
    QVERIFY(!rig.form.help());

    rig.form.action("sHelp")->trigger();
    Help *again = rig.form.help();
    QVERIFY(again);
    QCOMPARE(again->picture().resource, 2003);
    QVERIFY(again->Text1->toPlainText().isEmpty());
    QVERIFY(!again->Text1->isEnabled());
    QVERIFY(again->List1->selectedItems().isEmpty());
    again->Timer1_Timer();
    QVERIFY(!again->Label1[0]->isHidden());
}

void tst_dialogs::helpWindow()
{
    Rig rig;
    rig.form.action("sHelp")->trigger();
    Help *h = rig.form.help();
    QCOMPARE(h->windowTitle(), t("Help"));
    QCOMPARE(h->size(), client(5385, 3840));
    QCOMPARE(rig.fake.windows.topmost, QList<QWidget *>{h});
    QVERIFY(rig.form.isEnabled());
    QCOMPARE(h->List1->geometry(), twipsRect(120, 120, 2535, 3570));
    QCOMPARE(h->Text1->geometry(), twipsRect(2880, 240, 2295, 1725));
    QCOMPARE(h->Command1->geometry(), twipsRect(4320, 3120, 855, 495));
    QCOMPARE(h->Command1->text(), t("Close"));
    QCOMPARE(h->Label1[0]->geometry(), twipsRect(3600, 2400, 255, 255));
    QCOMPARE(h->Label1[2]->geometry(), twipsRect(3360, 2040, 255, 255));
    QCOMPARE(h->Label1[0]->text(), t("z"));
    QCOMPARE(h->Label1[1]->text(), t("Z"));
    QCOMPARE(h->Label1[2]->text(), t("Z"));
    QVERIFY(h->Label1[2]->font().bold() && !h->Label1[1]->font().bold());
    auto *tail = static_cast<LineControl *>(h->control("Line4"));
    QCOMPARE(tail->line(), QLine(twips::toPixels(5280), twips::toPixels(2040), twips::toPixels(3720), twips::toPixels(2760)));
    QCOMPARE(palette::background(h->List1), ColourWord(0xE0E0E0));
}

void tst_dialogs::aboutCycle()
{
    Rig rig;
    rig.form.action("sAbout")->trigger();
    frmAbout *a = rig.form.about();
    QVERIFY(a);
    // Thirteen seconds: the opening picture and two six-second ticks.
    QList<int> shown{a->picture().resource};
    for (int second = 1; second <= 13; ++second) {
        if (second % 6 == 0) {
            a->Timer1_Timer();
            shown << a->picture().resource;
        }
    }
    QCOMPARE(shown, (QList<int>{1001, 1000, 1001}));
    QVERIFY(!a->picture().isNull());
}

void tst_dialogs::aboutCloses_data()
{
    QTest::addColumn<int>("key"); // 0: click OK
    QTest::addColumn<bool>("onWindow");
    QTest::newRow("OK button") << 0 << false;
    QTest::newRow("Enter on OK") << int(Qt::Key_Return) << false;
    QTest::newRow("keypad Enter on OK") << int(Qt::Key_Enter) << false;
    QTest::newRow("Esc on OK") << int(Qt::Key_Escape) << false;
    QTest::newRow("Enter on the box") << int(Qt::Key_Return) << true;
    QTest::newRow("Esc on the box") << int(Qt::Key_Escape) << true;
}

void tst_dialogs::aboutCloses()
{
    QFETCH(int, key);
    QFETCH(bool, onWindow);
    Rig rig;
    QTest::mouseClick(rig.form.PictureLabelLogo, Qt::LeftButton);
    QPointer<frmAbout> a = rig.form.about();
    QVERIFY(a);
    if (key == 0)
        QTest::mouseClick(a->cmdOK, Qt::LeftButton);
    else
        QTest::keyClick(onWindow ? static_cast<QWidget *>(a.data()) : a->cmdOK, Qt::Key(key));
    flushDeletes();
    QVERIFY(!a);
    QVERIFY(rig.form.isEnabled());
}

void tst_dialogs::aboutOpenedTwice()
{
    Rig rig;
    rig.form.action("sAbout")->trigger();
    frmAbout *a = rig.form.about();
    a->Timer1_Timer();
    QCOMPARE(a->picture().resource, 1000);
    QTest::mouseClick(rig.form.PictureLabelLogo, Qt::LeftButton);
    QCOMPARE(rig.form.about(), a);
    QCOMPARE(rig.form.findChildren<frmAbout *>().size() + QApplication::topLevelWidgets().count(a), 1);
    QCOMPARE(a->picture().resource, 1000);
    a->Timer1_Timer();
    QCOMPARE(a->picture().resource, 1001);
    QVERIFY(a->Timer1->isActive());
}

void tst_dialogs::aboutWindow()
{
    Rig rig;
    rig.form.action("sAbout")->trigger();
    frmAbout *a = rig.form.about();
    QCOMPARE(a->windowTitle(), t("About Quorvadine"));
    QCOMPARE(a->size(), client(5730, 2400));
    QVERIFY(a->windowFlags().testFlag(Qt::Tool));
    QVERIFY(rig.fake.windows.topmost.isEmpty());
    QVERIFY(rig.form.isEnabled());
    QCOMPARE(a->lblDescription->text(),
             t("This application may be of particular use to designers, cartoonists, script writers, children book "
               "illustrators, directors and animators.Further information can be found at: "
               "https://quorvadine.example/"));
    QCOMPARE(a->lblVersion->text(), t("Version 1.0"));
    QVERIFY(!a->Label1->text().isEmpty());
    QVERIFY(a->cmdOK->isDefault());
    QCOMPARE(palette::background(a->lblDescription), ColourWord(0xC0C000));
    QCOMPARE(palette::foreground(a->lblDescription), ColourWord(0x808000));
    QCOMPARE(a->lblDescription->geometry(), twipsRect(0, 45, 5700, 645));
    QCOMPARE(a->lblDisclaimer->geometry(), twipsRect(0, 1965, 5700, 390));
    QCOMPARE(a->Picture1->geometry(), twipsRect(0, 1980, 480, 375));
    QCOMPARE(a->lblVersion->geometry(), twipsRect(480, 2040, 915, 195));
    QCOMPARE(a->cmdOK->geometry(), twipsRect(4320, 2010, 1260, 315));
    QCOMPARE(a->Picture1->pixmap().size(), QSize(32, 32));
    QCOMPARE(a->Snoggle.toInt(), 1);
    QCOMPARE(int(a->d), -1);
}

void tst_dialogs::timersRunWhileOpen()
{
    Rig rig;
    rig.form.action("sHelp")->trigger();
    rig.form.action("sAbout")->trigger();
    Help *h = rig.form.help();
    frmAbout *a = rig.form.about();
    QCOMPARE(h->Timer1->interval(), 1000);
    QCOMPARE(a->Timer1->interval(), 6000);
    QVERIFY(h->Timer1->isActive());
    QVERIFY(a->Timer1->isActive());
    h->close();
    a->close();
    QVERIFY(!h->Timer1->isActive());
    QVERIFY(!a->Timer1->isActive());
    flushDeletes();
}

void tst_dialogs::mainWindowClosesThem()
{
    auto rig = std::make_unique<Rig>();
    rig->form.action("sHelp")->trigger();
    rig->form.action("sAbout")->trigger();
    QPointer<Help> h = rig->form.help();
    QPointer<frmAbout> a = rig->form.about();
    rig->form.close();
    QVERIFY(h && h->isHidden());
    QVERIFY(a && a->isHidden());
    flushDeletes();
    QVERIFY(!h && !a);
}

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
