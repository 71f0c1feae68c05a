#include "platform/QtPictureLoader.h"

#include "platform/ShortNames.h"

#include <QImageReader>
#include <QtConcurrent/QtConcurrentMap>

QImage QtPictureLoader::load(const QString &file, QSize bound)
{
    QImageReader reader(shortnames::longForm(file));
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPixels)
        return {};
    if (bound.isValid() && (bound.width() < size.width() || bound.height() < size.height()))
        reader.setScaledSize(size.boundedTo(bound));
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QList<QImage> QtPictureLoader::loadAll(const QList<Request> &requests)
{
    return QtConcurrent::blockingMapped<QList<QImage>>(requests, [this](const Request &request) {
        return load(request.file, request.bound);
    });
}
