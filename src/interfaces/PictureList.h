#pragma once

#include "interfaces/Dialogs.h"

#include <QStringList>

// The text the picture dialog gives the board, and the type list it is asked
// with. A dropped set of pictures is turned into the same text.
namespace picturelist {

// The result text for a set of chosen files (absolute paths): the folder and
// the names in natural order, in their short forms (interfaces/ShortNames.h).
QString resultText(QStringList files);
// That text as the dialog's outcome: longer than maxLength is a failure.
DialogResult result(const QStringList &files, int maxLength);
// Natural order that needs no locale: runs of digits by value, other
// characters case-blind; names still equal are ordered by their plain text.
int naturalCompare(const QString &a, const QString &b);
// The pictures a set of named places gives, as a drop or a command line
// names them: the picture files of one folder (not its hidden files or
// subfolders), or picture files of one folder. Anything else is refused
// whole: a name that is neither file nor folder, a file no pattern matches,
// files of two folders, two folders, a folder and a file.
struct Places
{
    enum class Refusal { None, NotFound, NotPicture, TwoFolders };
    QStringList files; // absolute paths, in the order named
    Refusal refusal = Refusal::None;
    QString refused;   // the name refused
};
Places picturesIn(const QStringList &places, const QStringList &patterns);
// "desc|pattern|desc|pattern" as Qt's name filters, matched case-blind.
QStringList nameFilters(const QString &filter);
// Its patterns ("*.jpg"), every entry's.
QStringList patterns(const QString &filter);

} // namespace picturelist
