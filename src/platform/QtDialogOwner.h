#pragma once

class QWidget;

// What every dialog and message box of ours needs before it opens.
namespace qtdialogs {

// Makes `dialog` a transient of `owner`'s window, so the window manager stacks
// it above that window, and puts it in the topmost band while any window of
// ours is there, so it never opens behind one. No QObject parent: a dialog on
// the stack must not be deleted by its owner.
void own(QWidget *dialog, QWidget *owner);

// Qt's own file dialogs and the desktop's keep their history in the user's
// configuration folder; the program writes no configuration, so that store
// goes nowhere.
// Call before the first dialog is made.
void keepNoSettings();

} // namespace qtdialogs
