// The secondary windows, and the options window, the help window and the About
// box in particular, driven from the main window as a user would; what the
// user sees of every window: each caption, label and help text whole in its
// control in the design face, and disabled buttons greyed; then the program's
// wiring on the real windows with only the dialogs scripted: the menu bar,
// pictures dropped, and the typical session end to end.
#include "dialogs/Help.h"
#include "dialogs/HelpTopics.h"
#include "dialogs/frmAbout.h"
#include "dialogs/frmOptions.h"
#include "interfaces/ShortNames.h"
#include "resources/Texts.h"
#include "scripts/EditBay.h"
#include "scripts/ScriptEditor.h"
#include "support/BoardRig.h"
#include "support/FormRig.h"
#include "view/Quorvadine.h"
#include "widgets/DesignFont.h"
#include "widgets/ImageBox.h"
#include "widgets/OptionButton.h"
#include "widgets/Palette.h"
#include "widgets/Twips.h"

#include <QtWidgets>

using namespace support;

namespace {
// Switches as a row of 1 (on) and 0 (off).
QString bits(std::initializer_list<bool> on)
{
    QString result;
    for (bool b : on)
        result += b ? u'1' : u'0';
    return result;
}

// One user step on the options window, clicked near the left: a check box takes clicks on its box only.
void optionsStep(Form1 &form, const QString &step)
{
    if (step == u"open")
        return form.sOptions->trigger();
    frmOptions *o = form.options();
    QVERIFY2(o, qPrintable(step));
    const std::pair<const char *, QAbstractButton *> named[] = {
        {"borders", o->Check0}, {"alerts", o->Check1}, {"tips", o->Check2}, {"ok", o->cmdOK}, {"defaults", o->Command1}};
    QAbstractButton *b = step.startsWith(u"scheme") ? o->Option1[step.back().digitValue()] : nullptr;
    for (auto [name, button] : named)
        b = step == QLatin1String(name) ? button : b;
    if (b)
        QTest::mouseClick(b, Qt::LeftButton, {}, QPoint(6, b->height() / 2));
    else
        o->close(); // the close box
    flushDeletes();
}

// The misfits among a window's texts, as "control: text (needs, has)".
QStringList misfits(const QWidget *window)
{
    QStringList found;
    auto check = [&](const QWidget *w, const QString &text, QSize needs, QSize has) {
        if (needs.width() > has.width() || needs.height() > has.height())
            found << QStringLiteral("%1: \"%2\" needs %3 x %4").arg(w->objectName(), text).arg(needs.width()).arg(needs.height());
    };
    for (const QWidget *w : window->findChildren<QWidget *>()) {
        const QFontMetrics fm(w->font());
        if (const auto *l = qobject_cast<const QLabel *>(w); l && !l->text().isEmpty()) {
            const int indent = l->indent() >= 0 ? l->indent() : (l->frameWidth() > 0 ? fm.horizontalAdvance(QLatin1Char('x')) / 2 : 0);
            const QRect box = l->contentsRect().adjusted(l->margin() + indent, l->margin(), -l->margin(), -l->margin());
            const QRect need = fm.boundingRect(box, int(l->alignment()) | (l->wordWrap() ? Qt::TextWordWrap : 0), l->text());
            check(w, l->text(), need.size(), box.size());
        } else if (const auto *b = qobject_cast<const QAbstractButton *>(w); b && !b->text().isEmpty()) {
            QStyleOptionButton option;
            option.initFrom(b);
            option.text = b->text();
            const auto *push = qobject_cast<const QPushButton *>(b);
            option.features = push && push->isDefault() ? QStyleOptionButton::DefaultButton : QStyleOptionButton::None;
            const QStyle::SubElement part = push ? QStyle::SE_PushButtonContents
                                            : qobject_cast<const QCheckBox *>(b) ? QStyle::SE_CheckBoxContents
                                                                                  : QStyle::SE_RadioButtonContents;
            const QRect box = b->style()->subElementRect(part, &option, b);
            // Option buttons wrap their caption onto a second line.
            const int wrap = qobject_cast<const OptionButton *>(b) ? Qt::TextWordWrap : 0;
            check(w, b->text(), fm.boundingRect(box, Qt::AlignLeft | Qt::TextShowMnemonic | wrap, b->text()).size(), box.size());
        } else if (const auto *e = qobject_cast<const QPlainTextEdit *>(w); e && !e->toPlainText().isEmpty()) {
            const QTextDocument *doc = e->document();
            qreal height = 2 * doc->documentMargin();
            for (QTextBlock block = doc->begin(); block.isValid(); block = block.next())
                height += doc->documentLayout()->blockBoundingRect(block).height();
            check(w, e->toPlainText(), QSize(0, qCeil(height)), e->viewport()->size());
        } else if (const auto *list = qobject_cast<const QListWidget *>(w)) {
            for (int row = 0; row < list->count(); ++row)
                check(w, list->item(row)->text(), QSize(list->sizeHintForIndex(list->model()->index(row, 0)).width(), 0),
                      list->viewport()->size());
        }
    }
    return found;
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

class tst_dialogs : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    void windows_data()
    {
        QTest::addColumn<QString>("opening"); // the keys that open it
        QTest::addColumn<QString>("again");   // another way to ask for it, once it is hidden: keys, or a control clicked
        QTest::addColumn<QString>("title");
        QTest::addColumn<QSize>("client"); // in twips; none: placed by its own rule
        QTest::addColumn<QStringList>("captions");
        QTest::addColumn<bool>("blocks");  // the main window takes no input while it is open
        QTest::addColumn<bool>("topmost"); // in the stay-on-top band from its first showing
        const auto row = [](const char *name, const char *opening, const char *again, const char *title, QSize client,
                            const QStringList &captions, bool blocks, bool topmost) {
            QTest::newRow(name) << opening << again << t(title) << client << captions << blocks << topmost;
        };
        row("options", "Alt+V O", "Alt+V O", " Options", {4095, 4695}, {"cmdOK=OK", "Check0=Borders on scenes",
            "Check1=Screen resolution alerts", "Check2=Show tips at mouse hesitation", "Label1= Colour schemes:", "Label1=Scene Label",
            "Label1=Quorvadine Background", "Command1=Go Defaults"}, true, true);
        row("help: menu, then button", "Alt+H H", "Command6", "Help", {5385, 3840}, {"Command1=Close", "Label1=z", "Label1=Z"}, false, true);
        row("About: menu, then logo", "Alt+H A", "PictureLabelLogo", "About Quorvadine", {5730, 2400},
            {t("lblDescription=This application may be of particular use to designers, cartoonists, script writers, "
               "children book illustrators, directors and animators.Further information can be found at: https://quorvadine.example/"),
             "lblVersion=Version 1.0", t("Label1=\u00A9 2026 Quorvadine"), "cmdOK=OK"}, false, false);
        row("print dialogue: menu, then Ctrl+P", "Alt+F P", "Ctrl+P", "Print Preview", {6525, 2880}, {"Option1=Single Image + Script",
            "Option1=Single Image only", "Option1=Single Script only", "Option1=Page Images + Scripts", "Option1=Page Images only",
            "Option1=Page Scripts only", "OKButton=Print Setup", "CancelButton=Close"}, true, true);
        row("Script Editor", "Alt+T S", "Alt+T S", "Script Editor", {8250, 4725}, {"Label1=E d i t    B a y", "ScriptIndexLabel=Scene: 1",
            "Command1=<--write to scene", "Command3=Load", "Command4=Save", "Command2=Close"}, false, true);
        row("close-up: Position 9, then the preview", "Alt+V C 9", "BigPreview", "CloseUp", {}, {}, false, false);
    }

    // Each window: its title and every caption, a fixed size without minimise or maximise button, centred by its size on the work
    // area of the main window's screen, and the only one of its kind: hidden (as the Script Editor's Close does)
    // and asked for again, it comes back. Some take the main window's input, till they close.
    void windows()
    {
        QFETCH(QString, title);
        QFETCH(QSize, client);
        FormRig rig(20);
        Form1 &f = rig.form;
        // With two screens (tst_dialogs_two_screens) the main window is on the second, not the primary.
        f.windowHandle()->setScreen(QGuiApplication::screens().last());
        const QRect area = QGuiApplication::screens().last()->availableGeometry();
        QTest::mouseClick(f.Image1[0], Qt::LeftButton);
        const auto perform = [&f](const QString &how) {
            QWidget *control = f.findChild<QWidget *>(how);
            control ? QTest::mouseClick(control, Qt::LeftButton) : press(f, how);
            flushDeletes();
        };
        const auto shown = [&title] {
            QWidgetList all = QApplication::topLevelWidgets();
            all.removeIf([&](const QWidget *w) { return !w->isVisible() || w->windowTitle() != title; });
            return all;
        };
        QFETCH(QString, opening);
        perform(opening);
        QCOMPARE(shown().size(), 1);
        QPointer<QWidget> window = shown().first();
        QVERIFY(!(window->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
        QCOMPARE(window->minimumSize(), window->maximumSize());
        QTEST(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint), "topmost");
        const QRect expected = twips::rect(0, 0, client.width(), client.height());
        if (client.isValid())
            QCOMPARE(window->geometry(), expected.translated(area.x() + (area.width() - expected.width()) / 2,
                                                             area.y() + (area.height() - expected.height()) / 2));
        QStringList captions;
        for (const QWidget *control : window->findChildren<QWidget *>())
            if (const QString text = control->property("text").toString(); !text.isEmpty())
                captions << control->objectName() + u'=' + text;
        captions.removeDuplicates();
        QTEST(captions, "captions");
        // The Script Editor's item closes the scene first: Save or Load comes next.
        QCOMPARE(f.BigPreview->picture().resource == 2000, title == u"Script Editor");
        window->hide();
        QFETCH(QString, again);
        perform(again);
        QCOMPARE(shown(), QWidgetList{window.data()});
        QTest::mouseClick(f.windowHandle(), Qt::LeftButton, {}, f.Command4->mapTo(&f, QPoint(5, 5)));
        QTEST(f.PageCurrent->text() == u"Page: 1", "blocks");
        window->close();
        flushDeletes();
        QVERIFY(takesInput(f));
    }

    void options_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<uint>("labels");      // colour word of all nine scene labels
        QTest::addColumn<uint>("background");  // the main window's
        QTest::addColumn<QString>("settings"); // alerts, borders, tips
        QTest::addColumn<int>("optionOn");
        QTest::addColumn<QString>("shown");    // scene boxes framed, main window tips, Script Editor tips ("-": none yet)
        QTest::addColumn<int>("selected");     // Option1 selected; -1: the window is closed
        // The colours unchanged unless given.
        const auto row = [](const QString &name, const QString &steps, const char *settings, int optionOn, const char *shown,
                            int selected, uint labels = 0xC0C0C0, uint background = 0xE0E0E0) {
            QTest::newRow(qPrintable(name)) << steps << labels << background << settings << optionOn << shown << selected;
        };
        row("first opening: all checked, hidden default selected, colours unchanged", "open", "111", 5, "01-", 5);
        // Each scheme recolours at once; its swatches beside the button show it.
        const uint schemes[][2] = {{0xE0E0E0, 0xC0C0C0}, {0xC0C0FF, 0x0000FF}, {0xC0FFC0, 0x00C000},
                                   {0xFFFFC0, 0xC0C000}, {0xFFFFFF, 0xFFFFFF}};
        for (int k = 0; k < 5; ++k)
            row(QStringLiteral("scheme %1").arg(k), QStringLiteral("open scheme%1").arg(k), "111", k, "01-", k, schemes[k][0], schemes[k][1]);
        row("borders and tips off, close box: set at once, applied to nothing", "open ok open borders tips close", "100", 5, "111", -1);
        row("borders off then OK: boxes lose their borders", "open ok open borders ok", "101", 5, "011", -1);
        row("tips off then OK: every tip empty, the Script Editor's too", "open tips ok", "110", 5, "100", -1);
        row("scheme 1 and alerts off, close box, reopen: both shown", "open scheme1 alerts close open", "011", 1, "01-", 1, 0xC0C0FF, 0x0000FF);
        row("Go Defaults after a scheme and switches off", "open scheme3 alerts borders tips defaults", "111", 5, "111", -1);
    }

    void options()
    {
        QFETCH(QString, steps);
        QFETCH(uint, labels);
        QFETCH(uint, background);
        QFETCH(QString, settings);
        QFETCH(QString, shown);
        QFETCH(int, selected);
        FormRig rig(0);
        Form1 &form = rig.form;
        for (const QString &step : steps.split(u' '))
            optionsStep(form, step);
        const board::SceneBoard &b = form.board();
        QCOMPARE(bits({b.AlertsAreOn.toBool(), b.BordersAreOn.toBool(), b.TipsAreOn}), settings);
        QTEST(int(b.OptionOn), "optionOn");
        QCOMPARE(palette::background(form.centralWidget()), ColourWord(background));
        const QString editor = !form.scriptEditor() ? QStringLiteral("-") : bits({!form.scriptEditor()->Command1->toolTip().isEmpty()});
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(palette::background(form.SceneLabel[i]), ColourWord(labels));
            QCOMPARE(bits({form.Image1[i]->hasBorder(), form.Image1[i]->toolTip() == t("Jump to scene")}) + editor, shown);
        }
        frmOptions *o = form.options();
        QCOMPARE(takesInput(form), selected < 0);
        QCOMPARE(o != nullptr, selected >= 0);
        if (!o)
            return;
        QCOMPARE(bits({o->Check1->isChecked(), o->Check0->isChecked(), o->Check2->isChecked()}), settings);
        for (int k = 0; k < 6; ++k)
            QCOMPARE(o->Option1[k]->isChecked(), k == selected);
        QVERIFY(o->Option1[5]->isHidden());
        if (selected < 5) // the scheme's swatches
            QCOMPARE((QList<uint>{palette::background(o->Label1[selected]), palette::background(o->Label1[5 + selected])}),
                     (QList<uint>{labels, background}));
    }

    void help_data()
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
        const auto awake = [](const char *name, int ticks, const QStringList &titles, const char *text) {
            QTest::newRow(name) << ticks << titles << t("000") << t(text);
        };
        awake("Page << keeps its leading blank", 2, {"Page <<"},
              " Return one page. If the button isn't highlighted, no further pages are available.");
        awake("About quorvadine ends with the web address", 3, {"About quorvadine"},
              "About box for this application. More information at: https://quorvadine.example/");
        awake("-empty- marker", 0, {"-empty-"}, "Resource is empty, marker = '-empty-'. Choose to load in a resource.");
        awake("a second choice replaces the first", 0, {"Tools", "Exit"}, "Exit the application.");
    }

    // The topics sorted case-blind; asked for again while open, the same window goes on.
    void help()
    {
        QFETCH(int, ticks);
        QFETCH(QStringList, titles);
        QFETCH(QString, text);
        FormRig rig(0);
        rig.form.sHelp->trigger();
        QPointer<Help> h = rig.form.help();
        QVERIFY(h && h->Label1[2]->font().bold() && !h->Label1[1]->font().bold() && h->Timer1->isActive());
        QStringList topics;
        for (int i = 0; i < h->List1->count(); ++i)
            topics << h->List1->item(i)->text();
        // "empty" among the E's, not after every capital.
        for (int i = 1; i < topics.size(); ++i)
            QVERIFY2(QString::compare(topics[i - 1], topics[i], Qt::CaseInsensitive) < 0, qPrintable(topics[i]));
        QCOMPARE(topics.first() + u'|' + topics.last(), t("*.bmp|Write to scene button"));
        // Focus makes a row current; only a chosen row wakes the help.
        h->List1->setFocus();
        for (int i = 0; i < ticks; ++i)
            h->Timer1_Timer();
        QTest::mouseClick(rig.form.Command6, Qt::LeftButton);
        QCOMPARE(rig.form.help(), h);
        for (const QString &title : titles)
            h->List1->findItems(title, Qt::MatchExactly | Qt::MatchCaseSensitive).value(0)->setSelected(true);
        for (int i = 0; !titles.isEmpty() && i < 15; ++i)
            h->Timer1_Timer();
        QTEST(bits({!h->Label1[0]->isHidden(), !h->Label1[1]->isHidden(), !h->Label1[2]->isHidden()}), "shown");
        QCOMPARE(h->Text1->toPlainText(), text);
        for (bool awake = !text.isEmpty(); const char *line : {"Line1", "Line2", "Line3", "Line4", "Line5", "Line6"})
            QCOMPARE(h->control(line)->isHidden(), !awake);
        QCOMPARE(h->Text1->isEnabled(), !text.isEmpty());
        QCOMPARE(h->picture().resource, text.isEmpty() ? 2003 : 2004);
        QTest::mouseClick(h->Command1, Qt::LeftButton);
        flushDeletes();
        QVERIFY(!h && !rig.form.help());
    }

    // The lit picture first, then one change every six-second tick, not restarted by asking again.
    void about()
    {
        FormRig rig(0);
        rig.form.sAbout->trigger();
        QPointer<frmAbout> a = rig.form.about();
        QVERIFY(a && a->windowFlags().testFlag(Qt::Tool) && a->cmdOK->isDefault());
        QCOMPARE((QList<uint>{palette::background(a->lblDescription), palette::foreground(a->lblDescription)}), (QList<uint>{0xC0C000, 0x808000}));
        QList<int> pictures{a->picture().resource};
        a->Timer1_Timer();
        pictures << a->picture().resource;
        QTest::mouseClick(rig.form.PictureLabelLogo, Qt::LeftButton);
        QCOMPARE(rig.form.about(), a);
        a->Timer1_Timer();
        QCOMPARE(pictures << a->picture().resource, (QList<int>{1001, 1000, 1001}));
        QVERIFY(a->Timer1->isActive() && takesInput(rig.form));
        QTest::mouseClick(a->cmdOK, Qt::LeftButton);
        flushDeletes();
        QVERIFY(!a && takesInput(rig.form));
    }

    void looks_data()
    {
        QTest::addColumn<QString>("board");
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("opening"); // the keys that open it
        QTest::addColumn<int>("topic");       // help topic shown, -1 none
        QTest::addColumn<QString>("button");  // pressed first when marked "!"
        QTest::addColumn<bool>("enabled");    // then it is, with a black caption, or not, with a grey one
        QTest::newRow("main window, page >> on the last page") << "full" << "Form1" << "" << -1 << "Command4" << false;
        QTest::newRow("layout choice, 18 per page not yet") << "layout choice" << "BeginOption" << "" << -1 << "Command6" << false;
        QTest::newRow("Script Editor, write to scene") << "full" << "ScriptEditor" << "Alt+T S" << -1 << "Command1" << true;
        QTest::newRow("Script Editor, after writing") << "full" << "ScriptEditor" << "Alt+T S" << -1 << "!Command1" << false;
        QTest::newRow("print dialogue") << "full" << "PrintPreviewDialog" << "Alt+F P" << -1 << "" << true;
        QTest::newRow("options") << "empty" << "frmOptions" << "Alt+V O" << -1 << "" << true;
        QTest::newRow("About box") << "empty" << "frmAbout" << "Alt+H A" << -1 << "" << true;
        for (int i = 0; i < int(help::kTopics.size()); ++i)
            QTest::newRow(help::kTopics[i].title) << "empty" << "Help" << "Alt+H H" << i << "" << true;
    }
    void looks()
    {
        QFETCH(QString, board);
        QFETCH(QString, window);
        QFETCH(QString, opening);
        QFETCH(int, topic);
        QFETCH(QString, button);
        QFETCH(bool, enabled);
        // With the layout choice still open, empty, or with a full board of 540
        // (missing) pictures on its last page and scene 540 selected: the
        // longest captions it can show.
        FakePlatform fake;
        Form1 form(fake.platform());
        form.start();
        if (board == u"empty")
            QTest::mouseClick(form.beginOption()->Command1, Qt::LeftButton);
        if (board == u"full") {
            fake.pictures.choose(support::names(540));
            QTest::mouseClick(form.beginOption()->Command7, Qt::LeftButton);
            // Bounded: a paging fault must fail this test, not hang it.
            for (int page = 1; page < 60 && form.Command4->isEnabled(); ++page)
                QTest::mouseClick(form.Command4, Qt::LeftButton);
            form.sPosition_Click(9);
        }
        if (!opening.isEmpty())
            support::press(form, opening);
        if (topic >= 0)
            form.help()->List1->findItems(QString::fromUtf8(help::kTopics[topic].title), Qt::MatchExactly).first()->setSelected(true);
        QWidget *shown = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w->objectName() == window && w->isVisible())
                shown = w;
        QVERIFY(shown && QTest::qWaitForWindowExposed(shown));
        QCOMPARE(QFontInfo(shown->font()).family(), QString::fromLatin1(designfont::kFamily));
        const QStringList found = misfits(shown);
        QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1Char('\n'))));
        if (button.isEmpty())
            return;
        auto *b = shown->findChild<QPushButton *>(button.mid(button.startsWith(u'!')));
        QVERIFY(b);
        if (button.startsWith(u'!'))
            QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(b->isEnabled(), enabled);
        // Inside the frame only the caption is drawn: its darkest pixel, where a
        // stroke covers it whole, is the caption's colour.
        const QImage image = b->grab(b->rect().adjusted(3, 3, -3, -3)).toImage().convertToFormat(QImage::Format_RGB32);
        int darkest = 255;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                darkest = qMin(darkest, qGray(image.pixel(x, y)));
        QVERIFY2(enabled ? darkest < 48 : qAbs(darkest - 128) <= 16, qPrintable(QString::number(darkest)));
    }

    void menus_data()
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
        QStringList items;
        for (int i = 1; i <= 9; ++i)
            items << QStringLiteral("Position &%1").arg(i);
        const QString positions = items.join(u" | "), grey = items.join(u" (grey) | ") + " (grey)";
        QTest::newRow("File > Print... by its letter") << QList<int>{20} << "Alt+F P" << file << "Print Preview";
        QTest::newRow("before any board, Print... is grey") << QList<int>{} << "Alt+F P" << QString(file).replace(key(QKeySequence::Print), key(QKeySequence::Print) + " (grey)") << "menu File";
        QTest::newRow("File > Exit") << QList<int>{20} << "Alt+F X" << file << "closed";
        QTest::newRow("View > Close Up Current > Position 5") << QList<int>{20} << "Alt+V C 5" << positions << "CloseUp";
        QTest::newRow("20, then 8: positions grey") << QList<int>{20, 8} << "Alt+V C 5" << grey << "menu Close Up Current";
        QTest::newRow("541, too many: positions usable") << QList<int>{541} << "Alt+V C 9" << positions << "CloseUp";
        QTest::newRow("Tools > Script Editor") << QList<int>{20, 0} << "Alt+T S" << "&Script Editor" << "Script Editor";
        QTest::newRow("8 at first: Script Editor grey") << QList<int>{8} << "Alt+T S" << "&Script Editor (grey)" << "menu Tools";
        QTest::newRow("Help > Help") << QList<int>{} << "Alt+H H" << "&Help F1 | - | &About Quorvadine" << "Help";
        QTest::newRow("F10, Left round to Help, Enter") << QList<int>{20} << "F10 Left Return" << "&Help F1 | - | &About Quorvadine" << "Help";
        QTest::newRow("Left in a menu goes to the menu before") << QList<int>{20} << "Alt+T Left Return" << view << "menu Close Up Current";
        QTest::newRow("F1: Help") << QList<int>{} << "F1" << "" << "Help";
    }

    // The menus walked by keys as a user walks them: what each shows, and what comes of a choice.
    void menus()
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

    void typicalFlow()
    {
        const QString script = QStringLiteral("Hero enters, rain falls");
        FormRig rig(20);
        Form1 &form = rig.form;
        FakePlatform &fake = rig.fake;
        const QString pdf = rig.dir.filePath(QStringLiteral("p.pdf"));
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
    void dropPictures_data()
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

    void dropPictures()
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
        QCOMPARE(form.FrameTotal->text() + u'|' + form.PageCurrent->text(), total.isEmpty() ? t("Total Images= 20|Page: 2") : total + "|Page: 1");
        QCOMPARE(form.scriptEditor() != nullptr, total.isEmpty());
        if (total == u"Total Images= 24")
            QCOMPARE(shortnames::longForm(form.Image1[8]->picture().file), samples.filePath("frame09.gif"));
    }
};

QTEST_MAIN(tst_dialogs)
#include "tst_dialogs.moc"
