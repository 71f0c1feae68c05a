// The Script Editor and script files, driven as a user would: clicks on list
// items, keys typed into the Edit bay, file dialogs answered by the fake.
#include "files/AtomicFile.h"
#include "scripts/EditBay.h"
#include "scripts/RecoveryStore.h"
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"
#include "scripts/ScriptEditor.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptText.h"
#include "printing/PrintPreviewDialog.h"
#include "support/BoardRig.h"
#include "support/CraftedFiles.h"
#include "support/FormRig.h"
#include "support/ScriptListDouble.h"
#include "view/Form1.h"
#include "widgets/Twips.h"

#include <QClipboard>
#include <QLabel>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <cstdio>
#include <optional>
#include <sys/file.h>
#include <sys/resource.h>

namespace {
using support::names;
QString t(const char *literal) { return QString::fromUtf8(literal); }
QStringList fresh(int scenes) { return support::ScriptListDouble(scenes).items; }
QString repeated(const QString &piece, int units) { return piece.repeated(units / piece.size() + 1).left(units); }

#if defined(__SANITIZE_ADDRESS__) // whose own bookkeeping is not what the crafted files' rows measure
constexpr qsizetype kCrafted = 2 << 20;
constexpr qint64 kActionMs = 5000;
#else
constexpr qsizetype kCrafted = scripts::kLargestScriptFile;
constexpr qint64 kActionMs = 1000;
#endif

// `head`, then `piece` to about `bytes` with a "~" after every `per` pieces (0: none), then the end of the document.
QByteArray filled(const QByteArray &head, const QByteArray &piece, qsizetype bytes, qsizetype per = 0)
{
    QByteArray document = head;
    document.reserve(bytes + 8);
    for (qsizetype n = 1; document.size() + piece.size() < bytes; ++n)
        document += per && n % per == 0 ? piece + '~' : piece;
    return document + (per ? "~}" : "}");
}

// The messages, word for word as users know them.
const QString kLoadError = QStringLiteral("An error occured during loading. This is a bad thing.");
const QString kSaveError = QStringLiteral("An error occured during saving. This is a bad thing.");
const QString kUnsaved = QStringLiteral("Scripts have been written since the last Save or Load. Save them to a "
                                        "script file first? (No throws them away.)");
const QString kRecover = QStringLiteral("Quorvadine stopped last time before the scripts written were saved. Open "
                                        "those pictures with their scripts again? (No throws them away.)");
using Answer = MessageBox::Answer;

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

// A main window with a board of 12 pictures (none of them on disk), the messages of loading forgotten.
struct Session
{
    FakePlatform fake;
    Form1 form{fake.platform()};

    Session() { load(); }
    void load()
    {
        fake.pictures.choose(names(12));
        form.action("sOpen")->trigger();
        fake.messages.texts.clear();
        fake.messages.busyAtMessage.clear();
        fake.messages.owners.clear();
        fake.pointer.history.clear();
    }
    ScriptEditor *open() // Tools > Script Editor
    {
        form.action("sScriptEditor")->trigger();
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
    void write(int row, const QString &script)
    {
        click(row);
        bay()->setPlainText(script);
        press(editor()->Command1);
    }
    // Save (Command4) or Load (Command3) with the file dialog answering `path`; empty: cancelled.
    void file(QPushButton *button, const QString &path)
    {
        path.isEmpty() ? fake.files.cancel() : fake.files.choose(path);
        press(button);
    }
};

int failingSync(int)
{
    errno = EIO;
    return -1;
}

// A full disk: writes past `bytes` fail (EFBIG, the signal ignored) for the whole process.
struct FileSizeLimit
{
    rlimit old{};
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old);
        const rlimit limit{bytes, old.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &old); }
};
} // namespace

class tst_scripts : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString path(const QString &name) const { return m_dir.filePath(name); }

private Q_SLOTS:
    // Whatever way text comes into the Edit bay, "~" never reaches an entry and 300 characters are the most;
    // "<--write to scene" puts the bay into the entry and the main window's script box, and selects nothing.
    void editBay_data()
    {
        QTest::addColumn<QString>("before"); // the bay as the program filled it, "|" the cursor or "|...|" selected
        QTest::addColumn<QString>("way");    // "type": key by key; "key", "altgr", "meta": one event; "paste", "drop"
        QTest::addColumn<QString>("input");
        QTest::addColumn<QString>("after");
        const QString a300 = repeated("a", 300), a299 = a300.left(299), a298 = a300.left(298);
        const auto row = [](const char *name, const QString &before, const char *way, const QString &input,
                            const QString &after) { QTest::newRow(name) << before << way << input << after; };
        row("301st character refused", "", "type", repeated("a", 301), a300);
        row("Enter counts as one", a299, "type", "\r\rd", a299 + "\n");
        row("~, no selection, no ~: nothing changes", "St|orm", "type", "~", "Storm");
        row("~, no selection: the first ~ goes", "a~b~|c", "type", "~", "ab~c");
        row("~, selection holding a ~: that ~ goes", "a~|b~c|", "type", "~", "a~bc");
        row("~, selection without ~: the selection goes", "a~|b|~c", "type", "~", "a~~c");
        row("~, whole text selected, no ~: nothing written", "|Storm|", "type", "~", "");
        row("AltGr ~ deletes a ~, types none", "a~b", "altgr", "~", "ab");
        row("Meta ~ deletes a ~, types none", "a~b", "meta", "~", "ab");
        row("AltGr letter types", "Dawn", "altgr", t("é"), t("Dawné"));
        row("AltGr letter at the limit refused", a300, "altgr", "x", a300);
        row("several characters: full stops, accents, emoji", "", "key", t("He runs. Café 🎬 stops."),
            t("He runs. Café 🎬 stops."));
        row("several characters lose their ~", "Dawn", "key", " a~b~", "Dawn ab");
        row("~ filtered out of pasted text", "Dawn ", "paste", "at~the~harbour", "Dawn attheharbour");
        row("paste cut to the room left", a300.left(295), "paste", "0123456789", a300.left(295) + "01234");
        row("full bay takes no paste", a300, "paste", "more", a300);
        row("no half emoji at the cut", a299, "paste", t("😀"), a299);
        row("~ does not count against the room", a298, "paste", "~x~y~z", a298 + "xy");
        row("dropped ~: nothing", "Dawn", "drop", "~", "Dawn");
        row("dropped 400 characters: the first 300", "", "drop", repeated("b", 400), repeated("b", 300));
        row("dropped file: nothing", "Dawn", "drop", "file:///tmp/a.jpg", "Dawn");
    }
    void editBay()
    {
        QFETCH(QString, before);
        QFETCH(QString, way);
        QFETCH(QString, input);
        QFETCH(QString, after);
        Session s;
        s.open();
        s.click(12);
        const int start = int(before.contains(u'|') ? before.indexOf(u'|') : before.size());
        const int end = before.count(u'|') == 2 ? int(before.lastIndexOf(u'|')) - 1 : start;
        s.bay()->setPlainText(before.remove(u'|'));
        QTextCursor cursor = s.bay()->textCursor();
        cursor.setPosition(start);
        cursor.setPosition(end, QTextCursor::KeepAnchor);
        s.bay()->setTextCursor(cursor);
        s.bay()->setFocus();
        if (way == u"type") {
            QTest::keyClicks(s.bay(), input);
        } else if (way == u"paste") {
            QGuiApplication::clipboard()->setText(input);
            QTest::keyClick(s.bay(), Qt::Key_V, Qt::ControlModifier);
        } else if (way == u"drop") { // always a copy; a file is refused
            const bool file = input.startsWith(u"file:");
            QCOMPARE(support::drop(s.bay()->viewport(), file ? QList{QUrl(input)} : QList<QUrl>{}, input),
                     file ? Qt::IgnoreAction : Qt::CopyAction);
        } else { // one key event carrying the input, as a keyboard layout or input method sends it
            QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, way == u"altgr" ? Qt::ControlModifier | Qt::AltModifier
                                                             : way == u"meta" ? Qt::MetaModifier : Qt::NoModifier,
                          input);
            QCoreApplication::sendEvent(s.bay(), &key);
        }
        QCOMPARE(s.bay()->toPlainText(), after);
        s.press(s.editor()->Command1);
        QStringList expected = fresh(12);
        expected[12] = "12." + after;
        QCOMPARE(s.items(), expected);
        QCOMPARE(s.form.SceneText->toPlainText(), expected[12]);
        QCOMPARE(s.state(), "Scene: 12||-|-1|0");
    }

    // Opened, the design's window with the fresh list and the design's tool tips until the options switch them.
    // Other windows select through the list's interface, the editor unseen: the same entry again drops what was
    // not written; entries that do not exist are not selected.
    // Closed and opened again, it keeps its scripts and Edit bay; a new board or the end of the run throws it away,
    // but scripts written since the last Save or Load go only when the user says so, and meanwhile have a
    // recovery copy, which a logout that may not ask keeps.
    void lifetime_data()
    {
        QTest::addColumn<QString>("way");    // "Close", "close box"; "new", "cancelled": the picture dialog; "quit"
        QTest::addColumn<QString>("since");  // "-": nothing written; after writing "", "save" or "load"
        QTest::addColumn<QString>("answer"); // to the question; "Yes, cancel": the save dialog cancelled
        QTest::newRow("Close") << "Close" << "" << "";
        QTest::newRow("close box") << "close box" << "" << "";
        QTest::newRow("new, nothing written: nothing asked") << "new" << "-" << "";
        QTest::newRow("new, saved since: nothing asked") << "new" << "save" << "";
        QTest::newRow("new, loaded since: nothing asked") << "new" << "load" << "";
        QTest::newRow("new, Yes: saved (.ScE added), then the open dialog") << "new" << "" << "Yes";
        QTest::newRow("new, Yes, save dialog cancelled: all kept") << "new" << "" << "Yes, cancel";
        QTest::newRow("new, No: thrown away") << "new" << "" << "No";
        QTest::newRow("new, Cancel: all kept, no open dialog") << "new" << "" << "Cancel";
        QTest::newRow("picture dialog cancelled after No: all kept") << "cancelled" << "" << "No";
        QTest::newRow("quit, Yes: saved (other suffix kept), then closed") << "quit" << "" << "Yes";
        QTest::newRow("quit, Cancel: stays open") << "quit" << "" << "Cancel";
        QTest::newRow("logout asking, No: closed, not asked again") << "logout ask" << "" << "No";
        QTest::newRow("logout asking, Cancel: the session goes on") << "logout ask" << "" << "Cancel";
        QTest::newRow("logout not asking: closed, the copy kept") << "logout" << "" << "";
    }
    void lifetime()
    {
        QFETCH(QString, way);
        QFETCH(QString, since);
        QFETCH(QString, answer);
        Session s;
        board::ScriptListAccess &list = s.form.scriptList();
        list.selectEntry(7);
        s.bay()->setPlainText(QStringLiteral("unwritten"));
        for (int n : {7, 13, -1})
            list.selectEntry(n);
        QVERIFY(!s.editor()->isVisible());
        QCOMPARE(list.entryCount(), 13);
        QCOMPARE(list.selectedEntryText(), QStringLiteral("7.-empty-"));
        QCOMPARE(s.state(), "Scene: 7|-empty-|W|7|7");
        QCOMPARE(s.bay()->textCursor().position(), 0);
        QPointer<ScriptEditor> editor = s.open();
        ScriptEditor *e = editor;
        QCOMPARE(e->windowTitle(), t("Script Editor"));
        QCOMPARE(e->size(), QSize(twips::toPixels(8250), twips::toPixels(4725)));
        QCOMPARE(e->minimumSize(), e->maximumSize());
        QCOMPARE(QStringList({e->Label1->text(), e->Command1->text(), e->Command3->text(), e->Command4->text(),
                              e->Command2->text()}),
                 QStringList({"E d i t    B a y", "<--write to scene", "Load", "Save", "Close"}));
        QCOMPARE(s.items(), fresh(12));
        const auto tips = [e] {
            return QStringList({e->Command1->toolTip(), e->Command3->toolTip(), e->Command4->toolTip(),
                                e->Command2->toolTip(), e->ScriptTextBox->toolTip()}).join(u'|');
        };
        QCOMPARE(tips(),
                 "Transcribe|Get a script|Save current script|Return to Quorvadine central|Click into : edit scene");
        list.setToolTips(true);
        QCOMPARE(tips(), "Transcribe|Get a script|Save current script|Return to Quorvadine|Click into : edit scene");

        if (since != u"-")
            s.write(5, QStringLiteral("Storm"));
        writeFile(path("earlier.ScE"), rtf::write(QStringLiteral("1.Dawn~")));
        if (since == u"save" || since == u"load")
            s.file(since == u"save" ? e->Command4 : e->Command3, path("earlier.ScE"));
        QCOMPARE(RecoveryStore().read().has_value(), since.isEmpty()); // a copy while no file holds the scripts
        s.click(7);
        s.bay()->setPlainText(QStringLiteral("half written"));
        QCOMPARE(s.open(), e); // chosen again while open: not rebuilt
        const QStringList before = s.items();
        if (!answer.isEmpty())
            s.fake.messages.answers << (answer.startsWith(u"Yes") ? Answer::Yes
                                        : answer == u"No"           ? Answer::No
                                                                    : Answer::Cancel);
        QTemporaryDir dir; // where Yes saves, a name typed without a suffix
        if (answer.startsWith(u"Yes"))
            answer == u"Yes" ? s.fake.files.choose(dir.filePath(way == u"quit" ? "asked.txt" : "asked")) : s.fake.files.cancel();
        const bool hides = way == u"Close" || way == u"close box";
        const bool goesOn = !hides && answer != u"Cancel" && answer != u"Yes, cancel";
        const qsizetype openDialogs = s.fake.pictures.titles.size();
        if (way == u"quit" || way.startsWith(u"logout")) {
            QCOMPARE((way == u"quit" || s.form.endSession(way == u"logout ask")) && s.form.close(), goesOn);
        } else if (hides) {
            way == u"Close" ? s.press(e->Command2) : (void)e->close();
            QVERIFY(!e->isVisible());
            QCOMPARE(s.form.board().GoShowOpenDialog.toBool(), false);
            QCOMPARE(s.open(), e);
        } else {
            way == u"cancelled" ? s.fake.pictures.cancel() : s.fake.pictures.choose(names(20));
            s.form.action("sOpen")->trigger();
            QCOMPARE(s.fake.pictures.titles.size(), openDialogs + (goesOn ? 1 : 0));
        }
        QCOMPARE(s.fake.messages.questions, answer.isEmpty() ? QStringList() : QStringList{kUnsaved});
        if (!answer.isEmpty()) // owned by the main window, whose board it is about
            QCOMPARE(s.fake.messages.owners.first(), static_cast<QWidget *>(&s.form));
        QCOMPARE(s.fake.messages.texts.contains(kSaveError), answer == u"Yes, cancel");
        const bool kept = !goesOn || way == u"cancelled";
        QCOMPARE(editor.isNull(), !kept);
        if (kept) {
            QCOMPARE(s.items(), before);
            QCOMPARE(s.state(), "Scene: 7|half written|W|7|7"); // a cancelled Save's walk included
        } else if (way == u"new") {
            QCOMPARE((s.open(), s.items()), fresh(20));
        }
        if (answer == u"Yes")
            QCOMPARE(rtf::read(readFile(dir.filePath(way == u"quit" ? "asked.txt" : "asked.ScE"))).text,
                     before.mid(1).join(u'~') + u'~');
        QCOMPARE(RecoveryStore().read().has_value(), since.isEmpty() && (kept || way == u"logout"));
    }

    // Load puts a file's entries in place of the list and leaves nothing to write to; a click puts an entry in
    // the Edit bay, its number and first full stop taken off. An empty document changes nothing, its selection
    // included. Save writes every entry to a .ScE file, over a longer one, and the same pictures loaded again get
    // them back. A bad file, a cancelled dialog or a failed save gets its message and loses nothing: the list
    // kept, an older file kept, no file left behind.
    void files_data()
    {
        QTest::addColumn<QString>("load"); // "good" or "file": `bytes` written to it; else the kind of name; "": none
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QStringList>("items"); // after "SCENES"; empty: the list as it was
        QTest::addColumn<QString>("clicked");   // the state after a click on the last entry loaded
        QTest::addColumn<QString>("save");      // how a first save fails, if it does
        QTest::addColumn<QString>("why");       // the reason under a failure's message
        const auto load = [](const char *name, const char *what, const QByteArray &bytes = {},
                             const QStringList &items = {}, const char *clicked = "", const char *why = "") {
            QTest::newRow(name) << what << bytes << items << clicked << "" << t(why);
        };
        const auto save = [](const char *name, const char *failure, const char *why = "") {
            QTest::newRow(name) << "" << QByteArray() << QStringList() << "" << failure << t(why);
        };
        QStringList many{t("1.Café naïve"), "2.", t("3.🎬 Action"), "4.Two\nlines", "5." + repeated(t("Ωμέγα é "), 300)};
        for (int n = 6; n <= 19; ++n)
            many << QStringLiteral("%1.Scene %1 script").arg(n);
        many << "20.He runs. Then stops.";
        load("20 entries into a board of 12: accents, emoji, a line break, 300 characters, full stops", "good",
             rtf::write(many.join(u'~') + u'~'), many, "Scene: 20|He runs. Then stops.|W|20|20");
        load("no final separator, empty pieces, a leading full stop", "good", rtf::write("1.Dawn~~~.lead"),
             {"1.Dawn", "", "", ".lead"}, "Scene: 4|lead|W|4|4");
        load("a leading separator, no full stop", "good", rtf::write("~loose text~"), {"", "loose text"},
             "Scene: 2||W|2|2");
        load("an entry reading SCENES counts as the header", "good", rtf::write("1.Dawn~SCENES~"), {"1.Dawn", "SCENES"},
             "Scene: 5|-empty-|-|2|2");
        load("empty document changes nothing, selection included", "good", rtf::write(""));
        const QByteArray ours = rtf::write(QStringLiteral("1.Dawn~2.Noon~3.Dusk~"));
        load("load dialog cancelled", "cancel");
        load("not a rich-text document", "file", "1.Dawn~2.Noon~", {}, "", "Not a rich text document: it does not start with {\\rtf.");
        load("truncated document", "file", ours.left(ours.size() / 2), {}, "",
             "The document is incomplete: 2 group(s) still open at its end.");
        load("a directory", "directory", {}, {}, "", "It is a folder, not a file.");
        load("a file that cannot be read", "/proc/self/mem", {}, {}, "", "The file could not be read: Input/output error.");
        save("save dialog cancelled", "cancel");
        save("directory gone", "gone/board.ScE");
        save("name of a directory", "directory");
        save("disk full over an older file", "full");
        save("disk sync fails over an older file", "sync");
    }
    void files()
    {
        QFETCH(QString, load);
        QFETCH(QByteArray, bytes);
        QFETCH(QStringList, items);
        QFETCH(QString, clicked);
        QFETCH(QString, save);
        Session s;
        ScriptEditor *editor = s.open();
        s.write(2, QStringLiteral("Night falls"));
        s.click(5);
        const QStringList before = s.items();
        QTemporaryDir dir;
        const QString file = dir.filePath(save.contains(u'/') ? save : QStringLiteral("board.ScE"));
        const QByteArray older = rtf::write(QStringList(400, "1.A script that takes room").join(u'~'));
        // A name of 244 bytes, near the most a name may have, in characters of three bytes each.
        const QString kept = QString(80, QChar(0x540D)) + ".ScE";
        writeFile(dir.filePath(kept), older);
        const bool overOlder = save == u"full" || save == u"sync";
        if (load == u"good" || load == u"file" || overOlder)
            writeFile(file, overOlder ? older : bytes);
        if (load == u"directory" || save == u"directory")
            QVERIFY(QDir().mkpath(file));
        const QString chosen = load == u"cancel" || save == u"cancel" ? QString()
                               : load.startsWith(u'/')                ? load
                                                                      : file;
        if (!save.isEmpty()) {
            std::optional<FileSizeLimit> limit;
            if (save == u"full")
                limit.emplace(64); // less than any document
            const atomicfile::Sync sync = atomicfile::replaceSync(save == u"sync" ? failingSync : nullptr);
            s.file(editor->Command4, chosen);
            atomicfile::replaceSync(sync);
        } else {
            s.file(editor->Command3, chosen);
        }
        // A failure's message above the editor, the pointer no longer busy, the scripts kept.
        const bool ok = load == u"good";
        QFETCH(QString, why);
        const QString message = (save.isEmpty() ? kLoadError : kSaveError) + (why.isEmpty() ? "" : "\n" + why);
        QCOMPARE(s.fake.messages.texts, ok ? QStringList() : QStringList{message});
        QCOMPARE(s.fake.messages.owners, QList<QWidget *>(ok ? 0 : 1, editor));
        QCOMPARE(s.fake.messages.busyAtMessage, QList<bool>(ok ? 0 : 1, false));
        QCOMPARE(s.fake.files.owners, QList<QWidget *>{editor});
        QCOMPARE(s.fake.pointer.history, (QList<bool>{true, false}));
        QCOMPARE(s.items(), ok && !items.isEmpty() ? QStringList{"SCENES"} + items : before);
        QCOMPARE(editor->RichTextBox1.Text(), QString());
        if (!save.isEmpty()) {
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden),
                     (overOlder ? QStringList{"board.ScE", kept} : QStringList{kept}));
            QCOMPARE(readFile(file), overOlder ? older : QByteArray());
        }
        // The Edit bay and its label stay, through a Save's walk too.
        QCOMPARE(s.state(), !ok             ? "Scene: 5|-empty-|W|5|5"
                            : items.isEmpty() ? "Scene: 5|-empty-|-|5|0"
                                              : QStringLiteral("Scene: 5|-empty-|-|-1|%1").arg(items.size()));
        if (!clicked.isEmpty()) {
            s.click(int(items.size()));
            QCOMPARE(s.state(), clicked);
        }

        const QStringList saved = s.items();
        s.fake.pointer.history.clear();
        const QString stale = dir.filePath(QStringLiteral(".board.ScE") + atomicfile::kTempMark + "Kil1ed");
        writeFile(stale, older); // whole, as a kill before the rename leaves it
        s.bay()->insertPlainText(QStringLiteral("draft"));
        const QString draft = s.state();
        s.file(editor->Command4, dir.filePath(kept));
        QCOMPARE(s.fake.pointer.history, (QList<bool>{true, false}));
        QCOMPARE(readFile(dir.filePath(kept)), rtf::write(saved.mid(1).join(u'~') + u'~'));
        QCOMPARE(s.state(), draft);
        QVERIFY(!QFile::exists(stale));
        s.load(); // the same pictures again: the scripts are gone until the file is loaded
        editor = s.open();
        s.file(editor->Command3, dir.filePath(kept));
        QCOMPARE(s.items(), saved);
        QCOMPARE(editor->indexnumber.toInt(), int(saved.size()) - 1);
        QCOMPARE(s.fake.files.titles, QStringList({save.isEmpty() ? "Load a script" : "Save a script", "Save a script",
                                                   "Load a script"}));
        QCOMPARE(s.fake.files.saves, (QList<bool>{!save.isEmpty(), true, false}));
        QCOMPARE(s.fake.files.filters, QStringList(3, "File Format (*.ScE)|*.ScE|"));
    }

    // The copy reads back as written whatever the names and scripts hold, in a folder of the user's alone; anything
    // but a whole copy reads as none; a copy that cannot be written changes nothing. A write removes what a killed
    // one left, not what a live one holds.
    void recoveryStore_data()
    {
        QTest::addColumn<QString>("harm");
        for (const char *harm : {"", "cut short", "a script file in its place", "disk sync fails", "no folder"})
            QTest::newRow(*harm ? harm : "odd names and scripts") << harm;
    }
    void recoveryStore()
    {
        QFETCH(QString, harm);
        QTemporaryDir dir;
        writeFile(dir.filePath("file"), "not a folder");
        const QString folder = dir.filePath(harm == u"no folder" ? "file/quorvadine" : "state/quorvadine");
        const RecoveryStore store(folder);
        const RecoveryStore::Copy older{"/old a.jpg", "1.Old~"},
            copy{t("/a folder/new\nline %20é b.jpg c%2ejpg.jpg"), t("1.Café~2.~3.two\nlines~")};
        QCOMPARE(store.write(older), harm != u"no folder");
        const QString ours = folder + "/.recovery-copy" + atomicfile::kTempMark;
        QFile killed(ours + "Kil1ed"), live(ours + "L1ving");
        if (harm != u"no folder")
            QVERIFY(killed.open(QIODevice::WriteOnly) && live.open(QIODevice::WriteOnly)
                    && !flock(live.handle(), LOCK_EX));
        const atomicfile::Sync sync = atomicfile::replaceSync(harm == u"disk sync fails" ? failingSync : nullptr);
        QCOMPARE(store.write(copy), harm != u"disk sync fails" && harm != u"no folder");
        atomicfile::replaceSync(sync);
        if (harm == u"cut short")
            QVERIFY(QFile::resize(store.fileName(), QFileInfo(store.fileName()).size() - 9));
        if (harm.startsWith(u"a script"))
            writeFile(store.fileName(), rtf::write("1.Dawn~"));
        QCOMPARE(store.read(), harm.isEmpty()                ? copy
                               : harm == u"disk sync fails" ? older
                                                            : std::optional<RecoveryStore::Copy>());
        if (harm == u"no folder")
            return;
        QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden),
                 (QStringList{QFileInfo(live).fileName(), "recovery-copy"}));
        QCOMPARE(int(QFile::permissions(folder) & 0x0077), 0); // nothing for group or others
        store.remove();
        QVERIFY(!store.read());
        qputenv("XDG_STATE_HOME", "relative");
        QCOMPARE(RecoveryStore().fileName(), QDir::homePath() + "/.local/state/quorvadine/recovery-copy");
    }

    // A copy found at start is offered before the layout choice: Yes loads its pictures and scripts as if chosen
    // and loaded, unsaved still; No throws it away; Cancel leaves it for the next start.
    void startUp_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Yes") << Answer::Yes;
        QTest::newRow("No") << Answer::No;
        QTest::newRow("Cancel") << Answer::Cancel;
    }
    void startUp()
    {
        QFETCH(Answer, answer);
        FakePlatform fake;
        const RecoveryStore store;
        QVERIFY(store.write({names(12), "1.Dawn~2.Noon~"}));
        fake.messages.answers << answer;
        Form1 form{fake.platform()};
        form.start();
        QCOMPARE(fake.messages.questions, QStringList{kRecover});
        QCOMPARE(!form.beginOption(), answer == Answer::Yes);
        QCOMPARE(store.read().has_value(), answer != Answer::No);
        if (answer == Answer::Yes) {
            QCOMPARE(form.FrameTotal->text(), t("Total Images= 12"));
            QCOMPARE(form.scriptEditor()->entryString(), t("1.Dawn~2.Noon~"));
            QVERIFY(form.scriptEditor()->hasUnsavedScripts());
        }
    }

    // A kill at any moment of a run that writes script after script leaves a whole copy of one of them, which the
    // next start brings back; the temporary file of a write the kill cut short goes.
    void killed()
    {
        if (qEnvironmentVariableIsSet("QV_WRITE_TILL_KILLED")) {
            Session s;
            s.open();
            for (int n = 0; n < 100000; ++n) {
                s.write(n % 12 + 1, repeated(QString::number(n), 300));
                if (n == 0)
                    std::printf("state:%s\n", qPrintable(s.fake.state.path())), std::fflush(stdout);
            }
            QFAIL("not killed");
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QTemporaryDir tmp; // takes what the killed child cannot remove
        env.insert("QV_WRITE_TILL_KILLED", "1");
        env.insert("TMPDIR", tmp.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"killed"});
        QByteArray state;
        while (state.isEmpty() && (child.canReadLine() || child.waitForReadyRead(20000)))
            if (const QByteArray line = child.readLine().trimmed(); line.startsWith("state:"))
                state = line.mid(6);
        QVERIFY(!state.isEmpty());
        QTest::qWait(300);
        child.kill();
        QVERIFY(child.waitForFinished());
        FakePlatform fake;
        qputenv("XDG_STATE_HOME", state);
        fake.messages.answers << Answer::Yes;
        Form1 next{fake.platform()};
        next.start();
        QCOMPARE(fake.messages.questions, QStringList{kRecover});
        QCOMPARE(next.scriptEditor()->entryCount(), 13); // a board of 12 with its scripts
        QCOMPARE(QDir(state + "/quorvadine").entryList(QDir::Files | QDir::Hidden), QStringList{"recovery-copy"});
    }

    // Crafted files of 16 MB load in under a second and 200 MB, the list included; then a click on the first
    // entry, its scene selected, a page turned, Save and a printed page each take under a second, and the file
    // saved holds every entry as read. One whose entries are more, longer or more marked than any editor writes,
    // or that would not fit 16 MB saved again, gets the loading message with its reason and changes nothing.
    void crafted_data()
    {
        using support::RtfShape;
        QTest::addColumn<QByteArray>("document");
        QTest::addColumn<QString>("first"); // the first entry loaded; "": the list unchanged; null: refused
        QTest::addColumn<QString>("why");   // the reason under the loading message
        const auto row = [](const char *name, const QByteArray &document, const QString &first, const char *why = "") {
            QTest::newRow(name) << document << first << t(why);
        };
        const QString refused;
        const char *huge = "Entry 1 is longer than 10000 characters.", *resaved = "Saved again, its scripts would take more than 16 MB.";
        // As large as Load takes them: saved again, each stays within 16 MB.
        row("ordinary", support::rtfShape(RtfShape::Plain, kCrafted * 15 / 16), "1." + repeated(t("Café in the rain, "), 270));
        row("883,000 pages", support::rtfShape(RtfShape::PageSwitches, kCrafted), QString(100, u'é'));
        row("20,000 fonts", support::rtfShape(RtfShape::FontsLast, kCrafted / 5), repeated(t("Дан а "), 180));
        row("665,000 fonts", support::rtfShape(RtfShape::ManyFonts, kCrafted), "");
        row("16 MB of ~", support::rtfShape(RtfShape::Separators, kCrafted), refused, "The file holds more than 162540 scripts.");
        row("most entries", rtf::write(QString(scripts::kMostEntries, u'~')), "-");
        row("one more", rtf::write(QString(scripts::kMostEntries + 1, u'~')), refused, "The file holds more than 162540 scripts.");
        row("over 16 MB", rtf::write("1.Dawn~") + QByteArray(scripts::kLargestScriptFile, '\n'), refused, "The file is larger than 16 MB.");
        row("an entry of 64 KB, no blank", filled("{\\rtf1 ", "x", 64 << 10), refused, huge);
        row("an entry of 256 KB, no blank", filled("{\\rtf1 ", "x", 256 << 10), refused, huge);
        row("an entry of 16 MB, no blank", filled("{\\rtf1 ", "x", kCrafted - 16), refused, huge);
        row("entries of 10,000 characters after their number, no blank", filled("{\\rtf1 162540.", "x", kCrafted * 15 / 16, 10000),
            "162540." + QString(10000, u'x'));
        row("4 MB of Vietnamese marks on one letter", filled("{\\rtf1\\ansicpg1258 a", "\xec\xf2", qMin(kCrafted, 4 << 20)), refused,
            "Entry 1 has more than 30 accents or marks on one letter.");
        const QByteArray hebrew = "\xf9\xc8\xec\xe5\xc9\xed "; // shalom, pointed
        row("1 MB of pointed Hebrew", filled("{\\rtf1\\ansicpg1255 ", hebrew, kCrafted / 16, 1400),
            QString::fromUtf16(u"\u05E9\u05B8\u05DC\u05D5\u05B9\u05DD ").repeated(1400));
        row("4 MB of pointed Hebrew", filled("{\\rtf1\\ansicpg1255 ", hebrew, kCrafted / 4, 1400), refused, resaved);
        row("3 million paragraph marks", filled("{\\rtf1 ", "\\par", kCrafted * 3 / 4, 9999), QString(9999, u'\n'));
        row("1 million emoji", filled("{\\rtf1\\uc0 ", "\\u-10179\\u-8704", kCrafted * 14 / 16, 5000), refused, resaved);
        row("162,001 entries of 96 characters", filled("{\\rtf1 ", QByteArray(96, 'y') + '~', 162001 * 97 * kCrafted / scripts::kLargestScriptFile),
            QString(96, u'y'));
    }
    void crafted()
    {
        QFETCH(QByteArray, document);
        QFETCH(QString, first);
        QFETCH(QString, why);
        Session s;
        s.open();
        writeFile(path("crafted.ScE"), document);
        const support::PeakMemory memory;
        QVERIFY(memory.restarted);
        // Processor time, as the machine running the tests may be busy with other work.
        const auto action = [](const char *name, const std::function<void()> &act) {
            const qint64 start = support::cpuMs();
            act();
            QCoreApplication::processEvents(); // shown
            QVERIFY2(support::cpuMs() - start < kActionMs, qPrintable(name + QStringLiteral(": %1 ms").arg(support::cpuMs() - start)));
        };
        action("Load", [&] { s.file(s.editor()->Command3, path("crafted.ScE")); });
        QCOMPARE_LT(memory.addedKiB(), 200 * 1024);
        QCOMPARE(s.fake.messages.texts, first.isNull() ? QStringList{kLoadError + "\n" + why} : QStringList());
        QCOMPARE(s.items().size(), first.isEmpty() ? 13 : document.count('~') + 1);
        const QString entry = first == u"-" ? "" : first;
        QCOMPARE(s.items().value(1), first.isEmpty() ? "1.-empty-" : entry);
        if (first.isEmpty())
            return;
        action("a click on the entry", [&] { s.click(1); });
        action("its scene selected", [&] { s.form.Image1_Click(0); });
        QCOMPARE(s.form.SceneText->toPlainText(), entry);
        action("a page turned", [&] { QTest::mouseClick(s.form.Command4, Qt::LeftButton); });
        action("Save", [&] { s.file(s.editor()->Command4, path("saved.ScE")); });
        const QString read = rtf::read(document).text;
        QCOMPARE(rtf::read(readFile(path("saved.ScE"))).text, read.endsWith(u'~') ? read : read + u'~');
        s.form.action("sPrint")->trigger();
        PrintPreviewDialog *dialog = s.form.printPreviewDialog();
        QTest::mouseClick(dialog->Option1[3], Qt::LeftButton); // "Page Images + Scripts"
        s.fake.printer.print(path("page.pdf"));
        action("the page printed", [&] { QTest::mouseClick(dialog->OKButton, Qt::LeftButton); });
        QVERIFY(QFileInfo(path("page.pdf")).size() > 0);
    }
};

QTEST_MAIN(tst_scripts)
#include "tst_scripts.moc"
