#include "platform/QtPictureDialog.h"

#include "platform/QtDialogOwner.h"
#include "platform/ShortNames.h"

#include <QCollator>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

#include <algorithm>

QStringList QtPictureDialog::nameFilters(const QString &filter)
{
    const QStringList parts = filter.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
        filters << parts.at(i);
    return filters;
}

QString QtPictureDialog::resultText(QStringList files)
{
    if (files.isEmpty())
        return QString();
    QCollator collator;
    collator.setNumericMode(true);
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(files.begin(), files.end(), [&](const QString &a, const QString &b) {
        return collator.compare(QFileInfo(a).fileName(), QFileInfo(b).fileName()) < 0;
    });
    if (files.size() == 1) {
        const QFileInfo info(files.first());
        return shortnames::directory(info.absolutePath()) + u'/' + shortnames::fileName(info.fileName());
    }
    QString text = shortnames::directory(QFileInfo(files.first()).absolutePath());
    for (const QString &file : std::as_const(files))
        text += u' ' + shortnames::fileName(QFileInfo(file).fileName());
    return text;
}

QString QtPictureDialog::startDirectory() const
{
    if (!m_lastDirectory.isEmpty() && QDir(m_lastDirectory).exists())
        return m_lastDirectory;
    // Run from a checkout (build/app/quorvadine): start in its sample board.
    QDir dir(QCoreApplication::applicationDirPath());
    for (int up = 0; up < 4; ++up) {
        if (dir.exists(QStringLiteral("samples")) && dir.exists(QStringLiteral("CMakeLists.txt")))
            return dir.filePath(QStringLiteral("samples"));
        if (!dir.cdUp())
            break;
    }
    const QString pictures = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    if (!pictures.isEmpty() && QDir(pictures).exists())
        return pictures;
    return QDir::homePath();
}

DialogResult QtPictureDialog::openPictures(QWidget *owner, const QString &title, const QString &filter, int maxLength)
{
    QFileDialog dialog(nullptr, title, startDirectory());
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setFileMode(QFileDialog::ExistingFiles);
    qtdialogs::own(&dialog, owner);
    // One entry per picture type, as the board asks, and one more that shows
    // them all, so a board of mixed types can be chosen in one go.
    QStringList filters = nameFilters(filter);
    QStringList patterns;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 1; i < parts.size(); i += 2)
        patterns << parts.at(i);
    if (patterns.size() > 1)
        filters << QStringLiteral("All pictures (%1)").arg(patterns.join(u' '));
    dialog.setNameFilters(filters);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    if (!files.isEmpty())
        m_lastDirectory = QFileInfo(files.first()).absolutePath();
    DialogResult result{resultText(files), false};
    if (result.fileName.size() > maxLength)
        return {QString(), true};
    return result;
}
