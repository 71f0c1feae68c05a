#pragma once

#include "interfaces/Dialogs.h"

#include <QStringList>

#include <functional>

class QMimeData;
class QWidget;

// Pictures dragged onto a window from a file manager, taken as if chosen in
// the picture dialog.
namespace picturedrop {

// The files a drop names, or none when it is refused: picture files of one
// folder, or the pictures of one folder (not its hidden files or subfolders).
// Pictures are the files whose names match a pattern of `filter` ("Jpegs
// (*.jpg)|*.jpg|..."), case-blind as in the dialog. Anything else refuses
// the whole drop: files of two folders, two folders, a folder and a file, a
// name that is no picture, a place that is no local file, text.
QStringList pictures(const QMimeData *data, const QString &filter);

// Lets `window` take such drops, always as a copy, while it takes input (it
// is enabled and no modal window is open). `load` gets the dialog's result
// for the files (longer than maxLength: failed) once the drop is over, so the
// drag's source is not kept waiting by a question or message.
void install(QWidget *window, const QString &filter, int maxLength, std::function<void(const DialogResult &)> load);

} // namespace picturedrop
