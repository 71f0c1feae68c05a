#pragma once

#include "interfaces/Dialogs.h"

// Script file dialogs: the desktop's own where the platform offers one, Qt's
// own otherwise. Neither asks before replacing a file, so no question is ever
// about a name other than the one Save writes to (it adds ".ScE" itself).
class QtFileDialog : public FileDialog
{
public:
    DialogResult openFile(QWidget *owner, const QString &title, const QString &filter) override;
    DialogResult saveFile(QWidget *owner, const QString &title, const QString &filter) override;

private:
    DialogResult run(QWidget *owner, const QString &title, const QString &filter, bool save);
    QString m_lastDirectory;
};
