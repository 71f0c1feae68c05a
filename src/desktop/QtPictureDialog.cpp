#include "desktop/QtPictureDialog.h"

#include "desktop/NativeFileDialog.h"
#include "interfaces/PictureList.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <utility>

QtPictureDialog::QtPictureDialog(QString startFolder) : m_startFolder(std::move(startFolder)) {}

QString QtPictureDialog::checkoutSamples()
{
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        if (dir.exists(QStringLiteral("samples")) && dir.exists(QStringLiteral("CMakeLists.txt")))
            return dir.filePath(QStringLiteral("samples"));
        if (!dir.cdUp())
            break;
    }
    return {};
}

QString QtPictureDialog::startDirectory() const
{
    for (const QString &folder : {m_lastDirectory, m_startFolder})
        if (!folder.isEmpty() && QDir(folder).exists())
            return folder;
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}

DialogResult QtPictureDialog::openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength)
{
    QFileDialog dialog(owner ? owner->window() : nullptr, title, startDirectory());
    dialog.setFileMode(QFileDialog::ExistingFiles);
    // One entry per picture type, as the board asks, and one more that shows
    // them all, so a board of mixed types can be chosen in one go.
    QStringList filters = picturelist::nameFilters(filter);
    const QStringList patterns = picturelist::patterns(filter);
    if (patterns.size() > 1)
        filters << QStringLiteral("All pictures (%1)").arg(patterns.join(u' '));
    if (!nativefiledialog::run(dialog, filters))
        return {};
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        m_lastDirectory = QFileInfo(files.first()).absolutePath();
    return picturelist::result(files, maxLength);
}
