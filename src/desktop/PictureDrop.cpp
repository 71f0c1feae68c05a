#include "desktop/PictureDrop.h"

#include "interfaces/PictureList.h"

#include <QDropEvent>
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
    QStringList places;
    for (const QUrl &url : data->urls()) {
        if (!url.isLocalFile())
            return {};
        places << url.toLocalFile();
    }
    return picturelist::picturesIn(places, picturelist::patterns(filter)).files;
}

void install(QWidget *window, const QString &filter, int maxLength, std::function<void(const DialogResult &)> load)
{
    window->setAcceptDrops(true);
    window->installEventFilter(new Filter(window, filter, maxLength, std::move(load)));
}

} // namespace picturedrop
