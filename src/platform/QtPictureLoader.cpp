#include "platform/QtPictureLoader.h"

#include "platform/PictureIntegrity.h"
#include "platform/ShortNames.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <new>

QtPictureLoader::QtPictureLoader()
{
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
}

QImage QtPictureLoader::load(const QString &file, QSize bound)
{
    const QString path = shortnames::longForm(file);
    const QFileInfo info(path);
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return {};
    QFile device(path);
    if (!device.open(QIODevice::ReadOnly))
        return {};
    QBuffer buffer;
    buffer.setData(device.readAll());
    device.close();
    if (!buffer.open(QIODevice::ReadOnly))
        return {};

    // The data is searched for the picture's type; its name is not trusted.
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    // size() is the size shown, after the file's orientation is applied; so
    // is the scaled size.
    const QSize size = reader.size();
    if (!size.isValid() || qint64(size.width()) * size.height() > kMaxPixels)
        return {};
    if (!pictureintegrity::complete(buffer.data()))
        return {};
    // Image boxes stretch their picture, so each side is decoded at the
    // box's side or the file's, whichever is smaller.
    if (bound.isValid() && (bound.width() < size.width() || bound.height() < size.height()))
        reader.setScaledSize(size.boundedTo(bound));
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QList<QImage> QtPictureLoader::loadAll(const QList<Request> &requests)
{
    return QtConcurrent::blockingMapped<QList<QImage>>(&m_pool, requests, [this](const Request &request) {
        try {
            return load(request.file, request.bound);
        } catch (const std::bad_alloc &) {
            return QImage(); // one picture too large for memory is a missing picture
        }
    });
}
