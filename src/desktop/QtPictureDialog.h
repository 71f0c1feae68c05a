#pragma once

#include "interfaces/Dialogs.h"

// The picture open dialog: the desktop's own file dialog where the platform
// offers one, Qt's own otherwise. Chosen names come back in natural order
// ("shot2.jpg" before "shot10.jpg") whatever order they were clicked in,
// because scenes are numbered in the order of the result.
class QtPictureDialog : public PictureDialog
{
public:
    DialogResult openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength) override;

private:
    QString startDirectory() const;
    QString m_lastDirectory;
};
