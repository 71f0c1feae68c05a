#pragma once

#include "platform/Dialogs.h"

// Script file dialogs on Qt's own file dialog. No default extension is added
// and no overwrite question asked: the name is used as typed.
class QtFileDialog : public FileDialog
{
public:
    DialogResult openFile(QWidget *owner, const QString &title, const QString &filter) override;
    DialogResult saveFile(QWidget *owner, const QString &title, const QString &filter) override;

private:
    DialogResult run(QWidget *owner, const QString &title, const QString &filter, bool save);
    QString m_lastDirectory;
};
