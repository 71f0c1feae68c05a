#pragma once

#include "interfaces/Dialogs.h"

// The picture open dialog: the desktop's own file dialog where the platform
// offers one, Qt's own otherwise. Chosen names come back in natural order
// ("shot2.jpg" before "shot10.jpg") whatever order they were clicked in,
// because scenes are numbered in the order of the result.
class QtPictureDialog : public PictureDialog
{
public:
    // The dialog first opens in `startFolder`, once it exists; else in the
    // user's pictures folder. Later it opens where pictures were last chosen.
    explicit QtPictureDialog(QString startFolder = {});
    DialogResult openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength) override;

    // For a run from a checkout (build/app/quorvadine): its sample board. Empty elsewhere.
    static QString checkoutSamples();

private:
    QString startDirectory() const;
    QString m_startFolder;
    QString m_lastDirectory;
};
