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
#include "support/FailingSync.h"
#include "support/FormRig.h"
#include "support/ScriptListDouble.h"
#include "view/Form1.h"

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
#include <sys/stat.h>
#include <unistd.h>

namespace {
using support::names;
using testpictures::read;
using testpictures::write;
QStringList fresh(int scenes) { return support::ScriptListDouble(scenes).items; }
QString repeated(const QString &piece, int units) { return piece.repeated(units / piece.size() + 1).left(units); }

#if defined(__SANITIZE_ADDRESS__) // whose own bookkeeping is not what the crafted files' rows measure
constexpr qsizetype kCrafted = 2 << 20;
constexpr qint64 kActionMs = 5000, kPeakMiB = 400;
#else
constexpr qsizetype kCrafted = scripts::kLargestScriptFile;
constexpr qint64 kActionMs = 1000, kPeakMiB = 200;
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
const QString kUnconfirmed =
    QStringLiteral("The scripts were saved, but the disk did not confirm it: the file may not survive a power cut.");
const QString kUnsaved = QStringLiteral("Scripts have been written since the last Save or Load. Save them to a "
                                        "script file first? (No throws them away.)");
const QString kRecover = QStringLiteral("Quorvadine stopped last time before the scripts written were saved. Open "
                                        "those pictures with their scripts again? (No throws them away.)");
using Answer = MessageBox::Answer;

// A main window, the layout choice cancelled, then a board of 12 pictures (none of them on disk) opened, the
// messages of loading forgotten; with the state folder of another process, its copies are offered first.
struct Session : support::FormRig
{
    explicit Session(const QByteArray &state = {}) : FormRig(QString(), state) { load(); }
    void load()
    {
        fake.pictures.choose(names(12));
        form.sOpen->trigger();
        fake.messages.texts.clear();
        fake.messages.busyAtMessage.clear();
        fake.messages.owners.clear();
        fake.pointer.history.clear();
    }
    ScriptEditor *open() // Tools > Script Editor
    {
        form.sScriptEditor->trigger();
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

// In a child that writes scripts till it is killed: the sync that stops it for good at a chosen moment of a write.
int g_syncsLeft = 0;
int stoppingSync(int fd)
{
    if (--g_syncsLeft == 0)
        std::puts("stopped"), std::fflush(stdout), ::pause();
    return ::fdatasync(fd);
}

// The recovery copies in a state folder, by name: whatever is named as one.
QStringList copies(const QString &state = qEnvironmentVariable("XDG_STATE_HOME"))
{
    return QDir(state + "/quorvadine").entryList({"recovery-*"}, QDir::Files | QDir::System);
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
        QTest::addColumn<QString>("way");    // "type": key by key; "key", "altgr", "meta": one event; "paste", "drop";
                                             // "print": typed, File > Print... opened and closed, "!" typed
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
        row("typing over -empty-, selected as the bay takes the keyboard", "-empty-|", "type", "Storm", "Storm");
        row("Tab goes on to the next control", "Da|wn", "type", "\t", "Dawn");
        row("Print... keeps the draft, its cursor and its entry", "Da|wn", "print", "y", "Day!wn");
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
        if (way == u"type" || way == u"print") {
            QTest::keyClicks(s.bay(), input);
            QCOMPARE(s.bay()->hasFocus(), !input.contains(u'\t'));
            if (way == u"print") {
                s.form.sPrint->trigger();
                s.form.printPreviewDialog()->close();
                QTest::keyClicks(s.bay(), "!");
            }
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
        QCOMPARE(s.items(), fresh(12));
        const auto tips = [e] {
            return QStringList({e->Command1->toolTip(), e->Command3->toolTip(), e->Command4->toolTip(),
                                e->Command2->toolTip(), e->ScriptTextBox->toolTip()}).join(u'|');
        };
        QCOMPARE(tips(), "Transcribe|Get a script|Save current script|Return to Quorvadine central|Click into : edit scene");
        list.setToolTips(true);
        QCOMPARE(tips(), "Transcribe|Get a script|Save current script|Return to Quorvadine|Click into : edit scene");

        if (since != u"-")
            s.write(5, QStringLiteral("Storm"));
        QVERIFY(write(path("earlier.ScE"), rtf::write(QStringLiteral("1.Dawn~"))));
        if (since == u"save" || since == u"load")
            s.file(since == u"save" ? e->Command4 : e->Command3, path("earlier.ScE"));
        QCOMPARE(copies().size(), since.isEmpty() ? 1 : 0); // a copy while no file holds the scripts
        s.click(7);
        s.bay()->setPlainText(QStringLiteral("half written"));
        QCOMPARE(s.open(), e); // chosen again while open: not rebuilt
        const QStringList before = s.items();
        if (!answer.isEmpty())
            s.fake.messages.answers << (answer.startsWith(u"Yes") ? Answer::Yes : answer == u"No" ? Answer::No : Answer::Cancel);
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
            s.form.sOpen->trigger();
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
            QCOMPARE(rtf::read(read(dir.filePath(way == u"quit" ? "asked.txt" : "asked.ScE"))).text,
                     before.mid(1).join(u'~') + u'~');
        QCOMPARE(copies().size(), since.isEmpty() && (kept || way == u"logout") ? 1 : 0);
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
        load("a leading separator, no full stop", "good", rtf::write("~loose text~"), {"", "loose text"}, "Scene: 2||W|2|2");
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
        save("directory gone", "gone/board.ScE", "Could not open its folder: No such file or directory.");
        save("name of a directory", "directory", "It is a folder, not a file.");
        save("disk full over an older file", "full", "Could not write it: File too large.");
        save("disk sync fails over an older file", "sync", "The disk did not confirm what was written: Input/output error.");
        save("a read-only older file", "read-only", "The file is read-only.");
        save("the folder's sync fails: saved, and told so", "folder sync", "The disk did not confirm its new name: Input/output error.");
        save("a link to no file yet: written through", "dangling link");
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
        QVERIFY(write(dir.filePath(kept), older));
        const bool overOlder = save == u"full" || save == u"sync" || save == u"read-only", saves = save.contains(u' ');
        if (load == u"good" || load == u"file" || overOlder || save == u"folder sync")
            QVERIFY(write(file, overOlder ? older : bytes));
        QVERIFY(save != u"read-only" || QFile::setPermissions(file, QFile::ReadOwner));
        QVERIFY(save != u"dangling link" || QFile::link("target.ScE", file));
        if (load == u"directory" || save == u"directory")
            QVERIFY(QDir().mkpath(file));
        const QString chosen = load == u"cancel" || save == u"cancel" ? QString() : load.startsWith(u'/') ? load : file;
        if (!save.isEmpty()) {
            std::optional<FileSizeLimit> limit;
            if (save == u"full")
                limit.emplace(64); // less than any document
            const atomicfile::Sync sync = atomicfile::replaceSync(save == u"sync" ? support::failingSync
                                                                  : save == u"folder sync" ? support::failingFolderSync : nullptr);
            s.file(editor->Command4, chosen);
            atomicfile::replaceSync(sync);
        } else {
            s.file(editor->Command3, chosen);
        }
        // A failure's message above the editor, the pointer no longer busy, the scripts kept.
        const bool ok = load == u"good", told = !ok && save != u"dangling link";
        QFETCH(QString, why);
        const QString message = (saves ? kUnconfirmed : save.isEmpty() ? kLoadError : kSaveError) + (why.isEmpty() ? "" : "\n" + why);
        QCOMPARE(s.fake.messages.texts, told ? QStringList{message} : QStringList());
        QCOMPARE(s.fake.messages.owners, QList<QWidget *>(told ? 1 : 0, editor));
        QCOMPARE(s.fake.messages.busyAtMessage, QList<bool>(told ? 1 : 0, false));
        QCOMPARE(s.fake.files.owners, QList<QWidget *>{editor});
        QCOMPARE(s.fake.pointer.history, (QList<bool>{true, false}));
        QCOMPARE(s.items(), ok && !items.isEmpty() ? QStringList{"SCENES"} + items : before);
        QCOMPARE(editor->RichTextBox1.Text(), QString());
        if (!save.isEmpty()) {
            QStringList files{"board.ScE", "target.ScE", kept};
            files.removeAll(save == u"dangling link" ? "" : "target.ScE");
            files.remove(0, overOlder || saves ? 0 : 1);
            QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), files);
            QCOMPARE(read(file), overOlder ? older : saves ? rtf::write(before.mid(1).join(u'~') + u'~') : QByteArray());
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
        QVERIFY(write(stale, older)); // whole, as a kill before the rename leaves it
        s.bay()->insertPlainText(QStringLiteral("draft"));
        const QString draft = s.state();
        s.file(editor->Command4, dir.filePath(kept));
        QCOMPARE(s.fake.pointer.history, (QList<bool>{true, false}));
        QCOMPARE(read(dir.filePath(kept)), rtf::write(saved.mid(1).join(u'~') + u'~'));
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

    // A copy reads back as written once its program has ended, whatever the names and scripts hold; one that is not
    // whole is set aside with its reason, and its pictures when they can be read; a copy that cannot be written
    // changes nothing. Nothing in the folder is followed or waited for, nothing is read or written in a folder of
    // another user's or one all may write to, and a running program's copy is neither offered nor touched. A write
    // removes what a killed one left, not what a live one holds.
    void recoveryStore_data()
    {
        QTest::addColumn<QString>("harm");
        for (const char *harm : {"", "cut short", "a script file in its place", "disk sync fails", "no folder", "a link as the copy",
                                 "a FIFO as a copy", "a folder of another user", "a folder all may write to"})
            QTest::newRow(*harm ? harm : "odd names and scripts") << harm;
    }
    void recoveryStore()
    {
        QFETCH(QString, harm);
        QTemporaryDir dir;
        QVERIFY(write(dir.filePath("file"), "not a folder"));
        const QString folder = dir.filePath(harm == u"no folder" ? "file/quorvadine" : "state/quorvadine");
        const RecoveryStore::Copy older{"/old a.jpg", "1.Old~"},
            copy{t("/a folder/new\nline %20é b.jpg c%2ejpg.jpg"), t("1.Café~2.~3.two\nlines~")};
        std::optional<RecoveryStore> store(std::in_place, folder);
        const bool stranger = harm.startsWith(u"a folder");
        if (harm != u"no folder") {
            QVERIFY(RecoveryStore(folder).write(older)); // left behind by a program gone
            QVERIFY(harm != u"a link as the copy" || QFile::link(dir.filePath("file"), store->fileName()));
            QVERIFY(harm != u"a FIFO as a copy" || mkfifo(qPrintable(folder + "/recovery-fifo"), 0600) == 0);
            QVERIFY(harm != u"a folder of another user" || chown(qPrintable(folder), 65534, 65534) == 0);
            QVERIFY(harm != u"a folder all may write to" || chmod(qPrintable(folder), 0777) == 0);
        }
        const QStringList before = copies(dir.filePath("state"));
        QCOMPARE(store->write(older), !stranger && harm != u"no folder");
        const QString ours = folder + "/." + QFileInfo(store->fileName()).fileName() + atomicfile::kTempMark;
        QFile killed(ours + "Kil1ed"), live(ours + "L1ving");
        if (harm.isEmpty())
            QVERIFY(killed.open(QIODevice::WriteOnly) && live.open(QIODevice::WriteOnly) && !flock(live.handle(), LOCK_EX));
        const atomicfile::Sync sync = atomicfile::replaceSync(harm == u"disk sync fails" ? support::failingSync : nullptr);
        QCOMPARE(store->write(copy), harm != u"disk sync fails" && !stranger && harm != u"no folder");
        atomicfile::replaceSync(sync);
        {
            RecoveryStore beside(folder); // another program, running at the same time
            QElapsedTimer timer;
            timer.start();
            QCOMPARE(beside.leftBehind().size(), harm == u"no folder" || stranger ? 0 : 1); // only the one gone
            QCOMPARE_LT(timer.elapsed(), 1000);
            beside.release();
        }
        if (harm == u"cut short")
            QVERIFY(QFile::resize(store->fileName(), QFileInfo(store->fileName()).size() - 9));
        if (harm.startsWith(u"a script"))
            QVERIFY(write(store->fileName(), rtf::write("1.Dawn~")));
        store.reset(); // its program ends
        const QList<RecoveryStore::Found> found = RecoveryStore(folder).leftBehind();
        QCOMPARE(read(dir.filePath("file")), "not a folder"); // never written through a link
        if (harm == u"no folder" || stranger) {
            QCOMPARE(found.size(), 0);
            QCOMPARE(copies(dir.filePath("state")), before);
            return;
        }
        QCOMPARE(found.size(), 2); // newest first
        QVERIFY(found[1].copy == older);
        const bool damaged = harm == u"cut short" || harm.startsWith(u"a script");
        QVERIFY(found[0].copy == (damaged ? std::nullopt : harm == u"disk sync fails" ? std::optional(older) : std::optional(copy)));
        QCOMPARE(found[0].pictures, harm.startsWith(u"a script") ? "" : harm == u"disk sync fails" ? older.pictures : copy.pictures);
        QCOMPARE(found[0].why, harm == u"cut short" ? "The document is incomplete: 1 group(s) still open at its end."
                               : damaged ? "It is not a whole recovery copy: it was cut short or written over." : "");
        QCOMPARE(found[0].fileName.endsWith(".damaged"), damaged);
        QCOMPARE(QFileInfo(found[0].fileName).isFile(), true);
        QStringList left = {QFileInfo(found[0].fileName).fileName(), QFileInfo(found[1].fileName).fileName()};
        if (harm == u"a FIFO as a copy")
            left << "recovery-fifo";
        if (harm.isEmpty())
            left << QFileInfo(live).fileName();
        QStringList there = QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System);
        QCOMPARE((there.sort(), there), (left.sort(), left));
        QCOMPARE(int(QFile::permissions(folder) & 0x0077), 0); // nothing for group or others
        qputenv("XDG_STATE_HOME", "relative");
        QVERIFY(RecoveryStore().fileName().startsWith(QDir::homePath() + "/.local/state/quorvadine/recovery-"));
    }

    // At start, each copy a program no longer running left behind gets a question, newest first, before the layout
    // choice: Yes loads its pictures and scripts as if chosen and loaded, unsaved still; No throws it away; Cancel
    // leaves it for the next start. A damaged copy is told of, kept aside, and its pictures offered when they can be
    // read.
    void startUp_data()
    {
        QTest::addColumn<QStringList>("left");      // the copies' scripts, oldest first; "cut": cut short, "junk": written over
        QTest::addColumn<QList<Answer>>("answers");
        QTest::addColumn<QString>("scripts");       // brought back; null: no board
        QTest::addColumn<QStringList>("kept");      // the copies left, by their scripts
        QTest::newRow("Yes") << QStringList{"1.Dawn~2.Noon~"} << QList{Answer::Yes} << "1.Dawn~2.Noon~" << QStringList{"1.Dawn~2.Noon~"};
        QTest::newRow("No") << QStringList{"1.Dawn~"} << QList{Answer::No} << QString() << QStringList();
        QTest::newRow("Cancel") << QStringList{"1.Dawn~"} << QList{Answer::Cancel} << QString() << QStringList{"1.Dawn~"};
        QTest::newRow("two: No to the newer, Yes to the older") << QStringList{"1.Old~", "1.New~"} << QList{Answer::No, Answer::Yes}
                                                                << "1.Old~" << QStringList{"1.Old~"};
        QTest::newRow("cut short: told, its pictures opened") << QStringList{"cut"} << QList{Answer::Yes} << "" << QStringList();
        QTest::newRow("written over: told") << QStringList{"junk"} << QList<Answer>() << QString() << QStringList();
    }
    void startUp()
    {
        QFETCH(QStringList, left);
        QFETCH(QList<Answer>, answers);
        QFETCH(QString, scripts);
        QFETCH(QStringList, kept);
        FakePlatform fake;
        for (const QString &entries : left) {
            RecoveryStore store;
            QVERIFY(store.write({names(12), entries.size() < 5 ? "1.Dawn~" : entries}));
            if (entries == u"cut")
                QVERIFY(QFile::resize(store.fileName(), QFileInfo(store.fileName()).size() - 9));
            if (entries == u"junk")
                QVERIFY(write(store.fileName(), "junk"));
        }
        fake.messages.answers = answers;
        Form1 form{fake.platform()};
        form.start();
        const QString folder = qEnvironmentVariable("XDG_STATE_HOME") + "/quorvadine/", aside = copies().filter(".damaged").value(0);
        const QString told = aside.isEmpty() ? QString()
            : (left[0] == u"cut" ? t("The recovery copy of scripts written before Quorvadine stopped could not be read, only the "
                                     "pictures they belong to. It is kept as %1. Open those pictures again?\nThe document is "
                                     "incomplete: 1 group(s) still open at its end.")
                                 : t("The recovery copy of scripts written before Quorvadine stopped could not be read. It is "
                                     "kept as %1.\nIt is not a whole recovery copy: it was cut short or written over.")).arg(folder + aside);
        QCOMPARE(fake.messages.questions, aside.isEmpty() ? QStringList(answers.size(), kRecover)
                                          : left[0] == u"cut" ? QStringList{told} : QStringList());
        QCOMPARE(fake.messages.texts.filter("recovery"), left[0] == u"junk" ? QStringList{told} : QStringList());
        QCOMPARE(!form.beginOption(), !scripts.isNull());
        if (!scripts.isNull()) {
            form.scriptList();
            QCOMPARE(form.FrameTotal->text(), t("Total Images= 12"));
            QCOMPARE(form.scriptEditor()->entryString(), scripts.isEmpty() ? fresh(12).mid(1).join(u'~') + u'~' : scripts);
            QCOMPARE(form.scriptEditor()->hasUnsavedScripts(), !scripts.isEmpty());
        }
        QStringList found;
        for (const QString &copy : copies())
            if (!copy.endsWith(".damaged"))
                found << rtf::read(read(folder + copy).mid(read(folder + copy).indexOf("{\\rtf"))).text;
        QCOMPARE(found, kept);
        QCOMPARE(copies().size() - found.size(), aside.isEmpty() ? 0 : 1);
    }

    // A program stopped for good at a moment of a write, before or after the rename, leaves a whole copy of the
    // scripts before or after it. Meanwhile another program neither offers nor touches it and keeps its own apart;
    // once the first is killed, the next start offers it, brings back the board with its scripts and removes the
    // temporary file of the write cut short.
    void killed_data()
    {
        QTest::addColumn<int>("sync"); // the sync the child stops in: each write syncs its data, then its folder
        QTest::newRow("the second write, before its rename") << 3;
        QTest::newRow("the second write, after its rename") << 4;
    }
    void killed()
    {
        QFETCH(int, sync);
        if (qEnvironmentVariableIsSet("QV_WRITE_TILL_STOPPED")) {
            Session s;
            s.open();
            std::printf("state:%s\n", qPrintable(s.fake.state.path())), std::fflush(stdout);
            g_syncsLeft = qEnvironmentVariableIntValue("QV_WRITE_TILL_STOPPED");
            atomicfile::replaceSync(stoppingSync);
            for (int n = 1; n <= 2; ++n)
                s.write(n, QString::number(n));
            QFAIL("not stopped");
        }
        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        const QTemporaryDir tmp; // takes what the killed child cannot remove
        env.insert("QV_WRITE_TILL_STOPPED", QString::number(sync));
        env.insert("TMPDIR", tmp.path());
        child.setProcessEnvironment(env);
        child.start(QCoreApplication::applicationFilePath(), {"killed", QTest::currentDataTag()});
        QByteArray state;
        for (QByteArray line; line != "stopped" && (child.canReadLine() || child.waitForReadyRead(20000));) {
            line = child.readLine().trimmed();
            state = line.startsWith("state:") ? line.mid(6) : state;
        }
        QVERIFY(!state.isEmpty());
        QCOMPARE(copies(state).size(), 1);
        const QString theirs = state + "/quorvadine/" + copies(state).first();
        const QByteArray bytes = read(theirs);
        {
            Session beside(state);
            QCOMPARE(beside.fake.messages.questions, QStringList());
            beside.open();
            beside.write(3, "beside");
            QCOMPARE(copies(state).size(), 2);
            beside.fake.messages.answers << Answer::No;
            QVERIFY(beside.form.close());
        }
        QCOMPARE(copies(state), QStringList{QFileInfo(theirs).fileName()});
        QCOMPARE(read(theirs), bytes);
        child.kill();
        QVERIFY(child.waitForFinished());
        FakePlatform fake(state);
        fake.messages.answers << Answer::Yes;
        Form1 next{fake.platform()};
        next.start();
        QCOMPARE(fake.messages.questions, QStringList{kRecover});
        QStringList expected = fresh(12);
        expected[1] = "1.1";
        if (sync == 4)
            expected[2] = "2.2";
        QCOMPARE(next.scriptEditor()->entryString(), expected.mid(1).join(u'~') + u'~');
        QCOMPARE(QDir(state + "/quorvadine").entryList(QDir::Files | QDir::Hidden), QStringList{QFileInfo(theirs).fileName()});
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
        row("20,000 fonts", support::rtfShape(RtfShape::FontsLast, qMax(kCrafted / 5, 2 << 20)), repeated(t("Дан а "), 180));
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
        row("4 MB of pointed Hebrew", filled("{\\rtf1\\ansicpg1255 ", hebrew, qMin(kCrafted, 4 << 20), 1400), refused, resaved);
        row("3 million paragraph marks", filled("{\\rtf1 ", "\\par", kCrafted * 3 / 4, 9999), QString(9999, u'\n'));
        row("1 million emoji", filled("{\\rtf1\\uc0 ", "\\u-10179\\u-8704", 14 << 20, 5000), refused, resaved);
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
        QVERIFY(write(path("crafted.ScE"), document));
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
        QCOMPARE_LT(memory.addedKiB(), kPeakMiB * 1024);
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
        const QString text = rtf::read(document).text;
        QCOMPARE(rtf::read(read(path("saved.ScE"))).text, text.endsWith(u'~') ? text : text + u'~');
        PrintPreviewDialog *dialog = s.openPrint();
        QTest::mouseClick(dialog->Option1[3], Qt::LeftButton); // "Page Images + Scripts"
        s.fake.printer.print(path("page.pdf"));
        action("the page printed", [&] { QTest::mouseClick(dialog->OKButton, Qt::LeftButton); });
        QVERIFY(QFileInfo(path("page.pdf")).size() > 0);
    }
};

QTEST_MAIN(tst_scripts)
#include "tst_scripts.moc"
