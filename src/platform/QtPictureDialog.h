#pragma once

#include "platform/Dialogs.h"

#include <QStringList>

// The picture open dialog: the desktop's own file dialog where the platform
// offers one, Qt's own otherwise. Chosen names come back in natural order
// ("shot2.jpg" before "shot10.jpg") whatever order they were clicked in,
// because scenes are numbered in the order of the result.
class QtPictureDialog : public PictureDialog
{
public:
    DialogResult openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength) override;

    // The result text for a set of chosen files (absolute paths).
    static QString resultText(QStringList files);
    // That text as the dialog's outcome: longer than maxLength is a failure.
    static DialogResult result(const QStringList &files, int maxLength);
    // Natural order that needs no locale: runs of digits by value, other
    // characters case-blind; names still equal are ordered by their plain text.
    static int naturalCompare(const QString &a, const QString &b);
    // "desc|pattern|desc|pattern" as Qt's name filters, matched case-blind.
    static QStringList nameFilters(const QString &filter);
    // Its patterns ("*.jpg"), every entry's.
    static QStringList patterns(const QString &filter);

private:
    QString startDirectory() const;
    QString m_lastDirectory;
};
