#include "platform/QtPictureLoader.h"

#include "platform/JpegEighth.h"
#include "platform/PictureIntegrity.h"
#include "platform/ShortNames.h"

#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <new>
#include <optional>

#include <sys/stat.h>

namespace {
std::optional<QtPictureLoader::Stamp> stampOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return QtPictureLoader::Stamp{qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                                  qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec)};
}
} // namespace

QtPictureLoader::QtPictureLoader()
{
    m_pool.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    m_ahead.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    m_ahead.setThreadPriority(QThread::IdlePriority);
}

QtPictureLoader::~QtPictureLoader()
{
    m_ahead.clear();
    m_ahead.waitForDone();
}

QImage QtPictureLoader::decode(const QString &path, QSize bound, Use use)
{
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
    ++m_filesRead;

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
    if (!bound.isValid() || (bound.width() >= size.width() && bound.height() >= size.height()))
        return reader.read();
    const QSize target = size.boundedTo(bound);
    if (use == Use::Screen && (size.width() + 7) / 8 >= target.width() && (size.height() + 7) / 8 >= target.height()) {
        const QImage eighth = jpegeighth::decode(buffer.data(), reader.transformation());
        if (!eighth.isNull())
            return eighth.size() == target ? eighth
                                           : eighth.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    reader.setScaledSize(target);
    QImage image;
    if (!reader.read(&image))
        return {};
    return image;
}

QImage QtPictureLoader::load(const QString &file, QSize bound, Use use)
{
    const QString path = shortnames::longForm(file);
    // The file is looked at at every display; a picture decoded ahead is
    // shown only while the file is the one it was decoded from.
    const std::optional<Stamp> stamp = stampOf(path);
    if (!stamp)
        return {};
    const Request request{file, bound, use};
    {
        const std::lock_guard lock(m_mutex);
        for (const Held &held : std::as_const(m_held))
            if (held.request == request && held.stamp == *stamp)
                return held.image;
    }
    return readAndHold(request, path, *stamp);
}

QImage QtPictureLoader::readAndHold(const Request &request, const QString &path, const Stamp &stamp)
{
    {
        const std::lock_guard lock(m_mutex);
        m_decoding.append(request);
    }
    QImage image;
    try {
        image = decode(path, request.bound, request.use);
    } catch (...) {
        const std::lock_guard lock(m_mutex);
        m_decoding.removeOne(request);
        throw;
    }
    const std::lock_guard lock(m_mutex);
    m_decoding.removeOne(request);
    m_held.removeIf([&](const Held &held) { return held.request == request; });
    if (!image.isNull() && m_keep.contains(request))
        m_held.append({request, stamp, image});
    return image;
}

QList<QImage> QtPictureLoader::loadAll(const QList<Request> &requests)
{
    return QtConcurrent::blockingMapped<QList<QImage>>(&m_pool, requests, [this](const Request &request) {
        try {
            return load(request.file, request.bound, request.use);
        } catch (const std::bad_alloc &) {
            return QImage(); // one picture too large for memory is a missing picture
        }
    });
}

void QtPictureLoader::lookAhead(const QList<Request> &keep)
{
    // Work queued for pages that are no longer adjacent is dropped; a decode
    // already running finishes, but its picture is not kept.
    m_ahead.clear();
    const std::lock_guard lock(m_mutex);
    m_keep = keep.first(qMin(keep.size(), kMaxHeld));
    m_held.removeIf([this](const Held &held) { return !m_keep.contains(held.request); });
    for (const Request &request : std::as_const(m_keep)) {
        if (!holds(request) && !m_decoding.contains(request))
            m_ahead.start([this, request] { decodeAhead(request); });
    }
}

void QtPictureLoader::decodeAhead(const Request &request)
{
    {
        // The page display may have read it meanwhile, or be reading it.
        const std::lock_guard lock(m_mutex);
        if (holds(request) || !m_keep.contains(request) || m_decoding.contains(request))
            return;
    }
    const QString path = shortnames::longForm(request.file);
    if (const std::optional<Stamp> stamp = stampOf(path)) {
        try {
            readAndHold(request, path, *stamp);
        } catch (const std::bad_alloc &) {
            // read again, and found missing, when the page is shown
        }
    }
}

bool QtPictureLoader::holds(const Request &request) const
{
    return std::any_of(m_held.cbegin(), m_held.cend(), [&](const Held &held) { return held.request == request; });
}

QList<PictureLoader::Request> QtPictureLoader::held()
{
    const std::lock_guard lock(m_mutex);
    QList<Request> requests;
    for (const Held &held : std::as_const(m_held))
        requests.append(held.request);
    return requests;
}
