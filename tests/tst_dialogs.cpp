// The options window, the help window and the About box, driven from the
// main window as a user would.
#include "dialogs/Help.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "platform/ImageBox.h"
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

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

class TestForm : public Form1
{
public:
    using Form1::Form1;
    board::ScriptListAccess &scriptList() override { return list; }
    support::ScriptListDouble list;
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

QSize client(int w, int h) { return QSize(twips::toPixels(w), twips::toPixels(h)); }

// Where the design puts a control, in twips.
struct Place
{
    QWidget *widget;
    int left, top, width, height;
};
void checkPlaces(std::initializer_list<Place> places)
{
    for (const Place &p : places)
        QCOMPARE(p.widget->geometry(), twips::rect(p.left, p.top, p.width, p.height));
}

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
    void options_data();
    void options();
    void optionsWindow();

    void help_data();
    void help();
    void helpTitlesSorted();
    void helpReopen();
    void helpWindow();

    void aboutCycle();
    void aboutCloses_data();
    void aboutCloses();
    void aboutWindow();
};

void tst_dialogs::options_data()
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
    QTest::addColumn<int>("selected");     // Option1 selected; -1: the window is closed

    const QList<bool> none;
    QTest::newRow("first opening: all checked, hidden default selected, colours unchanged")
        << "open" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << false << true << none << 5;
    // Each scheme recolours at once; its swatches beside the button show it.
    const uint schemes[][2] = {{0xE0E0E0, 0xC0C0C0}, {0xC0C0FF, 0x0000FF}, {0xC0FFC0, 0x00C000},
                               {0xFFFFC0, 0xC0C000}, {0xFFFFFF, 0xFFFFFF}};
    for (int k = 0; k < 5; ++k)
        QTest::addRow("scheme %d", k) << QStringLiteral("open scheme%1").arg(k) << schemes[k][0] << schemes[k][1]
                                      << true << true << true << k << false << true << none << k;
    QTest::newRow("borders off then close box: boxes keep borders, setting off at once")
        << "open ok open borders closebox" << 0xC0C0C0u << 0xE0E0E0u << true << false << true << 5 << true << true
        << QList<bool>{true} << -1;
    QTest::newRow("borders off then OK: boxes lose their borders")
        << "open ok open borders ok" << 0xC0C0C0u << 0xE0E0E0u << true << false << true << 5 << false << true
        << QList<bool>{true, true} << -1;
    QTest::newRow("tips off then OK: every tip empty, editor told")
        << "open tips ok" << 0xC0C0C0u << 0xE0E0E0u << true << true << false << 5 << true << false
        << QList<bool>{false} << -1;
    QTest::newRow("tips off and on again: the table's texts back")
        << "open tips ok open tips ok" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << true << true
        << QList<bool>{false, true} << -1;
    QTest::newRow("tips off then close box: nothing applied")
        << "open tips closebox" << 0xC0C0C0u << 0xE0E0E0u << true << true << false << 5 << false << true << none << -1;
    QTest::newRow("scheme 1, close box, reopen: second button selected, same colours")
        << "open scheme1 closebox open" << 0xC0C0FFu << 0x0000FFu << true << true << true << 1 << false << true
        << none << 1;
    QTest::newRow("Go Defaults after a scheme and switches off")
        << "open scheme3 alerts borders tips defaults" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << true
        << true << QList<bool>{true} << -1;
    QTest::newRow("Go Defaults then reopen: none visibly selected")
        << "open scheme2 defaults open" << 0xC0C0C0u << 0xE0E0E0u << true << true << true << 5 << true << true
        << QList<bool>{true} << 5;
    QTest::newRow("alerts off, reopen: box shows the setting")
        << "open alerts closebox open" << 0xC0C0C0u << 0xE0E0E0u << false << true << true << 5 << false << true
        << none << 5;
}

void tst_dialogs::options()
{
    QFETCH(QString, steps);
    QFETCH(uint, labels);
    QFETCH(uint, background);
    QFETCH(bool, alerts);
    QFETCH(bool, borders);
    QFETCH(bool, tips);
    QFETCH(bool, tipTexts);
    QFETCH(int, selected);

    Rig rig;
    for (const QString &step : steps.split(QLatin1Char(' ')))
        optionsStep(rig, step);

    TestForm &form = rig.form;
    QCOMPARE(palette::background(form.centralWidget()), ColourWord(background));
    QCOMPARE(form.board().AlertsAreOn.toBool(), alerts);
    QCOMPARE(form.board().BordersAreOn.toBool(), borders);
    QCOMPARE(form.board().TipsAreOn, tips);
    QTEST(int(form.board().OptionOn), "optionOn");
    for (int i = 0; i < 9; ++i) {
        QCOMPARE(palette::background(form.SceneLabel[i]), ColourWord(labels));
        QTEST(form.Image1[i]->hasBorder(), "boxBorders");
        QCOMPARE(form.Image1[i]->toolTip(), tipTexts ? t("Jump to scene") : QString());
    }
    for (const QWidget *button : {form.Command1, form.Command2, form.Command3})
        QCOMPARE(button->toolTip().isEmpty(), !tipTexts);
    QTEST(form.list.tipCalls, "editorTips");
    const bool open = selected >= 0;
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
        if (selected < 5) {
            QCOMPARE(palette::background(o->Label1[selected]), ColourWord(labels));
            QCOMPARE(palette::background(o->Label1[5 + selected]), ColourWord(background));
        }
    }
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
    QCOMPARE(o->Check0->text(), t("Borders on scenes"));
    QCOMPARE(o->Check1->text(), t("Screen resolution alerts"));
    QCOMPARE(o->Check2->text(), t("Show tips at mouse hesitation"));
    QCOMPARE(o->Label1[10]->text(), t(" Colour schemes:"));
    QCOMPARE(o->Label1[4]->text(), t("Scene Label"));
    QCOMPARE(o->Label1[9]->text(), t("Quorvadine Background"));
    QCOMPARE(o->Command1->text(), t("Go Defaults"));
    QCOMPARE(o->cmdOK->text(), t("OK"));
    checkPlaces({{o->Check0, 120, 240, 3855, 375}, {o->Option1[4], 240, 3600, 255, 255},
                 {o->Label1[9], 1920, 3600, 1815, 255}, {o->cmdOK, 3120, 4200, 855, 375}});

    // OK is first in tab order.
    QWidget *first = o->nextInFocusChain();
    while (first != o && !(first->focusPolicy() & Qt::TabFocus))
        first = first->nextInFocusChain();
    QCOMPARE(first, o->cmdOK);
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

void tst_dialogs::help_data()
{
    QTest::addColumn<int>("ticks");
    QTest::addColumn<QStringList>("titles"); // chosen in turn after the ticks; the last one's text shows
    QTest::addColumn<QString>("shown");      // z, Z, bold Z: 1 visible, 0 hidden
    QTest::addColumn<QString>("text");       // empty: still asleep

    // Asleep, the letters run their cycle.
    const char *cycle[] = {"000", "100", "110", "111", "011", "001", "000", "000"};
    for (int tick = 0; tick <= 8; ++tick)
        QTest::addRow("tick %d", tick) << tick << QStringList() << t(cycle[tick == 0 ? 0 : (tick - 1) % 7 + 1]) << QString();
    // A choice wakes it for good: no letter comes back.
    QTest::newRow("Page << keeps its leading blank")
        << 2 << QStringList{t("Page <<")} << t("000")
        << t(" Return one page. If the button isn't highlighted, no further pages are available.");
    QTest::newRow("About quorvadine ends with the web address")
        << 3 << QStringList{t("About quorvadine")} << t("000")
        << t("About box for this application. More information at: https://quorvadine.example/");
    QTest::newRow("lower-case empty")
        << 0 << QStringList{t("empty")} << t("000") << t("Resource is empty. Choose to load in a resource.");
    QTest::newRow("-empty- marker") << 0 << QStringList{t("-empty-")} << t("000")
                                    << t("Resource is empty, marker = '-empty-'. Choose to load in a resource.");
    QTest::newRow("a second choice replaces the first")
        << 0 << QStringList{t("Tools"), t("Exit")} << t("000") << t("Exit the application.");
}

void tst_dialogs::help()
{
    QFETCH(int, ticks);
    QFETCH(QStringList, titles);
    QFETCH(QString, text);
    Rig rig;
    QTest::mouseClick(rig.form.Command6, Qt::LeftButton);
    Help *h = rig.form.help();
    QVERIFY(h);
    // Focus makes a row current; only a chosen row wakes the help.
    h->List1->setFocus();
    for (int i = 0; i < ticks; ++i)
        h->Timer1_Timer();
    for (const QString &title : titles)
        chooseTopic(h, title);
    for (int i = 0; !titles.isEmpty() && i < 15; ++i)
        h->Timer1_Timer();
    QString seen;
    for (QLabel *letter : h->Label1)
        seen += letter->isHidden() ? QLatin1Char('0') : QLatin1Char('1');
    QTEST(seen, "shown");
    QCOMPARE(h->Text1->toPlainText(), text);
    const bool awake = !text.isEmpty();
    QCOMPARE(h->picture().resource, awake ? 2004 : 2003);
    QCOMPARE(h->Text1->isEnabled(), awake);
    for (const char *line : {"Line1", "Line2", "Line3", "Line4", "Line5", "Line6"})
        QCOMPARE(h->control(line)->isHidden(), !awake);
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
    // Asked for while open: the same window, its animation not restarted.
    QTest::mouseClick(rig.form.Command6, Qt::LeftButton);
    QCOMPARE(int(h->StepCount), 1);
    chooseTopic(h, t("Tools"));
    QTest::mouseClick(h->Command1, Qt::LeftButton);
    flushDeletes();
    QVERIFY(!h && !rig.form.help());

    rig.form.action("sHelp")->trigger();
    Help *again = rig.form.help();
    QCOMPARE(again->picture().resource, 2003);
    QVERIFY(again->Text1->toPlainText().isEmpty());
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
    QCOMPARE(h->Timer1->interval(), 1000);
    checkPlaces({{h->List1, 120, 120, 2535, 3570}, {h->Text1, 2880, 240, 2295, 1725},
                 {h->Command1, 4320, 3120, 855, 495}, {h->Label1[2], 3360, 2040, 255, 255}});
    QCOMPARE(h->Command1->text(), t("Close"));
    QCOMPARE(h->Label1[0]->text() + h->Label1[1]->text() + h->Label1[2]->text(), t("zZZ"));
    QVERIFY(h->Label1[2]->font().bold() && !h->Label1[1]->font().bold());
}

void tst_dialogs::aboutCycle()
{
    Rig rig;
    rig.form.action("sAbout")->trigger();
    frmAbout *a = rig.form.about();
    QVERIFY(a);
    // The lit picture first, then one change every six-second tick; asking
    // for the box again while it is open neither restarts nor stops that.
    QList<int> shown{a->picture().resource};
    a->Timer1_Timer();
    shown << a->picture().resource;
    QTest::mouseClick(rig.form.PictureLabelLogo, Qt::LeftButton);
    QCOMPARE(rig.form.about(), a);
    shown << a->picture().resource;
    a->Timer1_Timer();
    shown << a->picture().resource;
    QCOMPARE(shown, (QList<int>{1001, 1000, 1000, 1001}));
    QVERIFY(a->Timer1->isActive());
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

void tst_dialogs::aboutWindow()
{
    Rig rig;
    rig.form.action("sAbout")->trigger();
    frmAbout *a = rig.form.about();
    QCOMPARE(a->windowTitle(), t("About Quorvadine"));
    QCOMPARE(a->size(), client(5730, 2400));
    QCOMPARE(a->Timer1->interval(), 6000);
    QVERIFY(a->windowFlags().testFlag(Qt::Tool));
    QCOMPARE(a->lblDescription->text(),
             t("This application may be of particular use to designers, cartoonists, script writers, children book "
               "illustrators, directors and animators.Further information can be found at: "
               "https://quorvadine.example/"));
    QCOMPARE(a->lblVersion->text(), t("Version 1.0"));
    QVERIFY(a->cmdOK->isDefault());
    QCOMPARE(palette::background(a->lblDescription), ColourWord(0xC0C000));
    QCOMPARE(palette::foreground(a->lblDescription), ColourWord(0x808000));
    checkPlaces({{a->lblDescription, 0, 45, 5700, 645}, {a->cmdOK, 4320, 2010, 1260, 315}});
    QCOMPARE(a->Picture1->pixmap().size(), QSize(32, 32));
}

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
