#include "desktop/QtFileDialog.h"

#include "desktop/NativeFileDialog.h"
#include "interfaces/PictureList.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

DialogResult QtFileDialog::openFile(QWidget *owner, const QString &title, const QString &filter)
{
    return run(owner, title, filter, false);
}

DialogResult QtFileDialog::saveFile(QWidget *owner, const QString &title, const QString &filter)
{
    return run(owner, title, filter, true);
}

DialogResult QtFileDialog::run(QWidget *owner, const QString &title, const QString &filter, bool save)
{
    QFileDialog dialog(owner ? owner->window() : nullptr, title, m_lastDirectory.isEmpty() ? QDir::homePath() : m_lastDirectory);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    if (!nativefiledialog::run(dialog, picturelist::nameFilters(filter)) || dialog.selectedFiles().isEmpty())
        return {};
    const QString file = dialog.selectedFiles().first();
    m_lastDirectory = QFileInfo(file).absolutePath();
    return {file, false};
}
