#pragma once

#include "board/ScriptListAccess.h"
#include "board/Variant.h"
#include "board/WorkBuffer.h"
#include "interfaces/Platform.h"

#include <QWidget>

#include <functional>

class EditBay;
class QLabel;
class QListWidget;
class QPushButton;

// The Script Editor. Its list is the one store of every script for the run,
// so closing only hides the window; the main window destroys it when a new
// board is loaded and at shutdown.
class ScriptEditor : public QWidget, public board::ScriptListAccess
{
    Q_OBJECT
public:
    ScriptEditor(const Platform &platform, QWidget *parent);

    // Building: topmost, then the list from the main window's image count (Text2).
    void Form_Load(const QString &imageCount);

    // board::ScriptListAccess
    int entryCount() override;
    void selectEntry(int n) override;
    QString selectedEntryText() override;
    int selectedIndex() override;
    QStringList entries() const override;
    void setToolTips(bool on) override;

    // Whether a script was written since the window was built or since the
    // last Save or Load that read or wrote a file.
    bool hasUnsavedScripts() const { return m_unsaved; }
    // Save with its dialog and messages; true only when the file was written.
    bool Save();
    // Every entry as a script file holds them, read without selecting any.
    QString entryString() const;
    // The script of scene n, without its number; empty for no such entry.
    QString scriptOf(int n) const;
    // Scripts from a recovery copy, put in as Load puts a file's; they stay
    // unsaved until a Save.
    void restoreScripts(const QString &entryString);
    // Runs `work`, which may select entries (the print dialogue's filling
    // does), and then puts back what the user had in the Edit bay: an
    // unwritten draft, its cursor and its entry.
    void keepingDraft(const std::function<void()> &work);

    QListWidget *List1 = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *ScriptIndexLabel = nullptr;
    EditBay *ScriptTextBox = nullptr;
    QPushButton *Command1 = nullptr;
    QPushButton *Command3 = nullptr;
    QPushButton *Command4 = nullptr;
    QPushButton *Command2 = nullptr;

    // The index of the entry whose script is in the Edit bay (0: none); after
    // a script file is loaded, the number of entries read.
    board::Variant indexnumber = 0;
    // The hidden buffer script files pass through.
    board::WorkBuffer RichTextBox1;

    void List1_Click();
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void Command4_Click();

Q_SIGNALS:
    // A script was written (true), or a Save or Load left none unsaved (false).
    void unsavedScriptsChanged(bool unsaved);
    // An entry was written: the main window's script box shows it.
    void sceneScriptWritten(const QString &entry);
    // Close or the close box hid the window.
    void closedByUser();

protected:
    void closeEvent(QCloseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    void createControls();
    void clearSelection();
    QString BuildScriptText();
    void ClearScriptList();
    void ParseScriptText();
    void failed(const char *message, const QString &why = QString());
    // The list from a script file's text; `unsaved` says whether it still
    // needs saving (a recovery copy does, a loaded file does not).
    void takeScriptText(const QString &entryString, bool unsaved);

    // What selecting entries changes, put back by keepingDraft.
    struct EditState
    {
        int selected;
        QString label, bay;
        int cursor, anchor;
        bool writable;
        board::Variant indexnumber;
    };
    EditState editState() const;
    void restoreEditState(const EditState &state);

    Platform m_platform;
    bool m_unsaved = false;
};
