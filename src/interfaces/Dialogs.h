#pragma once

#include <QString>

class QWidget;

// Every dialog and message box below opens as a child of `owner`'s window,
// the one that asked for it (null: no owner), so the window manager keeps it
// above that window, and above every window of ours that stays on top.

// The outcome of a file dialog as the windows use it: the dialog's file name
// text (empty when the user cancelled) or a failure of the dialog itself.
struct DialogResult
{
    QString fileName;
    bool failed = false;
};

// The multi-select picture open dialog. Its file name is one text: the
// directory and the chosen names separated by single blanks, or the full
// path alone when one file was chosen. Names that hold a blank, a "%" or a
// "." other than the extension's are given in a blank-free short form
// (those characters percent-encoded), which the picture loader decodes.
class PictureDialog
{
public:
    virtual ~PictureDialog() = default;
    // maxLength: the longest result the caller accepts; longer is a failure.
    virtual DialogResult openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength) = 0;
};

// Open and save dialogs for one file (the script files).
class FileDialog
{
public:
    virtual ~FileDialog() = default;
    virtual DialogResult openFile(QWidget *owner, const QString &title, const QString &filter) = 0;
    virtual DialogResult saveFile(QWidget *owner, const QString &title, const QString &filter) = 0;
};

// Message boxes: OK only, no icon, title "Quorvadine".
class MessageBox
{
public:
    virtual ~MessageBox() = default;
    virtual void show(QWidget *owner, const QString &text) = 0;

    // A question with the answers Yes, No and Cancel, otherwise as above.
    // Closing the box without an answer is Cancel.
    enum class Answer { Yes, No, Cancel };
    virtual Answer ask(QWidget *owner, const QString &text) = 0;
};

// The mouse pointer over the program's windows.
class MousePointer
{
public:
    virtual ~MousePointer() = default;
    virtual void setBusy(bool busy) = 0;
    virtual bool isBusy() const = 0;
};
