// The Script Editor and script files, driven as a user would: clicks on list
// items, keys typed into the Edit bay, file dialogs answered by the fake.
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/Twips.h"
#include "scripts/EditBay.h"
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"
#include "scripts/ScriptEditor.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptText.h"
#include "support/BoardRig.h"
#include "view/Form1.h"

#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {
using support::names;
QString t(const char *literal) { return QString::fromUtf8(literal); }

QStringList fresh(int scenes)
{
    QStringList list{QStringLiteral("SCENES")};
    for (int n = 1; n <= scenes; ++n)
        list << QStringLiteral("%1.-empty-").arg(n);
    return list;
}

QString repeated(const QString &piece, int units)
{
    QString s;
    while (s.size() < units)
        s += piece;
    return s.left(units);
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
}

// One key event carrying `text`, as a keyboard layout or input method sends what has no key code.
void sendKey(QWidget *widget, const QString &text, Qt::KeyboardModifiers modifiers = {})
{
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, modifiers, text);
    QCoreApplication::sendEvent(widget, &press);
}

void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text.at(i).unicode() < 0x80)
            QTest::keyClick(widget, text.at(i).toLatin1());
        else if (text.at(i).isHighSurrogate())
            sendKey(widget, text.mid(i++, 2));
        else
            sendKey(widget, text.mid(i, 1));
    }
}

// A main window with a board of `pictures` (none of them on disk), the messages of loading forgotten.
struct Session
{
    FakePlatform fake;
    Form1 form{fake.platform()};

    explicit Session(int pictures = 12) { load(pictures); }
    void load(int pictures)
    {
        if (pictures == 0)
            return;
        fake.pictures.choose(names(pictures));
        form.action("sOpen")->trigger();
        fake.messages.texts.clear();
        fake.messages.busyAtMessage.clear();
        fake.messages.owners.clear();
        fake.pointer.history.clear();
    }
    // Tools > Script Editor, or the plain creation the other windows use while the item is disabled.
    ScriptEditor *open()
    {
        if (form.action("sScriptEditor")->isEnabled())
            form.action("sScriptEditor")->trigger();
        else
            form.scriptList(), form.scriptEditor()->open();
        return form.scriptEditor();
    }
    ScriptEditor *editor() const { return form.scriptEditor(); }
    EditBay *bay() const { return editor()->ScriptTextBox; }
    QStringList items() const
    {
        QStringList list;
        for (int i = 0; i < editor()->List1->count(); ++i)
            list << editor()->List1->item(i)->text();
        return list;
    }
    void click(int row)
    {
        QListWidget *list = editor()->List1;
        list->scrollToItem(list->item(row));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
    }
    // label|bay|writable|selected|index number
    QString state() const
    {
        return QStringList{editor()->ScriptIndexLabel->text(), bay()->toPlainText(),
                           editor()->Command1->isEnabled() ? "W" : "-", QString::number(editor()->selectedIndex()),
                           QString::number(editor()->indexnumber.toInt())}.join(u'|');
    }
    void press(QPushButton *button) { QTest::mouseClick(button, Qt::LeftButton); }
    void typeOver(const QString &script)
    {
        bay()->setFocus();
        QTest::keyClick(bay(), Qt::Key_A, Qt::ControlModifier);
        script.isEmpty() ? QTest::keyClick(bay(), Qt::Key_Delete) : typeText(bay(), script);
    }
    void write(int row, const QString &script)
    {
        click(row);
        typeOver(script);
        press(editor()->Command1);
    }
    // A failed Load or Save: its message above the editor, the pointer no longer busy, the scripts kept.
    void checkRefused(const char *message, const QStringList &before) const
    {
        QCOMPARE(fake.messages.texts, QStringList{t(message)});
        QCOMPARE(fake.messages.owners, QList<QWidget *>{editor()});
        QCOMPARE(fake.files.owners, QList<QWidget *>{editor()});
        QCOMPARE(fake.messages.busyAtMessage, QList<bool>{false});
        QVERIFY(!fake.pointer.isBusy());
        QCOMPARE(items(), before);
    }
    // Save (Command4) or Load (Command3) with the file dialog answering `path`; empty: cancelled.
    void file(QPushButton *button, const QString &path)
    {
        path.isEmpty() ? fake.files.cancel() : fake.files.choose(path);
        press(button);
    }
};

// A full disk: writes past `bytes` fail (EFBIG) for the whole process.
struct FileSizeLimit
{
    rlimit old{};
    void (*oldHandler)(int) = std::signal(SIGXFSZ, SIG_IGN);
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &old);
        rlimit limit = old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old), std::signal(SIGXFSZ, oldHandler); }
};
} // namespace

class tst_scripts : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // --- Script texts, without a window ---
    void stripEntryNumber_data()
    {
        QTest::addColumn<QString>("entry");
        QTest::addColumn<QString>("bay");
        for (const auto &[entry, bay] : QList<std::pair<const char *, const char *>>{
                 {"12.-empty-", "-empty-"}, {"4.He runs. Then stops.", "He runs. Then stops."},
                 {"The chase", ""}, {"5.", ""}, {"", ""}, {".lead", "lead"}})
            QTest::newRow(entry) << t(entry) << t(bay);
    }
    void stripEntryNumber()
    {
        QFETCH(QString, entry);
        QTEST(scripts::StripEntryNumber(entry), "bay");
    }

    // Parsed, the text gives the entries; built from those, the same text again unless `built` says otherwise.
    void scriptText_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QString>("built");
        const auto row = [](const char *text, const QStringList &entries, const char *built = nullptr) {
            QTest::newRow(text) << t(text) << entries << t(built ? built : text);
        };
        row("1.-empty-~2.Night falls~3.-empty-~", {"1.-empty-", "2.Night falls", "3.-empty-"});
        row("1.Dawn~2.Noon", {"1.Dawn", "2.Noon"}, "1.Dawn~2.Noon~");
        row("1.Dawn~~3.Dusk~", {"1.Dawn", "", "3.Dusk"});
        row("1.Dawn~~", {"1.Dawn", ""});
        row("", {});
        row("~", {""});
        row("7.Late~x~", {"7.Late", "x"});
        row("1.one\ntwo~", {"1.one\ntwo"});
    }
    void scriptText()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, entries);
        QCOMPARE(scripts::ParseScriptText(text), entries);
        QTEST(scripts::BuildScriptText(entries), "built");
    }

    void scriptFileRoundTrip_data()
    {
        QTest::addColumn<QStringList>("entries");
        QTest::newRow("fresh board") << fresh(12).mid(1);
        QTest::newRow("accents") << QStringList{t("1.Café crème, naïve façade, Ærø"), t("2.Müller grüßt")};
        QTest::newRow("emoji and Greek") << QStringList{t("1.🎬 Action 🎥"), t("2.Ωμέγα → ∞")};
        QTest::newRow("RTF's own characters") << QStringList{t("1.{braces} and \\backslash\\"), t("2.\\par not a mark")};
        QTest::newRow("lines and tabs") << QStringList{t("1.first line\nsecond\tcolumn"), t("2.\n")};
        QTest::newRow("300 characters") << QStringList{t("1.") + repeated(t("Rain é 😀 "), 300)};
        QStringList full;
        for (int n = 1; n <= 540; ++n)
            full << QString::number(n) + u'.' + repeated(t("Scène %1: la pluie tombe 🌧 ").arg(n), 300);
        QTest::newRow("540 scenes of 300 characters") << full;
    }
    void scriptFileRoundTrip()
    {
        QFETCH(QStringList, entries);
        QVERIFY(scripts::saveScriptFile(path("round.ScE"), scripts::BuildScriptText(entries)));
        const scripts::LoadedScript loaded = scripts::loadScriptFile(path("round.ScE"));
        QVERIFY(loaded.ok);
        QCOMPARE(scripts::ParseScriptText(loaded.text), entries);
    }

    // --- The window ---
    void freshList_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::newRow("before any pictures") << 0;
        QTest::newRow("3 pictures, refused as too few") << 3;
        QTest::newRow("12 pictures") << 12;
        QTest::newRow("540 pictures") << 540;
    }
    void freshList()
    {
        QFETCH(int, pictures);
        Session s(pictures);
        ScriptEditor *editor = s.open();
        QCOMPARE(editor->windowTitle(), t("Script Editor"));
        QCOMPARE(editor->size(), QSize(twips::toPixels(8250), twips::toPixels(4725)));
        QCOMPARE(editor->minimumSize(), editor->maximumSize());
        QCOMPARE(s.fake.windows.topmost, QList<QWidget *>{editor});
        QCOMPARE(editor->geometry().center(), QRect(QPoint(), s.fake.screen.size()).center());
        QCOMPARE(s.items(), fresh(pictures));
        QCOMPARE(s.state(), "||-|-1|0");
        s.click(0);
        QCOMPARE(s.state(), "||-|0|0");
    }

    void selecting_data()
    {
        QTest::addColumn<QString>("file"); // plain text of a loaded script file; empty: a fresh list
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("state"); // label|bay|writable|selected|index number
        QTest::newRow("5.-empty-") << "" << 5 << "Scene: 5|-empty-|W|5|5";
        QTest::newRow("12.-empty-") << "" << 12 << "Scene: 12|-empty-|W|12|12";
        QTest::newRow("header after an entry keeps the bay") << "" << 0 << "Scene: 3|-empty-|-|0|3";
        QTest::newRow("script with full stops") << "1.a~2.b~3.c~4.He runs. Then stops.~" << 4
                                                << "Scene: 4|He runs. Then stops.|W|4|4";
        QTest::newRow("entry without a full stop") << "1.a~2.b~3.c~loose text~" << 4 << "Scene: 4||W|4|4";
        QTest::newRow("an entry reading SCENES counts as the header") << "1.a~2.b~3.c~SCENES~" << 4 << "Scene: 3|c|-|4|3";
    }
    void selecting()
    {
        QFETCH(QString, file);
        QFETCH(int, row);
        Session s;
        ScriptEditor *editor = s.open();
        if (!file.isEmpty()) {
            writeFile(path("select.ScE"), rtf::write(file));
            s.file(editor->Command3, path("select.ScE"));
        }
        s.click(3);
        s.click(row);
        QTEST(s.state(), "state");
        QCOMPARE(editor->selectedEntryText(), s.items().at(row));
        QCOMPARE(s.bay()->textCursor().position(), 0);
    }

    void writing_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("typed");
        QTest::newRow("5.Storm") << 5 << "Storm";
        QTest::newRow("full stops") << 4 << "He runs. Then stops.";
        QTest::newRow("nothing typed over the script") << 12 << "";
        QTest::newRow("accents and emoji") << 1 << t("Café 🎬 crème");
        QTest::newRow("300 characters") << 7 << repeated(QStringLiteral("storm "), 300);
    }
    void writing()
    {
        QFETCH(int, row);
        QFETCH(QString, typed);
        Session s;
        s.open();
        s.write(row, typed);
        QStringList expected = fresh(12);
        expected[row] = QString::number(row) + u'.' + typed;
        QCOMPARE(s.items(), expected);
        QCOMPARE(s.form.SceneText->toPlainText(), expected[row]);
        QCOMPARE(s.state(), QStringLiteral("Scene: %1||-|-1|0").arg(row));
        QCOMPARE(s.editor()->selectedEntryText(), QString());
        s.click(row);
        QCOMPARE(s.bay()->toPlainText(), typed);
    }

    // Whatever way text comes into the Edit bay, "~" never reaches an entry and 300 characters are the most.
    void editBay_data()
    {
        QTest::addColumn<QString>("before"); // the bay as the program filled it
        QTest::addColumn<int>("selStart");   // -1: the cursor at the end
        QTest::addColumn<int>("selLength");
        QTest::addColumn<QString>("way"); // "type": key by key; "key": one event with `modifiers`; "paste"
        QTest::addColumn<int>("modifiers");
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        const QString a300 = repeated("a", 300), a299 = a300.left(299), a298 = a300.left(298);
        const int altGr = Qt::ControlModifier | Qt::AltModifier, meta = Qt::MetaModifier;
        const auto row = [](const char *name, const QString &before, int start, int length, const char *way,
                            int modifiers, const QString &input, const QString &after) {
            QTest::newRow(name) << before << start << length << way << modifiers << input << after;
        };
        row("301st character refused", "", -1, 0, "type", 0, repeated("a", 301), a300);
        row("after -empty-", "-empty-", -1, 0, "type", 0, repeated("b", 300), "-empty-" + repeated("b", 293));
        row("Enter counts as one", a299, -1, 0, "type", 0, "\r\rd", a299 + "\n");
        row("longer entry from a file stays, no more typing", repeated("e", 310), -1, 0, "type", 0, "fgh", repeated("e", 310));
        row("~, no selection, no ~: nothing changes", "Storm", 2, 0, "type", 0, "~", "Storm");
        row("~, no selection: the first ~ goes", "a~b~c", 4, 0, "type", 0, "~", "ab~c");
        row("~, selection holding a ~: that ~ goes", "a~b~c", 2, 3, "type", 0, "~", "a~bc");
        row("~, selection without ~: the selection goes", "a~b~c", 2, 1, "type", 0, "~", "a~~c");
        row("~, whole text selected, no ~", "Storm", 0, 5, "type", 0, "~", "");
        row("~, empty bay", "", 0, 0, "type", 0, "~", "");
        row("AltGr ~ deletes a ~, types none", "a~b", -1, 0, "key", altGr, "~", "ab");
        row("Meta ~ deletes a ~, types none", "a~b", -1, 0, "key", meta, "~", "ab");
        row("AltGr letter types", "Dawn", -1, 0, "key", altGr, t("é"), t("Dawné"));
        row("AltGr letter at the limit refused", a300, -1, 0, "key", altGr, "x", a300);
        row("several characters lose their ~", "Dawn", -1, 0, "key", 0, " a~b~", "Dawn ab");
        row("several characters over the limit refused", a299, -1, 0, "key", 0, "xy", a299);
        row("~ filtered out of pasted text", "Dawn ", -1, 0, "paste", 0, "at~the~harbour", "Dawn attheharbour");
        row("only ~ pasted", "x", -1, 0, "paste", 0, "~~~", "x");
        row("paste cut to the room left", a300.left(295), -1, 0, "paste", 0, "0123456789", a300.left(295) + "01234");
        row("full bay takes no paste", a300, -1, 0, "paste", 0, "more", a300);
        row("no half emoji at the cut", a299, -1, 0, "paste", 0, t("😀"), a299);
        row("~ does not count against the room", a298, -1, 0, "paste", 0, "~x~y~z", a298 + "xy");
    }
    void editBay()
    {
        QFETCH(QString, before);
        QFETCH(int, selStart);
        QFETCH(int, selLength);
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, after);
        Session s;
        s.open();
        s.click(5);
        s.bay()->setPlainText(before);
        QTextCursor cursor = s.bay()->textCursor();
        cursor.setPosition(selStart < 0 ? int(before.size()) : selStart);
        cursor.setPosition(selStart < 0 ? int(before.size()) : selStart + selLength, QTextCursor::KeepAnchor);
        s.bay()->setTextCursor(cursor);
        s.bay()->setFocus();
        if (way == u"type") {
            typeText(s.bay(), input);
        } else if (way == u"key") {
            QFETCH(int, modifiers);
            sendKey(s.bay(), input, Qt::KeyboardModifiers(modifiers));
        } else {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(s.bay(), Qt::Key_V, Qt::ControlModifier);
        }
        QCOMPARE(s.bay()->toPlainText(), after);
        s.press(s.editor()->Command1);
        QCOMPARE(s.items().at(5), "5." + after);
    }

    // Closed and opened again, by its button, its close box or the Tools menu, the editor keeps its scripts and
    // its Edit bay; opening it puts the logo in the big preview.
    void closeAndReopen()
    {
        Session s;
        board::SceneBoard &board = s.form.board();
        board.BigPreview = Picture{QImage(10, 10, QImage::Format_RGB32), QStringLiteral("/nowhere/f5.jpg"), 0};
        board.FatViewSceneLabel = QStringLiteral("Current View: Sc:5");
        s.form.updateFromBoard();
        ScriptEditor *editor = s.open();
        QCOMPARE(s.form.BigPreview->picture().resource, 2000);
        QCOMPARE(s.form.FatViewSceneLabel->text(), QStringLiteral("Current View: Sc:5"));
        s.write(5, QStringLiteral("Storm"));
        s.click(7);
        s.typeOver(QStringLiteral("half written"));
        QCOMPARE(s.open(), editor); // chosen again while open: not rebuilt
        for (int way = 0; way < 2; ++way) {
            way ? (void)editor->close() : s.press(editor->Command2);
            QVERIFY(!editor->isVisible());
            QCOMPARE(board.GoShowOpenDialog.toBool(), false);
            QCOMPARE(s.open(), editor);
            QVERIFY(editor->isVisible());
            QCOMPARE(board.GoShowOpenDialog.toBool(), true);
            QCOMPARE(s.items().at(5), QStringLiteral("5.Storm"));
            QCOMPARE(s.state(), "Scene: 7|half written|W|7|7");
            QCOMPARE(s.fake.windows.topmost.size(), 1);
        }
    }

    void discardedByNewBoardAndShutdown()
    {
        Session s;
        QPointer<ScriptEditor> editor = s.open();
        s.write(5, QStringLiteral("Storm"));
        s.fake.pictures.cancel(); // a cancelled open dialog keeps the board and its scripts
        s.form.action("sOpen")->trigger();
        QVERIFY(editor);
        QCOMPARE(s.items().at(5), QStringLiteral("5.Storm"));
        for (const int pictures : {20, 4}) { // even a board refused as too small replaces the scripts
            s.write(2, QStringLiteral("Gone soon"));
            s.load(pictures);
            QVERIFY(editor.isNull());
            editor = s.open();
            QCOMPARE(s.items(), fresh(pictures));
        }
        s.form.close();
        QVERIFY(editor.isNull());
    }

    // Scripts written since the last Save or Load are not thrown away unasked.
    void unsavedScripts_data()
    {
        QTest::addColumn<QString>("way");        // "new": File > New Quorvadine; "close": the main window
        QTest::addColumn<QString>("since");      // "-": nothing written; after writing "", "save" or "load"
        QTest::addColumn<int>("answer");         // MessageBox::Answer; -1: nothing asked
        QTest::addColumn<QString>("saveDialog"); // for Yes: "file" or "cancel"
        QTest::addColumn<bool>("goesOn");
        const int yes = int(MessageBox::Answer::Yes), no = int(MessageBox::Answer::No);
        const int cancel = int(MessageBox::Answer::Cancel);
        QTest::newRow("new, nothing written: nothing asked") << "new" << "-" << -1 << "" << true;
        QTest::newRow("new, saved since: nothing asked") << "new" << "save" << -1 << "" << true;
        QTest::newRow("new, loaded since: nothing asked") << "new" << "load" << -1 << "" << true;
        QTest::newRow("new, Yes: saved, then the open dialog") << "new" << "" << yes << "file" << true;
        QTest::newRow("new, Yes, save dialog cancelled: all kept") << "new" << "" << yes << "cancel" << false;
        QTest::newRow("new, No: thrown away") << "new" << "" << no << "" << true;
        QTest::newRow("new, Cancel: all kept, no open dialog") << "new" << "" << cancel << "" << false;
        QTest::newRow("close, nothing written: nothing asked") << "close" << "-" << -1 << "" << true;
        QTest::newRow("close, Yes: saved, then closed") << "close" << "" << yes << "file" << true;
        QTest::newRow("close, No: closed") << "close" << "" << no << "" << true;
        QTest::newRow("close, Cancel: stays open") << "close" << "" << cancel << "" << false;
    }
    void unsavedScripts()
    {
        QFETCH(QString, way);
        QFETCH(QString, since);
        QFETCH(int, answer);
        QFETCH(QString, saveDialog);
        QFETCH(bool, goesOn);
        Session s;
        QPointer<ScriptEditor> editor = s.open();
        if (since != u"-")
            s.write(5, QStringLiteral("Storm"));
        writeFile(path("earlier.ScE"), rtf::write(QStringLiteral("1.Dawn~")));
        if (!since.isEmpty() && since != u"-")
            s.file(since == u"save" ? editor->Command4 : editor->Command3, path("earlier.ScE"));
        const QStringList before = s.items();
        if (answer >= 0)
            s.fake.messages.answers << MessageBox::Answer(answer);
        const QString asked = path(QStringLiteral("asked-%1.ScE").arg(QTest::currentDataTag()).replace(u':', u'-'));
        if (!saveDialog.isEmpty())
            saveDialog == u"file" ? s.fake.files.choose(asked) : s.fake.files.cancel();
        const qsizetype openDialogs = s.fake.pictures.titles.size();
        if (way == u"new") {
            s.fake.pictures.choose(names(20));
            s.form.action("sOpen")->trigger();
            QCOMPARE(s.fake.pictures.titles.size(), openDialogs + (goesOn ? 1 : 0));
        } else {
            QCOMPARE(s.form.close(), goesOn);
        }
        QCOMPARE(s.fake.messages.questions, answer < 0 ? QStringList() : QStringList{t(texts::kUnsavedScripts)});
        if (answer >= 0) // owned by the main window, whose board it is about
            QCOMPARE(s.fake.messages.owners.first(), static_cast<QWidget *>(&s.form));
        QCOMPARE(s.fake.messages.texts.contains(t(texts::kSaveError)), saveDialog == u"cancel");
        QCOMPARE(editor.isNull(), goesOn);
        if (!goesOn)
            QCOMPARE(s.items(), before);
        if (saveDialog == u"file")
            QCOMPARE(rtf::read(readFile(asked)).text, scripts::BuildScriptText(before.mid(1)));
    }

    void toolTips_data()
    {
        QTest::addColumn<QList<bool>>("switches");
        QTest::addColumn<QString>("tips"); // Command1, Command3, Command4, Command2, ScriptTextBox
        const QString on = "Transcribe|Get a script|Save current script|Return to Quorvadine|Click into : edit scene";
        QTest::newRow("as designed") << QList<bool>{}
                                     << "Transcribe|Get a script|Save current script|Return to Quorvadine central|"
                                        "Click into : edit scene";
        QTest::newRow("off") << QList<bool>{false} << "||||";
        QTest::newRow("on") << QList<bool>{true} << on;
        QTest::newRow("off, then on again") << QList<bool>{false, true} << on;
    }
    void toolTips()
    {
        QFETCH(QList<bool>, switches);
        Session s;
        for (bool on : switches)
            s.form.scriptList().setToolTips(on);
        ScriptEditor *e = s.open();
        QTEST(QStringList({e->Command1->toolTip(), e->Command3->toolTip(), e->Command4->toolTip(),
                           e->Command2->toolTip(), e->ScriptTextBox->toolTip()}).join(u'|'), "tips");
        QCOMPARE(QStringList({e->Label1->text(), e->Command1->text(), e->Command3->text(), e->Command4->text(),
                              e->Command2->text()}),
                 QStringList({"E d i t    B a y", "<--write to scene", "Load", "Save", "Close"}));
    }

    // Other windows select entries through the list's interface, the editor unseen.
    void selectedFromOutside()
    {
        Session s;
        board::ScriptListAccess &list = s.form.scriptList();
        QCOMPARE(&list, static_cast<board::ScriptListAccess *>(s.editor()));
        QCOMPARE(list.entryCount(), 13);
        list.selectEntry(7);
        QVERIFY(!s.editor()->isVisible());
        QCOMPARE(list.selectedEntryText(), QStringLiteral("7.-empty-"));
        QCOMPARE(s.state(), "Scene: 7|-empty-|W|7|7");
        s.bay()->setPlainText(QStringLiteral("unwritten"));
        list.selectEntry(7); // the same entry again reloads it: an unwritten edit is lost
        list.selectEntry(13); // no such entries: nothing happens
        list.selectEntry(-1);
        QCOMPARE(s.state(), "Scene: 7|-empty-|W|7|7");
    }

    // --- Save and Load ---
    void saveThenLoad_data()
    {
        QTest::addColumn<int>("pictures");
        QTest::addColumn<QList<int>>("rows");
        QTest::addColumn<QStringList>("typed");
        QTest::newRow("fresh") << 3 << QList<int>{} << QStringList{};
        QTest::newRow("one script") << 12 << QList<int>{2} << QStringList{"Night falls"};
        QTest::newRow("accents, emoji, a line break")
            << 12 << QList<int>{1, 9, 12} << QStringList{t("Café — naïve"), t("🎬 Action 🎥"), t("Two\rlines")};
        QTest::newRow("300 characters") << 9 << QList<int>{9} << QStringList{repeated(t("Ωμέγα é "), 300)};
        QTest::newRow("empty script") << 10 << QList<int>{4} << QStringList{""};
    }
    void saveThenLoad()
    {
        QFETCH(int, pictures);
        QFETCH(QList<int>, rows);
        QFETCH(QStringList, typed);
        Session s(pictures);
        ScriptEditor *editor = s.open();
        for (qsizetype i = 0; i < rows.size(); ++i)
            s.write(rows[i], typed[i]);
        const QStringList written = s.items();
        s.click(1);
        s.typeOver(QStringLiteral("typed, not written"));
        // Over a longer file, which must go entirely.
        writeFile(path("saved.ScE"), rtf::write(scripts::BuildScriptText(QStringList(200, "1.A script that takes room"))));
        s.file(editor->Command4, path("saved.ScE"));
        QCOMPARE(s.fake.files.titles, QStringList{"Save a script"});
        QCOMPARE(s.fake.files.filters, QStringList{"File Format (*.ScE)|*.ScE|"});
        QCOMPARE(s.fake.files.saves, QList<bool>{true});
        QCOMPARE(s.fake.pointer.history, (QList<bool>{true, false}));
        QCOMPARE(readFile(path("saved.ScE")), rtf::write(scripts::BuildScriptText(written.mid(1))));
        // Saving selected every entry in turn: the last one is in the Edit bay.
        QCOMPARE(s.state(), QStringLiteral("Scene: %1|%2|W|%1|%1").arg(pictures).arg(scripts::StripEntryNumber(written.last())));
        QCOMPARE(editor->RichTextBox1.Text(), QString());

        s.load(pictures); // the same pictures again: the scripts are gone until the file is loaded
        editor = s.open();
        QCOMPARE(s.items(), fresh(pictures));
        s.file(editor->Command3, path("saved.ScE"));
        QCOMPARE(s.fake.files.titles.last(), QStringLiteral("Load a script"));
        QCOMPARE(s.fake.files.saves.last(), false);
        QCOMPARE(s.fake.messages.texts, QStringList());
        QCOMPARE(s.items(), written);
        QCOMPARE(editor->indexnumber.toInt(), pictures);
    }

    void load_data()
    {
        QTest::addColumn<QString>("plainText");
        QTest::addColumn<QStringList>("items"); // after "SCENES"
        QStringList twenty;
        for (int n = 1; n <= 20; ++n)
            twenty << QStringLiteral("%1.Scene %1 script").arg(n);
        QTest::newRow("20 entries into a board of 12") << scripts::BuildScriptText(twenty) << twenty;
        QTest::newRow("5 entries into a board of 12") << "1.a~2.b~3.c~4.d~5.e~" << QStringList{"1.a", "2.b", "3.c", "4.d", "5.e"};
        QTest::newRow("no final separator") << "1.Dawn~2.Noon" << QStringList{"1.Dawn", "2.Noon"};
        QTest::newRow("an empty piece") << "1.Dawn~~3.Dusk~" << QStringList{"1.Dawn", "", "3.Dusk"};
        QTest::newRow("empty document changes nothing, selection included") << "" << QStringList();
    }
    void load()
    {
        QFETCH(QString, plainText);
        QFETCH(QStringList, items);
        Session s;
        ScriptEditor *editor = s.open();
        s.write(2, QStringLiteral("Night falls"));
        s.click(5);
        const QStringList before = s.items();
        writeFile(path("load.ScE"), rtf::write(plainText));
        s.file(editor->Command3, path("load.ScE"));
        QCOMPARE(s.fake.messages.texts, QStringList());
        QCOMPARE(s.fake.pointer.history, (QList<bool>{true, false}));
        QCOMPARE(s.items(), items.isEmpty() ? before : QStringList{"SCENES"} + items);
        // The Edit bay, its label and the main window's script box are not touched.
        QCOMPARE(s.state(), items.isEmpty() ? "Scene: 5|-empty-|-|5|0" : QStringLiteral("Scene: 5|-empty-|-|-1|%1").arg(items.size()));
        QCOMPARE(s.form.SceneText->toPlainText(), QStringLiteral("2.Night falls"));
        s.write(2, QStringLiteral("Rewritten")); // the list works on
        QCOMPARE(s.items().at(2), QStringLiteral("2.Rewritten"));
    }

    void badLoad_data()
    {
        QTest::addColumn<QString>("what"); // how the file is made
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = rtf::write(QStringLiteral("1.Dawn~2.Noon~3.Dusk~"));
        QTest::newRow("dialog cancelled") << "cancel" << QByteArray();
        QTest::newRow("not a rich-text document") << "file" << QByteArray("1.Dawn~2.Noon~");
        QTest::newRow("empty file") << "file" << QByteArray();
        QTest::newRow("truncated document") << "file" << good.left(good.size() / 2);
        QTest::newRow("unbalanced groups") << "file" << QByteArray("{\\rtf1\\ansi {\\b 1.Dawn~}");
        QTest::newRow("a closing brace too many") << "file" << QByteArray("{\\rtf1 1.Dawn~}}");
        QTest::newRow("deeply nested groups") << "file" << "{\\rtf1 " + QByteArray(200000, '{') + "x~" + QByteArray(200000, '}') + "}";
        QTest::newRow("a picture file") << "file" << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
        QTest::newRow("a directory") << "directory" << QByteArray();
        QTest::newRow("no such file") << "missing" << QByteArray();
        QTest::newRow("a file that cannot be read") << "/proc/self/mem" << QByteArray(); // opens, reading fails
        QTest::newRow("over 16 MB") << "huge" << QByteArray();
    }
    void badLoad()
    {
        QFETCH(QString, what);
        QFETCH(QByteArray, bytes);
        Session s;
        ScriptEditor *editor = s.open();
        s.write(2, QStringLiteral("Night falls"));
        s.click(5);
        const QStringList before = s.items();
        QString file = path(QStringLiteral("bad-%1.ScE").arg(QTest::currentDataTag()).replace(u' ', u'-'));
        if (what == u"file" || what == u"huge")
            writeFile(file, what == u"huge" ? rtf::write(QStringLiteral("1.Dawn~")) : bytes);
        if (what == u"huge") // sparse: nothing is really written
            QVERIFY(QFile::resize(file, scripts::kLargestScriptFile + 1));
        if (what == u"directory")
            QVERIFY(QDir().mkpath(file));
        s.file(editor->Command3, what == u"cancel" ? QString() : what == u"missing" ? file + ".gone"
                                                            : what.startsWith(u'/')  ? what : file);
        s.checkRefused(texts::kLoadError, before);
        QCOMPARE(s.state(), "Scene: 5|-empty-|W|5|5");
        QCOMPARE(editor->RichTextBox1.Text(), QString());
    }

    // A failed save says so, keeps the scripts and an older file, leaves nothing behind; the next save works.
    void badSave_data()
    {
        QTest::addColumn<QString>("what");
        QTest::newRow("dialog cancelled") << "cancel";
        QTest::newRow("directory gone") << "gone/board.ScE";
        QTest::newRow("name of a directory") << "directory";
        QTest::newRow("disk full over an older file") << "full";
    }
    void badSave()
    {
        QFETCH(QString, what);
        Session s(540);
        ScriptEditor *editor = s.open();
        s.write(2, QStringLiteral("Night falls"));
        const QStringList before = s.items();
        QTemporaryDir dir;
        const QString file = dir.filePath(what.contains(u'/') ? what : QStringLiteral("board.ScE"));
        const QByteArray older = rtf::write(QStringLiteral("1.older~2.file~"));
        if (what == u"directory")
            QVERIFY(QDir().mkpath(file));
        if (what == u"full")
            writeFile(file, older);
        {
            std::optional<FileSizeLimit> limit; // 540 fresh entries need far more than this
            if (what == u"full")
                limit.emplace(4096);
            s.file(editor->Command4, what == u"cancel" ? QString() : file);
        }
        s.checkRefused(texts::kSaveError, before);
        QCOMPARE(editor->RichTextBox1.Text(), QString());
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList(what == u"full" ? 1 : 0, "board.ScE"));
        if (what == u"full")
            QCOMPARE(readFile(file), older);
        s.file(editor->Command4, dir.filePath("after.ScE"));
        QCOMPARE(s.fake.messages.texts.size(), 1);
        QCOMPARE(rtf::read(readFile(dir.filePath("after.ScE"))).text, scripts::BuildScriptText(before.mid(1)));
    }
};

QTEST_MAIN(tst_scripts)
#include "tst_scripts.moc"
