#pragma once

#include "interfaces/PictureLoader.h"
#include "pictures/MemoryBudget.h"
#include "pictures/PictureLimits.h"

#include <QHash>
#include <QThreadPool>

#include <atomic>
#include <mutex>

// Decodes BMP, JPEG and GIF files with QImageReader at no more than the size
// they are shown at, several at once on a worker pool of its own. Progressive
// JPEGs shown at 1/8 of their size or less are made from their DC scans.
class QtPictureLoader : public PictureLoader
{
public:
    static constexpr qint64 kMaxPixels = picturelimits::kMaxPixels;
    // A picture file is read once, for its checks and its decoder: no more
    // of it than this, nor than the picture can need (kMaxBytesPerPixel a
    // pixel, after kMaxHeaderBytes of headers, profiles and thumbnails).
    static constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;
    static constexpr qint64 kMaxHeaderBytes = 16 * 1024 * 1024;
    static constexpr qint64 kMaxBytesPerPixel = 8;
    // Three pages of nine: the page shown and one either side.
    static constexpr qsizetype kMaxHeld = 27;

    // `threads` decode at once (0: one a core), each taking what it holds at
    // its peak from `budget` first: a decode waits until its share is free, and
    // a picture needing more than the whole budget is refused.
    explicit QtPictureLoader(int threads = 0, MemoryBudget &budget = MemoryBudget::shared());
    ~QtPictureLoader() override;

    QImage load(const QString &file, QSize bound, Use use = Use::Screen) override;
    QList<QImage> loadAll(const QList<Request> &requests) override;
    void lookAhead(const QList<Request> &keep) override;
    QString whyNot(const QString &file) override;

    // For tests and the benchmark: the pictures held now, and how many files
    // have been read and decoded so far.
    QList<Request> held();
    qint64 filesRead() const { return m_filesRead.load(); }
    void waitForLookAhead() { m_ahead.waitForDone(); }

    // What identifies a file's contents without reading it: a picture held
    // is shown again only while its file's stamp is the same.
    struct Stamp
    {
        qint64 device = 0, inode = 0, size = 0, seconds = 0, nanoseconds = 0;
        friend bool operator==(const Stamp &, const Stamp &) = default;
    };

private:
    struct Held
    {
        Request request;
        Stamp stamp;
        QImage image;
    };

    // A null image, with `why` set, when the file gives no picture.
    QImage decode(const QString &path, QSize bound, Use use, Stamp &stamp, QString &why);
    void remember(const QString &file, const QString &why);
    static constexpr qsizetype kMaxReasons = 4096;
    // Reads the file and keeps the picture when the look-ahead wants it.
    QImage readAndHold(const Request &request, const QString &path);
    void decodeAhead(const Request &request);
    bool holds(const Request &request) const; // with m_mutex locked

    // Decoding is CPU-bound (the files are usually in the page cache), so one
    // thread a core; a pool of its own so that other users of the global
    // pool never hold back a page display, nor it them.
    QThreadPool m_pool;
    MemoryBudget &m_budget;
    std::mutex m_mutex; // guards the members below
    QList<Request> m_keep;
    QList<Request> m_decoding; // by the look-ahead, now
    QList<Held> m_held;
    QHash<QString, QString> m_why; // by file: why its last load gave no picture
    std::atomic<qint64> m_filesRead{0};
    // Decodes ahead at the lowest priority, so a user's own work (and a page
    // display) always comes first. Last, so it stops before the rest goes.
    QThreadPool m_ahead;
};
