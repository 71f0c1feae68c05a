#include "desktop/PictureDrop.h"

#include "interfaces/PictureList.h"

#include <QDir>
#include <QDropEvent>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QTimer>
#include <QUrl>
#include <QWidget>

namespace picturedrop {

namespace {
class Filter : public QObject
{
public:
    Filter(QWidget *window, const QString &filter, int maxLength, std::function<void(const DialogResult &)> load)
        : QObject(window), m_filter(filter), m_maxLength(maxLength), m_load(std::move(load))
    {
    }

    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::DragEnter && type != QEvent::DragMove && type != QEvent::Drop)
            return false;
        auto *drop = static_cast<QDropEvent *>(event);
        const auto *window = static_cast<QWidget *>(watched);
        // Computed again for every event: a drag that lingers over the window may outlive a folder's content.
        const QStringList files = window->isEnabled() && !QGuiApplication::modalWindow()
                                          && drop->possibleActions().testFlag(Qt::CopyAction)
                                      ? pictures(drop->mimeData(), m_filter)
                                      : QStringList();
        if (files.isEmpty()) {
            drop->ignore(); // the pointer shows that the window takes no such drop
            return true;
        }
        // A copy: a move would tell the source it may delete the files.
        drop->setDropAction(Qt::CopyAction);
        drop->accept();
        if (type == QEvent::Drop) {
            const DialogResult result = picturelist::result(files, m_maxLength);
            QTimer::singleShot(0, this, [this, result] { m_load(result); });
        }
        return true;
    }

private:
    QString m_filter;
    int m_maxLength;
    std::function<void(const DialogResult &)> m_load;
};
} // namespace

QStringList pictures(const QMimeData *data, const QString &filter)
{
    if (!data || !data->hasUrls())
        return {};
    const QStringList patterns = picturelist::patterns(filter);
    QStringList files;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        const QFileInfo info(url.toLocalFile());
        if (info.isDir() && data->urls().size() == 1) {
            const QDir folder(info.absoluteFilePath());
            for (const QString &name : folder.entryList(patterns, QDir::Files))
                files << folder.absoluteFilePath(name);
            return files;
        }
        if (!info.isFile() || !QDir::match(patterns, info.fileName()))
            return {};
        if (!files.isEmpty() && QFileInfo(files.first()).absolutePath() != info.absolutePath())
            return {};
        if (!files.contains(info.absoluteFilePath()))
            files << info.absoluteFilePath();
    }
    return files;
}

void install(QWidget *window, const QString &filter, int maxLength, std::function<void(const DialogResult &)> load)
{
    window->setAcceptDrops(true);
    window->installEventFilter(new Filter(window, filter, maxLength, std::move(load)));
}

} // namespace picturedrop
