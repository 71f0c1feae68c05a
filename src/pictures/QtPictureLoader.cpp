#include "pictures/QtPictureLoader.h"

#include "files/Descriptor.h"
#include "interfaces/ShortNames.h"
#include "pictures/Bytes.h"
#include "pictures/JpegEighth.h"
#include "pictures/JpegMarkers.h"
#include "pictures/PictureIntegrity.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <algorithm>
#include <cerrno>
#include <new>
#include <optional>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
QtPictureLoader::Stamp stampFrom(const struct stat &status)
{
    return QtPictureLoader::Stamp{qint64(status.st_dev), qint64(status.st_ino), qint64(status.st_size),
                                  qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec)};
}

std::optional<QtPictureLoader::Stamp> stampOf(const QString &path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return std::nullopt;
    return stampFrom(status);
}

// Appends from `fd` until `data` holds `upTo` bytes or the file ends.
bool readUpTo(int fd, QByteArray &data, qint64 upTo)
{
    qsizetype have = data.size();
    if (upTo <= have)
        return true;
    data.resize(qsizetype(upTo));
    while (have < upTo) {
        const ssize_t got = ::read(fd, data.data() + have, size_t(upTo - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return false;
        if (got == 0)
            break;
        have += got;
    }
    data.truncate(have);
    return true;
}

// Bytes taken from a budget for as long as it lives.
struct Share
{
    MemoryBudget &budget;
    const qint64 bytes;
    ~Share() { budget.give(bytes); }
};

// The coefficients libjpeg holds for the whole picture when it needs more
// than one pass over the data: a progressive file, or one whose first scan
// does not carry every component. 0 for one that decodes line by line.
qint64 jpegCoefficientBytes(QByteArrayView head)
{
    JpegMarkers markers(head);
    JpegMarkers::Segment segment;
    qint64 coefficients = 0; // of the frame, when it needs them all
    uint components = 0;
    bool progressive = false;
    while (markers.next(segment)) {
        const uint m = segment.marker;
        if (JpegMarkers::isFrame(m) && segment.body.size() >= 6) {
            const QByteArrayView sof = segment.body;
            const qint64 height = bytes::be16(sof, 1), width = bytes::be16(sof, 3);
            components = bytes::byteAt(sof, 5);
            qint64 maxH = 1, maxV = 1, units = 0;
            for (uint i = 0; i < components && 8 + 3 * i < uint(sof.size()); ++i) {
                const qint64 h = bytes::byteAt(sof, 7 + 3 * i) >> 4, v = bytes::byteAt(sof, 7 + 3 * i) & 15;
                maxH = std::max(maxH, h);
                maxV = std::max(maxV, v);
                units += h * v;
            }
            // Whole MCUs, each block 64 coefficients of two bytes.
            coefficients = (width + 8 * maxH - 1) / (8 * maxH) * ((height + 8 * maxV - 1) / (8 * maxV)) * units * 128;
            progressive = m == 0xC2 || m == 0xC6 || m == 0xCA || m == 0xCE;
        } else if (m == 0xDA) {
            return progressive || segment.body.isEmpty() || bytes::byteAt(segment.body, 0) < components ? coefficients : 0;
        }
    }
    return coefficients; // the first scan lies beyond what was read: assume the worst
}
// Why a file gave no picture, for the user.
constexpr char kCannotOpen[] = "The file could not be opened: %1.";
constexpr char kCannotRead[] = "The file could not be read: %1.";

// What the system said of the last call that failed, after `what`.
QString systemFailure(const char *what)
{
    return QString::fromUtf8(what).arg(qt_error_string(errno));
}

QString tooLargeForMemory()
{
    return QStringLiteral("The picture is too large for the memory left.");
}

QString unreadable(const QImageReader &reader)
{
    return QStringLiteral("The picture's data is damaged (%1).").arg(reader.errorString());
}

// The picture's size. Qt gives a BMP stored top-down (with a negative
// height, as several programs write them) a negative height too, though it
// decodes it the right way up.
QSize shownSize(QImageReader &reader)
{
    const QSize size = reader.size();
    return reader.format() == "bmp" && size.height() < 0 ? QSize(size.width(), -size.height()) : size;
}
} // namespace

QtPictureLoader::QtPictureLoader(int threads, MemoryBudget &budget) : m_budget(budget)
{
    // Qt refuses by itself to allocate more than 128 MB for a picture, which
    // stops a BMP or GIF at about 33 megapixels. The budget is what limits
    // decoding: a picture of up to kMaxPixels fits in the program's.
    static_assert(kMaxPixels * 4 <= MemoryBudget::kSharedBytes);
    QImageReader::setAllocationLimit(int(MemoryBudget::kSharedBytes >> 20));
    m_pool.setMaxThreadCount(threads > 0 ? threads : qMax(1, QThread::idealThreadCount()));
    m_ahead.setMaxThreadCount(qMax(1, QThread::idealThreadCount()));
    m_ahead.setThreadPriority(QThread::IdlePriority);
}

QtPictureLoader::~QtPictureLoader()
{
    m_ahead.clear();
    m_ahead.waitForDone();
}

QImage QtPictureLoader::decode(const QString &path, QSize bound, Use use, Stamp &stamp, QString &why)
{
    const auto refuse = [&why](const QString &reason) {
        why = reason;
        return QImage();
    };
    const auto failed = [&](const char *what) { return refuse(systemFailure(what)); };
    // Opened first, then what was opened is checked: the name may be swapped
    // for a FIFO, a device or a larger file at any moment. Without O_NONBLOCK
    // opening a FIFO would wait for a writer for good.
    const Descriptor file(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status = {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0)
        return failed(kCannotOpen);
    if (!S_ISREG(status.st_mode))
        return refuse(QStringLiteral("It is not a file of data but a folder, a device or a pipe."));
    if (status.st_size == 0)
        return refuse(QStringLiteral("The file is empty."));
    if (status.st_size > kMaxFileBytes)
        return refuse(QStringLiteral("The file is larger than %1 MB.").arg(kMaxFileBytes >> 20));
    stamp = stampFrom(status);

    // The headers first, enough to know the picture's type and size; a file
    // that is no picture is not read further. Large profiles or thumbnails
    // may come before a picture's size: then up to kMaxHeaderBytes are read.
    QByteArray data;
    QSize size;
    QByteArray format;
    for (const qint64 head : {qint64(256 * 1024), kMaxHeaderBytes}) {
        if (!readUpTo(file.fd, data, std::min<qint64>(head, status.st_size)))
            return failed(kCannotRead);
        QBuffer buffer(&data);
        buffer.open(QIODevice::ReadOnly);
        QImageReader reader(&buffer);
        reader.setAutoTransform(true);
        size = shownSize(reader);
        format = reader.format();
        if (size.isValid() || format.isEmpty() || data.size() == status.st_size)
            break;
    }
    ++m_filesRead;
    const qint64 pixels = qint64(size.width()) * size.height();
    if (format.isEmpty() && !pictureintegrity::ours(data))
        return refuse(QStringLiteral("It is not a BMP, JPEG or GIF picture."));
    if (!size.isValid())
        return refuse(QStringLiteral("The picture's size cannot be read: the file is damaged."));
    if (pixels > kMaxPixels)
        return refuse(QStringLiteral("The picture claims more than %1 million pixels.").arg(kMaxPixels / 1'000'000));

    // Image boxes stretch their picture, so each side is decoded at the
    // box's side or the file's, whichever is smaller.
    const bool whole = !bound.isValid() || (bound.width() >= size.width() && bound.height() >= size.height());
    const QSize target = whole ? size : size.boundedTo(bound);
    // What this decode holds at its peak, reserved before anything large is
    // read or allocated: the file's bytes, libjpeg's coefficients, the picture
    // as decoded (JPEG scales while decoding, up to twice the target each way;
    // the other formats decode whole) and the picture shown.
    const qint64 fileBytes = std::min<qint64>(status.st_size, kMaxHeaderBytes + pixels * kMaxBytesPerPixel);
    const qint64 coefficients = format == "jpeg" ? jpegCoefficientBytes(data) : 0;
    const qint64 shown = whole ? 0 : qint64(target.width()) * target.height() * 4;
    const qint64 decoded = format == "jpeg" && !whole ? std::min(4 * shown, pixels * 4) : pixels * 4;
    const qint64 needs = fileBytes + coefficients + decoded + shown;
    if (!m_budget.take(needs))
        return refuse(tooLargeForMemory());
    const Share share{m_budget, needs};
    if (!readUpTo(file.fd, data, fileBytes))
        return failed(kCannotRead);
    if (!pictureintegrity::complete(data))
        return refuse(QStringLiteral("The file ends before the picture does."));

    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly))
        return refuse(tooLargeForMemory());
    // The data is searched for the picture's type; its name is not trusted.
    QImageReader reader(&buffer);
    reader.setAutoTransform(true);
    if (shownSize(reader) != size)
        return refuse(QStringLiteral("The file changed while it was read."));
    QImage image;
    if (whole && !reader.read(&image))
        return refuse(unreadable(reader));
    if (whole)
        return image;
    if (use == Use::Screen && format == "jpeg" && (size.width() + 7) / 8 >= target.width()
        && (size.height() + 7) / 8 >= target.height()) {
        bool damaged = false;
        const QImage eighth = jpegeighth::decode(data, reader.transformation(), &damaged);
        if (damaged)
            return refuse(QStringLiteral("The picture's data is damaged.")); // libjpeg would fill it with grey
        if (!eighth.isNull())
            return eighth.size() == target ? eighth
                                           : eighth.scaled(target, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    reader.setScaledSize(target);
    if (!reader.read(&image))
        return refuse(unreadable(reader));
    return image;
}

QImage QtPictureLoader::load(const QString &file, QSize bound, Use use)
{
    const QString path = shortnames::longForm(file);
    // The file is looked at at every display; a picture decoded ahead is
    // shown only while the file is the one it was decoded from.
    const std::optional<Stamp> stamp = stampOf(path);
    if (!stamp) {
        remember(file, systemFailure(kCannotOpen));
        return {};
    }
    const Request request{file, bound, use};
    {
        const std::lock_guard lock(m_mutex);
        for (const Held &held : std::as_const(m_held))
            if (held.request == request && held.stamp == *stamp)
                return held.image;
    }
    return readAndHold(request, path);
}

QImage QtPictureLoader::readAndHold(const Request &request, const QString &path)
{
    {
        const std::lock_guard lock(m_mutex);
        m_decoding.append(request);
    }
    QImage image;
    Stamp stamp; // of the file as it was read
    QString why;
    try {
        image = decode(path, request.bound, request.use, stamp, why);
    } catch (...) {
        const std::lock_guard lock(m_mutex);
        m_decoding.removeOne(request);
        throw;
    }
    remember(request.file, why);
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
            remember(request.file, tooLargeForMemory());
            return QImage(); // one picture too large for memory is a missing picture
        }
    });
}

void QtPictureLoader::remember(const QString &file, const QString &why)
{
    // A reason is asked for only after a failure, which always leaves its
    // own; a success is not recorded, since a look-ahead that read the file
    // just before it went may end after the failure being told.
    if (why.isEmpty())
        return;
    const std::lock_guard lock(m_mutex);
    // Only the board's files are asked about; a long session of other
    // boards does not make this grow without end.
    if (m_why.size() >= kMaxReasons)
        m_why.clear();
    m_why.insert(file, why);
}

QString QtPictureLoader::whyNot(const QString &file)
{
    const std::lock_guard lock(m_mutex);
    return m_why.value(file);
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
    try {
        readAndHold(request, shortnames::longForm(request.file));
    } catch (const std::bad_alloc &) {
        // read again, and found missing, when the page is shown
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
