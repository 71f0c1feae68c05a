// The Script Editor and script files, driven as a user would: clicks on list
// items, keys typed into the Edit bay, file dialogs answered by the fake.
#include "resources/Texts.h"
#include "platform/ImageBox.h"
#include "platform/Palette.h"
#include "platform/Twips.h"
#include "scripts/EditBay.h"
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"
#include "scripts/ScriptEditor.h"
#include "scripts/ScriptEditorDesign.h"
#include "scripts/ScriptFile.h"
#include "scripts/ScriptText.h"
#include "support/BoardRig.h"
#include "view/Form1.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace {
QString t(const char *literal) { return QString::fromUtf8(literal); }

using support::names;

QStringList fresh(int scenes)
{
    QStringList list{QStringLiteral("SCENES")};
    for (int n = 1; n <= scenes; ++n)
        list << QStringLiteral("%1.-empty-").arg(n);
    return list;
}

// "1.<script 1>", "2.<script 2>", ... as a loaded board would hold them.
QStringList numbered(const QStringList &scripts)
{
    QStringList list{QStringLiteral("SCENES")};
    for (qsizetype i = 0; i < scripts.size(); ++i)
        list << QString::number(i + 1) + u'.' + scripts.at(i);
    return list;
}

QString repeated(const QString &piece, int units)
{
    QString s;
    while (s.size() < units)
        s += piece;
    s.truncate(units);
    return s;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    QVERIFY2(file.open(QIODevice::WriteOnly), qPrintable(path));
    QCOMPARE(file.write(bytes), bytes.size());
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QString plainTextOf(const QString &path)
{
    const rtf::ReadResult result = rtf::read(readFile(path));
    return result.ok ? result.text : QStringLiteral("<not a document>");
}

// Types text key by key. Characters beyond ASCII come as keys of no known
// code carrying their text, as a keyboard layout or input method sends them.
void typeText(QWidget *widget, const QString &text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.unicode() < 0x80) {
            QTest::keyClick(widget, c.toLatin1());
            continue;
        }
        const qsizetype units = c.isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        const QString typed = text.mid(i, units);
        i += units - 1;
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, typed);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, typed);
        QCoreApplication::sendEvent(widget, &press);
        QCoreApplication::sendEvent(widget, &release);
    }
}

// A main window with a board of `pictures` (none of them on disk) and the
// messages of loading forgotten.
struct Session
{
    FakePlatform fake;
    Form1 form{fake.platform()};

    explicit Session(int pictures = 12)
    {
        if (pictures > 0)
            load(pictures);
    }
    void load(int pictures)
    {
        fake.pictures.choose(names(pictures));
        form.action("sOpen")->trigger();
        fake.messages.texts.clear();
        fake.messages.busyAtMessage.clear();
        fake.messages.owners.clear();
        fake.pointer.history.clear();
    }
    // Tools > Script Editor, or the plain creation the other windows use
    // while the menu item is disabled (fewer than 9 pictures).
    ScriptEditor *open()
    {
        if (form.action("sScriptEditor")->isEnabled()) {
            form.action("sScriptEditor")->trigger();
        } else {
            form.scriptList();
            form.scriptEditor()->open();
        }
        return form.scriptEditor();
    }
    ScriptEditor *editor() const { return form.scriptEditor(); }
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
    // Select all in the Edit bay and type over it.
    void typeOver(const QString &script)
    {
        EditBay *bay = editor()->ScriptTextBox;
        bay->setFocus();
        QTest::keyClick(bay, Qt::Key_A, Qt::ControlModifier);
        if (script.isEmpty())
            QTest::keyClick(bay, Qt::Key_Delete);
        else
            typeText(bay, script);
    }
    void write(int row, const QString &script)
    {
        click(row);
        typeOver(script);
        QTest::mouseClick(editor()->Command1, Qt::LeftButton);
    }
    // Puts a document with the given plain text where Load will find it.
    void loadDocument(const QString &path, const QString &plainText)
    {
        writeFile(path, rtf::write(plainText));
        fake.files.choose(path);
        QTest::mouseClick(editor()->Command3, Qt::LeftButton);
    }
};

// Simulates a full disk: writes past `bytes` fail (EFBIG) for the whole process.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit = m_old;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        std::signal(SIGXFSZ, m_oldHandler);
    }

private:
    rlimit m_old{};
    void (*m_oldHandler)(int) = nullptr;
};
} // namespace

class tst_scripts : public QObject
{
    Q_OBJECT
private Q_SLOTS:
    // The script texts, without a window.
    void stripEntryNumber_data();
    void stripEntryNumber();
    void buildScriptText_data();
    void buildScriptText();
    void parseScriptText_data();
    void parseScriptText();
    void scriptFileRoundTrip_data();
    void scriptFileRoundTrip();

    // The window.
    void design_data();
    void design();
    void freshList_data();
    void freshList();
    void selecting_data();
    void selecting();
    void writing_data();
    void writing();
    void typedLimit_data();
    void typedLimit();
    void tildeKey_data();
    void tildeKey();
    void keyEvents_data();
    void keyEvents();
    void pasting_data();
    void pasting();
    void closeAndReopen();
    void discardedByNewBoardAndShutdown();
    void unsavedScripts_data();
    void unsavedScripts();
    void selectedFromOutside();
    void toolTips_data();
    void toolTips();
    void toolsMenuItem();

    // Save and Load.
    void saveFresh();
    void saveThenLoad_data();
    void saveThenLoad();
    void load_data();
    void load();
    void badLoad_data();
    void badLoad();
    void badSave_data();
    void badSave();
    void cancelledSaveThenSave();
    void saveReplacesWholeFile();

private:
    QTemporaryDir m_dir;
};

// --- Script texts ----------------------------------------------------------

void tst_scripts::stripEntryNumber_data()
{
    QTest::addColumn<QString>("entry");
    QTest::addColumn<QString>("bay");
    QTest::newRow("fresh entry") << "12.-empty-" << "-empty-";
    QTest::newRow("written script") << "12.The chase" << "The chase";
    QTest::newRow("full stops in the script") << "4.He runs. Then stops." << "He runs. Then stops.";
    QTest::newRow("no full stop at all") << "The chase" << "";
    QTest::newRow("number only") << "5." << "";
    QTest::newRow("empty entry") << "" << "";
    QTest::newRow("full stop first") << ".lead" << "lead";
}

void tst_scripts::stripEntryNumber()
{
    QFETCH(QString, entry);
    QTEST(scripts::StripEntryNumber(entry), "bay");
}

void tst_scripts::buildScriptText_data()
{
    QTest::addColumn<QStringList>("entries");
    QTest::addColumn<QString>("text");
    QTest::newRow("three fresh scenes") << fresh(3).mid(1) << "1.-empty-~2.-empty-~3.-empty-~";
    QTest::newRow("a script for scene 2")
        << QStringList{"1.-empty-", "2.Night falls", "3.-empty-"} << "1.-empty-~2.Night falls~3.-empty-~";
    QTest::newRow("header only") << QStringList() << "";
    QTest::newRow("an empty entry") << QStringList{"1.Dawn", ""} << "1.Dawn~~";
}

void tst_scripts::buildScriptText()
{
    QFETCH(QStringList, entries);
    QTEST(scripts::BuildScriptText(entries), "text");
}

void tst_scripts::parseScriptText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("entries");
    QTest::newRow("every entry ended") << "1.-empty-~2.Night falls~3.-empty-~"
                                       << QStringList{"1.-empty-", "2.Night falls", "3.-empty-"};
    QTest::newRow("no final separator") << "1.Dawn~2.Noon" << QStringList{"1.Dawn", "2.Noon"};
    QTest::newRow("two separators in a row") << "1.Dawn~~3.Dusk~" << QStringList{"1.Dawn", "", "3.Dusk"};
    QTest::newRow("empty") << "" << QStringList();
    QTest::newRow("a separator alone") << "~" << QStringList{""};
    QTest::newRow("numbers taken as they stand") << "7.Late~x~" << QStringList{"7.Late", "x"};
    QTest::newRow("line breaks stay in the entry") << "1.one\ntwo~" << QStringList{"1.one\ntwo"};
}

void tst_scripts::parseScriptText()
{
    QFETCH(QString, text);
    QTEST(scripts::ParseScriptText(text), "entries");
}

void tst_scripts::scriptFileRoundTrip_data()
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

void tst_scripts::scriptFileRoundTrip()
{
    QFETCH(QStringList, entries);
    const QString path = m_dir.filePath(QStringLiteral("round.ScE"));
    QVERIFY(scripts::saveScriptFile(path, scripts::BuildScriptText(entries)));
    const scripts::LoadedScript loaded = scripts::loadScriptFile(path);
    QVERIFY(loaded.ok);
    QCOMPARE(scripts::ParseScriptText(loaded.text), entries);
}

// --- The window ------------------------------------------------------------

void tst_scripts::design_data()
{
    QTest::addColumn<QString>("control");
    QTest::addColumn<QRect>("place");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<uint>("background");
    QTest::addColumn<uint>("foreground");
    QTest::addColumn<QString>("tip");
    QTest::addColumn<bool>("enabled");
    QTest::newRow("List1") << "List1" << twips::rect(120, 120, 6255, 4545) << "" << 0x00C0FFFFu << 0u << "" << true;
    QTest::newRow("Label1") << "Label1" << twips::rect(6480, 120, 1695, 255) << "E d i t    B a y" << 0x00C0C0C0u
                            << 0u << "" << true;
    QTest::newRow("ScriptIndexLabel") << "ScriptIndexLabel" << twips::rect(6480, 360, 1695, 255) << ""
                                      << 0x00C0C0C0u << 0x00C00000u << "" << true;
    QTest::newRow("ScriptTextBox") << "ScriptTextBox" << twips::rect(6480, 600, 1695, 2655) << "" << 0x00FFFFFFu
                                   << 0u << "Click into : edit scene" << true;
    QTest::newRow("Command1") << "Command1" << twips::rect(6480, 3320, 1695, 495) << "<--write to scene"
                              << 0x00C0FFFFu << 0u << "Transcribe" << false;
    QTest::newRow("Command3") << "Command3" << twips::rect(6480, 3900, 855, 375) << "Load" << 0x00E0E0E0u << 0u
                              << "Get a script" << true;
    QTest::newRow("Command4") << "Command4" << twips::rect(7440, 3900, 735, 375) << "Save" << 0x00E0E0E0u << 0u
                              << "Save current script" << true;
    QTest::newRow("Command2") << "Command2" << twips::rect(6480, 4320, 1695, 315) << "Close" << 0x00E0E0E0u << 0u
                              << "Return to Quorvadine central" << true;
}

void tst_scripts::design()
{
    QFETCH(QString, control);
    QFETCH(QRect, place);
    QFETCH(uint, background);
    QFETCH(uint, foreground);
    Session session;
    ScriptEditor *editor = session.open();
    QVERIFY(editor->isVisible());
    QCOMPARE(editor->windowTitle(), t("Script Editor"));
    QCOMPARE(editor->size(), QSize(twips::toPixels(8250), twips::toPixels(4725)));
    QCOMPARE(editor->minimumSize(), editor->maximumSize());
    QCOMPARE(palette::background(editor), ColourWord(0x00E0E0E0));
    QCOMPARE(session.fake.windows.topmost, QList<QWidget *>{editor});
    QVERIFY(editor->windowFlags() & Qt::WindowStaysOnTopHint);
    const QSize screen = session.fake.screen.size();
    QCOMPARE(editor->pos(), QPoint((screen.width() - editor->width()) / 2, (screen.height() - editor->height()) / 2));
    QCOMPARE(editor->RichTextBox1.Left, -12000);

    auto *w = editor->findChild<QWidget *>(control, Qt::FindDirectChildrenOnly);
    QVERIFY(w);
    QCOMPARE(w->geometry(), place);
    if (auto *b = qobject_cast<QPushButton *>(w))
        QTEST(b->text(), "caption");
    if (auto *l = qobject_cast<QLabel *>(w))
        QTEST(l->text(), "caption");
    const QPalette::ColorRole back = qobject_cast<QPushButton *>(w) ? QPalette::Button
                                     : qobject_cast<QLabel *>(w)    ? QPalette::Window
                                                                    : QPalette::Base;
    const QPalette::ColorRole fore = qobject_cast<QPushButton *>(w) ? QPalette::ButtonText
                                     : qobject_cast<QLabel *>(w)    ? QPalette::WindowText
                                                                    : QPalette::Text;
    QCOMPARE(palette::toWord(w->palette().color(back)), ColourWord(background));
    QCOMPARE(palette::toWord(w->palette().color(QPalette::Active, fore)), ColourWord(foreground));
    QTEST(w->toolTip(), "tip");
    QTEST(w->isEnabled(), "enabled");
}

void tst_scripts::freshList_data()
{
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("before any pictures") << 0 << QStringList{"SCENES"};
    QTest::newRow("3 pictures, refused as too few") << 3 << fresh(3);
    QTest::newRow("12 pictures") << 12 << fresh(12);
    QTest::newRow("540 pictures") << 540 << fresh(540);
}

void tst_scripts::freshList()
{
    QFETCH(int, pictures);
    Session session(pictures);
    ScriptEditor *editor = session.open();
    QTEST(session.items(), "items");
    QCOMPARE(editor->selectedIndex(), -1);
    QCOMPARE(editor->ScriptIndexLabel->text(), QString());
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QString());
    session.click(0);
    QVERIFY(!editor->Command1->isEnabled());
    QCOMPARE(editor->ScriptIndexLabel->text(), QString());
    QCOMPARE(editor->indexnumber.toInt(), 0);
}

void tst_scripts::selecting_data()
{
    QTest::addColumn<QString>("file"); // plain text of a loaded script file; empty: a fresh list
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("bay");
    QTest::addColumn<bool>("writable");
    QTest::newRow("5.-empty-") << "" << 5 << "Scene: 5" << "-empty-" << true;
    QTest::newRow("12.-empty-") << "" << 12 << "Scene: 12" << "-empty-" << true;
    QTest::newRow("header after an entry keeps the bay")
        << "" << 0 << "Scene: 3" << "-empty-" << false;
    QTest::newRow("script with full stops") << "1.a~2.b~3.c~4.He runs. Then stops.~" << 4 << "Scene: 4"
                                            << "He runs. Then stops." << true;
    QTest::newRow("entry without a full stop") << "1.a~2.b~3.c~loose text~" << 4 << "Scene: 4" << "" << true;
    QTest::newRow("an entry reading SCENES counts as the header")
        << "1.a~2.b~3.c~SCENES~" << 4 << "Scene: 3" << "c" << false;
}

void tst_scripts::selecting()
{
    QFETCH(QString, file);
    QFETCH(int, row);
    Session session;
    ScriptEditor *editor = session.open();
    if (!file.isEmpty())
        session.loadDocument(m_dir.filePath(QStringLiteral("select.ScE")), file);
    session.click(3);
    session.click(row);
    QTEST(editor->ScriptIndexLabel->text(), "label");
    QTEST(editor->ScriptTextBox->toPlainText(), "bay");
    QTEST(editor->Command1->isEnabled(), "writable");
    QCOMPARE(editor->selectedIndex(), row);
    QCOMPARE(editor->selectedEntryText(), session.items().at(row));
    QCOMPARE(editor->ScriptTextBox->textCursor().position(), 0);
}

void tst_scripts::writing_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("entry");
    QTest::newRow("5.Storm") << 5 << "Storm" << "5.Storm";
    QTest::newRow("full stops") << 4 << "He runs. Then stops." << "4.He runs. Then stops.";
    QTest::newRow("nothing typed over the script") << 12 << "" << "12.";
    QTest::newRow("accents and emoji") << 1 << t("Café 🎬 crème") << t("1.Café 🎬 crème");
    QTest::newRow("300 characters") << 7 << repeated(QStringLiteral("storm "), 300)
                                    << "7." + repeated(QStringLiteral("storm "), 300);
}

void tst_scripts::writing()
{
    QFETCH(int, row);
    QFETCH(QString, typed);
    QFETCH(QString, entry);
    Session session;
    ScriptEditor *editor = session.open();
    session.write(row, typed);
    QStringList expected = fresh(12);
    expected[row] = entry;
    QCOMPARE(session.items(), expected);
    QCOMPARE(session.form.SceneText->toPlainText(), entry);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QString());
    QVERIFY(!editor->Command1->isEnabled());
    QCOMPARE(editor->selectedIndex(), -1);
    QCOMPARE(editor->selectedEntryText(), QString());
    QCOMPARE(editor->indexnumber.toInt(), 0);
    QCOMPARE(editor->ScriptIndexLabel->text(), QStringLiteral("Scene: %1").arg(row));
    // Read back, the Edit bay shows the script alone.
    session.click(row);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), typed);
}

void tst_scripts::typedLimit_data()
{
    QTest::addColumn<QString>("start");   // put into the bay by selecting entry 5 of a loaded file
    QTest::addColumn<QString>("typed");   // typed after the end of it
    QTest::addColumn<QString>("bay");
    QTest::newRow("301st character refused") << "" << repeated("a", 301) << repeated("a", 300);
    QTest::newRow("after -empty-") << "-empty-" << repeated("b", 300) << "-empty-" + repeated("b", 293);
    QTest::newRow("Enter counts as one") << repeated("c", 299) << "\r\rd" << repeated("c", 299) + "\n";
    QTest::newRow("longer entry from a file stays, no more typing")
        << repeated("e", 310) << "fgh" << repeated("e", 310);
}

void tst_scripts::typedLimit()
{
    QFETCH(QString, start);
    QFETCH(QString, typed);
    QFETCH(QString, bay);
    Session session;
    ScriptEditor *editor = session.open();
    session.loadDocument(m_dir.filePath(QStringLiteral("limit.ScE")), "1.~2.~3.~4.~5." + start + "~");
    session.click(5);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), start);
    editor->ScriptTextBox->setFocus();
    QTest::keyClick(editor->ScriptTextBox, Qt::Key_End, Qt::ControlModifier);
    typeText(editor->ScriptTextBox, typed);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), bay);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    QCOMPARE(session.items().at(5), "5." + bay);
}

void tst_scripts::tildeKey_data()
{
    // The bay's text as the program itself put it there (no user can now).
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("selStart");
    QTest::addColumn<int>("selLength");
    QTest::addColumn<QString>("after");
    QTest::newRow("no selection, no ~: nothing changes") << "Storm" << 2 << 0 << "Storm";
    QTest::newRow("no selection: the first ~ goes") << "a~b~c" << 4 << 0 << "ab~c";
    QTest::newRow("selection holding a ~: that ~ goes") << "a~b~c" << 2 << 3 << "a~bc";
    QTest::newRow("selection without ~: the selection goes") << "a~b~c" << 2 << 1 << "a~~c";
    QTest::newRow("whole text selected, no ~") << "Storm" << 0 << 5 << "";
    QTest::newRow("empty bay") << "" << 0 << 0 << "";
}

void tst_scripts::tildeKey()
{
    QFETCH(QString, text);
    QFETCH(int, selStart);
    QFETCH(int, selLength);
    QFETCH(QString, after);
    Session session;
    ScriptEditor *editor = session.open();
    session.click(5);
    EditBay *bay = editor->ScriptTextBox;
    bay->setPlainText(text);
    QTextCursor cursor = bay->textCursor();
    cursor.setPosition(selStart);
    cursor.setPosition(selStart + selLength, QTextCursor::KeepAnchor);
    bay->setTextCursor(cursor);
    bay->setFocus();
    QTest::keyClicks(bay, QStringLiteral("~"));
    QCOMPARE(bay->toPlainText(), after);
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    QCOMPARE(session.items().at(5), "5." + after);
}

// Whatever is held with a key and however many characters it carries, "~"
// and the limit hold.
void tst_scripts::keyEvents_data()
{
    QTest::addColumn<QString>("before"); // the bay, the cursor at its end
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("text");   // of one key event
    QTest::addColumn<QString>("after");
    const int altGr = Qt::ControlModifier | Qt::AltModifier;
    QTest::newRow("AltGr ~ deletes a ~, types none") << "a~b" << altGr << "~" << "ab";
    QTest::newRow("Meta ~ deletes a ~, types none") << "a~b" << int(Qt::MetaModifier) << "~" << "ab";
    QTest::newRow("AltGr letter types") << "Dawn" << altGr << t("é") << t("Dawné");
    QTest::newRow("AltGr letter at the limit refused") << repeated("a", 300) << altGr << "x" << repeated("a", 300);
    QTest::newRow("several characters lose their ~") << "Dawn" << 0 << " a~b~" << "Dawn ab";
    QTest::newRow("several characters over the limit refused") << repeated("a", 299) << 0 << "xy" << repeated("a", 299);
}

void tst_scripts::keyEvents()
{
    QFETCH(QString, before);
    QFETCH(int, modifiers);
    QFETCH(QString, text);
    QFETCH(QString, after);
    Session session;
    ScriptEditor *editor = session.open();
    session.click(5);
    EditBay *bay = editor->ScriptTextBox;
    bay->setPlainText(before);
    bay->moveCursor(QTextCursor::End);
    bay->setFocus();
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::KeyboardModifiers(modifiers), text);
    QCoreApplication::sendEvent(bay, &press);
    QCOMPARE(bay->toPlainText(), after);
}

void tst_scripts::pasting_data()
{
    QTest::addColumn<QString>("before");    // typed first
    QTest::addColumn<QString>("clipboard");
    QTest::addColumn<QString>("after");
    QTest::newRow("~ filtered out of pasted text") << "Dawn " << "at~the~harbour" << "Dawn attheharbour";
    QTest::newRow("only ~ pasted") << "x" << "~~~" << "x";
    QTest::newRow("cut to the room left") << repeated("a", 295) << "0123456789" << repeated("a", 295) + "01234";
    QTest::newRow("full bay takes nothing") << repeated("a", 300) << "more" << repeated("a", 300);
    QTest::newRow("no half emoji at the cut") << repeated("a", 299) << t("😀") << repeated("a", 299);
    QTest::newRow("~ does not count against the room") << repeated("a", 298) << "~x~y~z" << repeated("a", 298) + "xy";
}

void tst_scripts::pasting()
{
    QFETCH(QString, before);
    QFETCH(QString, clipboard);
    QFETCH(QString, after);
    Session session;
    ScriptEditor *editor = session.open();
    session.click(5);
    session.typeOver(before);
    QGuiApplication::clipboard()->setText(clipboard);
    QTest::keyClick(editor->ScriptTextBox, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), after);
    // Written, saved and read back, the entry is still one entry.
    QTest::mouseClick(editor->Command1, Qt::LeftButton);
    const QString path = m_dir.filePath(QStringLiteral("pasted.ScE"));
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command3, Qt::LeftButton);
    QCOMPARE(session.items().size(), 13);
    QCOMPARE(session.items().at(5), "5." + after);
    QCOMPARE(session.fake.messages.texts, QStringList());
}

void tst_scripts::closeAndReopen()
{
    Session session;
    ScriptEditor *editor = session.open();
    session.write(5, QStringLiteral("Storm"));
    session.click(7);
    session.typeOver(QStringLiteral("half written"));
    QTest::mouseClick(editor->Command2, Qt::LeftButton);
    QVERIFY(!editor->isVisible());
    QCOMPARE(session.form.board().GoShowOpenDialog.toBool(), false);

    QCOMPARE(session.open(), editor);
    QVERIFY(editor->isVisible());
    QCOMPARE(session.form.board().GoShowOpenDialog.toBool(), true);
    QCOMPARE(session.items().at(5), QStringLiteral("5.Storm"));
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QStringLiteral("half written"));
    QCOMPARE(editor->ScriptIndexLabel->text(), QStringLiteral("Scene: 7"));
    QCOMPARE(editor->indexnumber.toInt(), 7);
    QCOMPARE(session.fake.windows.topmost.size(), 1);

    // The close box keeps the scripts as well.
    editor->close();
    QVERIFY(!editor->isVisible());
    QCOMPARE(session.form.board().GoShowOpenDialog.toBool(), false);
    QCOMPARE(session.open(), editor);
    QCOMPARE(session.items().at(5), QStringLiteral("5.Storm"));
}

void tst_scripts::discardedByNewBoardAndShutdown()
{
    Session session;
    QPointer<ScriptEditor> editor = session.open();
    session.write(5, QStringLiteral("Storm"));

    // A cancelled open dialog keeps the board and its scripts.
    session.fake.pictures.cancel();
    session.form.action("sOpen")->trigger();
    QVERIFY(editor);
    QCOMPARE(session.items().at(5), QStringLiteral("5.Storm"));

    session.load(20);
    QVERIFY(editor.isNull());
    QCOMPARE(session.open()->List1->count(), 21);
    QCOMPARE(session.items(), fresh(20));

    // Even a board refused as too small replaces the scripts.
    session.write(2, QStringLiteral("Gone soon"));
    editor = session.editor();
    session.load(4);
    QVERIFY(editor.isNull());
    QCOMPARE(session.open()->List1->count(), 5);

    editor = session.editor();
    session.form.close();
    QVERIFY(editor.isNull());
}

// Scripts written since the last Save or Load are not thrown away unasked.
void tst_scripts::unsavedScripts_data()
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

void tst_scripts::unsavedScripts()
{
    QFETCH(QString, way);
    QFETCH(QString, since);
    QFETCH(int, answer);
    QFETCH(QString, saveDialog);
    QFETCH(bool, goesOn);
    Session session;
    QPointer<ScriptEditor> editor = session.open();
    if (since != QLatin1String("-"))
        session.write(5, QStringLiteral("Storm"));
    const QString earlier = m_dir.filePath(QStringLiteral("earlier.ScE"));
    if (since == QLatin1String("save")) {
        session.fake.files.choose(earlier);
        QTest::mouseClick(editor->Command4, Qt::LeftButton);
    } else if (since == QLatin1String("load")) {
        session.loadDocument(earlier, QStringLiteral("1.Dawn~"));
    }
    const QStringList before = session.items();
    if (answer >= 0)
        session.fake.messages.answers << MessageBox::Answer(answer);
    const QString path = m_dir.filePath(QStringLiteral("asked-%1.ScE").arg(way));
    QFile::remove(path);
    if (saveDialog == QLatin1String("file"))
        session.fake.files.choose(path);
    else if (saveDialog == QLatin1String("cancel"))
        session.fake.files.cancel();
    const qsizetype openDialogs = session.fake.pictures.titles.size();

    if (way == QLatin1String("new")) {
        session.fake.pictures.choose(names(20));
        session.form.action("sOpen")->trigger();
        QCOMPARE(session.fake.pictures.titles.size(), openDialogs + (goesOn ? 1 : 0));
    } else {
        QCOMPARE(session.form.close(), goesOn);
    }
    QCOMPARE(session.fake.messages.questions, answer < 0 ? QStringList() : QStringList{t(texts::kUnsavedScripts)});
    if (answer >= 0) // owned by the main window, whose board it is about
        QCOMPARE(session.fake.messages.owners.first(), static_cast<QWidget *>(&session.form));
    QCOMPARE(session.fake.messages.texts.contains(t(texts::kSaveError)), saveDialog == QLatin1String("cancel"));
    QCOMPARE(editor.isNull(), goesOn);
    if (!goesOn) {
        QCOMPARE(session.items(), before);
        QVERIFY(editor->isVisible());
    }
    if (saveDialog == QLatin1String("file")) {
        Session again;
        again.open();
        again.fake.files.choose(path);
        QTest::mouseClick(again.editor()->Command3, Qt::LeftButton);
        QCOMPARE(again.items(), before);
    }
}

void tst_scripts::selectedFromOutside()
{
    Session session;
    board::ScriptListAccess &list = session.form.scriptList();
    ScriptEditor *editor = session.editor();
    QVERIFY(editor && !editor->isVisible());
    QCOMPARE(list.entryCount(), 13);
    list.selectEntry(7);
    QVERIFY(!editor->isVisible());
    QCOMPARE(list.selectedIndex(), 7);
    QCOMPARE(list.selectedEntryText(), QStringLiteral("7.-empty-"));
    QCOMPARE(editor->ScriptIndexLabel->text(), QStringLiteral("Scene: 7"));
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QStringLiteral("-empty-"));
    QVERIFY(editor->Command1->isEnabled());
    // Selecting the same entry again reloads it, an unwritten edit is lost.
    editor->ScriptTextBox->setPlainText(QStringLiteral("unwritten"));
    list.selectEntry(7);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QStringLiteral("-empty-"));
    // No such entry: nothing happens.
    list.selectEntry(13);
    list.selectEntry(-1);
    QCOMPARE(list.selectedIndex(), 7);
    QCOMPARE(&session.form.scriptList(), static_cast<board::ScriptListAccess *>(editor));
}

void tst_scripts::toolTips_data()
{
    QTest::addColumn<QList<bool>>("switches");
    QTest::addColumn<QStringList>("tips"); // Command1, Command3, Command4, Command2, ScriptTextBox
    const QStringList on{"Transcribe", "Get a script", "Save current script", "Return to Quorvadine",
                         "Click into : edit scene"};
    QTest::newRow("as designed") << QList<bool>{}
                                 << QStringList{"Transcribe", "Get a script", "Save current script",
                                                "Return to Quorvadine central", "Click into : edit scene"};
    QTest::newRow("off") << QList<bool>{false} << QStringList{"", "", "", "", ""};
    QTest::newRow("on") << QList<bool>{true} << on;
    QTest::newRow("off, then on again") << QList<bool>{false, true} << on;
}

void tst_scripts::toolTips()
{
    QFETCH(QList<bool>, switches);
    QFETCH(QStringList, tips);
    Session session;
    for (bool on : switches)
        session.form.scriptList().setToolTips(on);
    ScriptEditor *editor = session.open();
    const QStringList shown{editor->Command1->toolTip(), editor->Command3->toolTip(), editor->Command4->toolTip(),
                            editor->Command2->toolTip(), editor->ScriptTextBox->toolTip()};
    QCOMPARE(shown, tips);
}

void tst_scripts::toolsMenuItem()
{
    Session session;
    board::SceneBoard &board = session.form.board();
    // A scene on show in the big preview.
    board.BigPreview = Picture{QImage(10, 10, QImage::Format_RGB32), QStringLiteral("/nowhere/f5.jpg"), 0};
    board.FatViewSceneLabel = QStringLiteral("Current View: Sc:5");
    board.SceneText = QStringLiteral("5.-empty-");
    session.form.updateFromBoard();

    session.form.action("sScriptEditor")->trigger();
    ScriptEditor *editor = session.editor();
    QVERIFY(editor && editor->isVisible());
    QCOMPARE(board.GoShowOpenDialog.toBool(), true);
    QCOMPARE(session.form.BigPreview->picture().resource, 2000);
    QCOMPARE(session.form.FatViewSceneLabel->text(), QStringLiteral("Current View: Sc:5"));
    QCOMPARE(session.form.SceneText->toPlainText(), QStringLiteral("5.-empty-"));
    QVERIFY(session.form.isEnabled());

    // Chosen again while open: the same window, not rebuilt.
    session.write(5, QStringLiteral("Storm"));
    session.form.action("sScriptEditor")->trigger();
    QCOMPARE(session.editor(), editor);
    QCOMPARE(session.items().at(5), QStringLiteral("5.Storm"));
    QCOMPARE(session.form.SceneText->toPlainText(), QStringLiteral("5.Storm"));
}

// --- Save and Load ---------------------------------------------------------

void tst_scripts::saveFresh()
{
    Session session(3);
    ScriptEditor *editor = session.open();
    session.click(1);
    session.typeOver(QStringLiteral("typed, not written"));
    const QString path = m_dir.filePath(QStringLiteral("three.ScE"));
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    QCOMPARE(session.fake.files.titles, QStringList{"Save a script"});
    QCOMPARE(session.fake.files.filters, QStringList{"File Format (*.ScE)|*.ScE|"});
    QCOMPARE(session.fake.files.saves, QList<bool>{true});
    QCOMPARE(session.fake.messages.texts, QStringList());
    QCOMPARE(session.fake.pointer.history, (QList<bool>{true, false}));
    QCOMPARE(plainTextOf(path), QStringLiteral("1.-empty-~2.-empty-~3.-empty-~"));
    QVERIFY(readFile(path).startsWith("{\\rtf1"));
    // Saving selected every entry in turn: the last one is in the Edit bay.
    QCOMPARE(editor->selectedIndex(), 3);
    QCOMPARE(editor->ScriptIndexLabel->text(), QStringLiteral("Scene: 3"));
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QStringLiteral("-empty-"));
    QCOMPARE(editor->indexnumber.toInt(), 3);
    QVERIFY(editor->Command1->isEnabled());
    QCOMPARE(editor->RichTextBox1.Text(), QString());
}

void tst_scripts::saveThenLoad_data()
{
    QTest::addColumn<int>("pictures");
    QTest::addColumn<QList<int>>("rows");
    QTest::addColumn<QStringList>("typed");
    QTest::newRow("one script") << 12 << QList<int>{2} << QStringList{"Night falls"};
    QTest::newRow("accents, emoji, a line break")
        << 12 << QList<int>{1, 9, 12} << QStringList{t("Café — naïve"), t("🎬 Action 🎥"), t("Two\rlines")};
    QTest::newRow("300 characters") << 9 << QList<int>{9} << QStringList{repeated(t("Ωμέγα é "), 300)};
    QTest::newRow("empty script") << 10 << QList<int>{4} << QStringList{""};
}

void tst_scripts::saveThenLoad()
{
    QFETCH(int, pictures);
    QFETCH(QList<int>, rows);
    QFETCH(QStringList, typed);
    Session session(pictures);
    ScriptEditor *editor = session.open();
    for (qsizetype i = 0; i < rows.size(); ++i)
        session.write(rows[i], typed[i]);
    const QStringList written = session.items();
    const QString path = m_dir.filePath(QStringLiteral("roundtrip.ScE"));
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);

    // The same pictures again: the scripts are gone until the file is loaded.
    session.load(pictures);
    editor = session.open();
    QCOMPARE(session.items(), fresh(pictures));
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command3, Qt::LeftButton);
    QCOMPARE(session.fake.files.titles.last(), QStringLiteral("Load a script"));
    QCOMPARE(session.fake.files.saves.last(), false);
    QCOMPARE(session.fake.messages.texts, QStringList());
    QCOMPARE(session.items(), written);
    QCOMPARE(editor->indexnumber.toInt(), pictures);
}

void tst_scripts::load_data()
{
    QTest::addColumn<QString>("plainText");
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("indexnumber");
    QStringList twenty;
    for (int n = 1; n <= 20; ++n)
        twenty << QStringLiteral("Scene %1 script").arg(n);
    QTest::newRow("20 entries into a board of 12")
        << scripts::BuildScriptText(numbered(twenty).mid(1)) << numbered(twenty) << 20;
    const QStringList five{"a", "b", "c", "d", "e"};
    QTest::newRow("5 entries into a board of 12") << scripts::BuildScriptText(numbered(five).mid(1))
                                                  << numbered(five) << 5;
    QTest::newRow("no final separator") << "1.Dawn~2.Noon" << QStringList{"SCENES", "1.Dawn", "2.Noon"} << 2;
    QTest::newRow("an empty piece") << "1.Dawn~~3.Dusk~" << QStringList{"SCENES", "1.Dawn", "", "3.Dusk"} << 3;
    QTest::newRow("empty document changes nothing, selection included") << "" << fresh(12) << 0;
}

void tst_scripts::load()
{
    QFETCH(QString, plainText);
    QFETCH(QStringList, items);
    Session session;
    ScriptEditor *editor = session.open();
    session.write(2, QStringLiteral("Night falls"));
    session.click(5); // write button enabled, "-empty-" in the bay
    QStringList before = session.items();
    session.loadDocument(m_dir.filePath(QStringLiteral("load.ScE")), plainText);
    QCOMPARE(session.fake.messages.texts, QStringList());
    if (plainText.isEmpty())
        QCOMPARE(session.items(), before);
    else
        QCOMPARE(session.items(), items);
    QTEST(editor->indexnumber.toInt(), "indexnumber");
    QCOMPARE(editor->selectedIndex(), plainText.isEmpty() ? 5 : -1);
    QVERIFY(!editor->Command1->isEnabled());
    QCOMPARE(session.fake.pointer.history, (QList<bool>{true, false}));
    // The Edit bay, its label and the main window's script box are not touched.
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QStringLiteral("-empty-"));
    QCOMPARE(editor->ScriptIndexLabel->text(), QStringLiteral("Scene: 5"));
    QCOMPARE(session.form.SceneText->toPlainText(), QStringLiteral("2.Night falls"));
    // The list works on: entry 2 can be selected and written.
    if (!plainText.isEmpty()) {
        session.write(2, QStringLiteral("Rewritten"));
        QCOMPARE(session.items().at(2), QStringLiteral("2.Rewritten"));
        QCOMPARE(session.items().size(), items.size());
    }
}

void tst_scripts::badLoad_data()
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
    QTest::newRow("deeply nested groups") << "file"
                                          << "{\\rtf1 " + QByteArray(200000, '{') + "x~" + QByteArray(200000, '}')
                                                 + "}";
    QTest::newRow("a picture file") << "file" << QByteArray("\xFF\xD8\xFF\xE0\x00\x10JFIF", 10);
    QTest::newRow("a directory") << "directory" << QByteArray();
    QTest::newRow("no such file") << "missing" << QByteArray();
    // /proc/self/mem exists and opens, but reading it at offset 0 fails.
    QTest::newRow("a file that cannot be read") << "unreadable" << QByteArray();
    QTest::newRow("over 16 MB") << "huge" << QByteArray();
}

void tst_scripts::badLoad()
{
    QFETCH(QString, what);
    QFETCH(QByteArray, bytes);
    Session session;
    ScriptEditor *editor = session.open();
    session.write(2, QStringLiteral("Night falls"));
    session.click(5);
    const QStringList before = session.items();

    QString path = m_dir.filePath(QStringLiteral("bad-%1.ScE").arg(QTest::currentDataTag()).replace(u' ', u'-'));
    if (what == QLatin1String("file")) {
        writeFile(path, bytes);
    } else if (what == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (what == QLatin1String("missing")) {
        path += QStringLiteral(".gone");
    } else if (what == QLatin1String("unreadable")) {
        path = QStringLiteral("/proc/self/mem");
    } else if (what == QLatin1String("huge")) {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(rtf::write(QStringLiteral("1.Dawn~")));
        QVERIFY(file.resize(scripts::kLargestScriptFile + 1)); // sparse: nothing is really written
    }
    if (what == QLatin1String("cancel"))
        session.fake.files.cancel();
    else
        session.fake.files.choose(path);
    QTest::mouseClick(editor->Command3, Qt::LeftButton);

    QCOMPARE(session.fake.messages.texts, QStringList{t(texts::kLoadError)});
    QCOMPARE(session.fake.messages.owners, QList<QWidget *>{editor}); // above the topmost editor
    QCOMPARE(session.fake.files.owners, QList<QWidget *>{editor});
    QCOMPARE(session.fake.messages.busyAtMessage, QList<bool>{false});
    QVERIFY(!session.fake.pointer.isBusy());
    QCOMPARE(session.items(), before);
    QCOMPARE(editor->ScriptTextBox->toPlainText(), QStringLiteral("-empty-"));
    QCOMPARE(editor->indexnumber.toInt(), 5);
    QVERIFY(editor->Command1->isEnabled());
    QCOMPARE(editor->RichTextBox1.Text(), QString());
}

void tst_scripts::badSave_data()
{
    QTest::addColumn<QString>("what");
    QTest::newRow("dialog cancelled") << "cancel";
    QTest::newRow("directory gone") << "vanished";
    QTest::newRow("name of a directory") << "directory";
    QTest::newRow("disk full over an older file") << "full";
}

void tst_scripts::badSave()
{
    QFETCH(QString, what);
    Session session(540);
    ScriptEditor *editor = session.open();
    session.write(2, QStringLiteral("Night falls"));
    const QStringList before = session.items();
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("board.ScE"));
    const QByteArray older = rtf::write(QStringLiteral("1.older~2.file~"));
    if (what == QLatin1String("vanished")) {
        path = dir.filePath(QStringLiteral("gone/board.ScE"));
    } else if (what == QLatin1String("directory")) {
        QVERIFY(QDir().mkpath(path));
    } else if (what == QLatin1String("full")) {
        writeFile(path, older);
    }
    if (what == QLatin1String("cancel"))
        session.fake.files.cancel();
    else
        session.fake.files.choose(path);
    {
        // 540 fresh entries need far more than this.
        std::optional<FileSizeLimit> limit;
        if (what == QLatin1String("full"))
            limit.emplace(4096);
        QTest::mouseClick(editor->Command4, Qt::LeftButton);
    }
    QCOMPARE(session.fake.messages.texts, QStringList{t(texts::kSaveError)});
    QCOMPARE(session.fake.messages.owners, QList<QWidget *>{editor});
    QCOMPARE(session.fake.files.owners, QList<QWidget *>{editor});
    QCOMPARE(session.fake.messages.busyAtMessage, QList<bool>{false});
    QVERIFY(!session.fake.pointer.isBusy());
    QCOMPARE(session.items(), before);
    QCOMPARE(editor->RichTextBox1.Text(), QString());
    if (what == QLatin1String("full")) {
        QCOMPARE(readFile(path), older);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"board.ScE"});
    } else if (what == QLatin1String("vanished")) {
        QVERIFY(!QFileInfo::exists(path));
    }
}

void tst_scripts::cancelledSaveThenSave()
{
    Session session(9);
    ScriptEditor *editor = session.open();
    session.write(4, QStringLiteral("Dusk"));
    session.fake.files.cancel();
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    QCOMPARE(session.fake.messages.texts, QStringList{t(texts::kSaveError)});
    const QString path = m_dir.filePath(QStringLiteral("after-cancel.ScE"));
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    QCOMPARE(session.fake.messages.texts.size(), 1);
    QStringList expected = fresh(9).mid(1);
    expected[3] = QStringLiteral("4.Dusk");
    QCOMPARE(plainTextOf(path), scripts::BuildScriptText(expected));
}

void tst_scripts::saveReplacesWholeFile()
{
    const QString path = m_dir.filePath(QStringLiteral("replace.ScE"));
    QStringList big;
    for (int n = 1; n <= 100; ++n)
        big << QStringLiteral("%1.A long script for scene %1 that takes room").arg(n);
    QVERIFY(scripts::saveScriptFile(path, scripts::BuildScriptText(big)));
    Session session(9);
    ScriptEditor *editor = session.open();
    session.fake.files.choose(path);
    QTest::mouseClick(editor->Command4, Qt::LeftButton);
    QCOMPARE(session.fake.messages.texts, QStringList());
    QCOMPARE(readFile(path), rtf::write(scripts::BuildScriptText(fresh(9).mid(1))));
}

QTEST_MAIN(tst_scripts)
#include "tst_scripts.moc"
