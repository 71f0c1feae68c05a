#pragma once

#include "platform/PictureLoader.h"

#include <QThreadPool>

// Decodes BMP, JPEG and GIF files with QImageReader at no more than the size
// they are shown at, several at once on a worker pool of its own.
class QtPictureLoader : public PictureLoader
{
public:
    // Pictures claiming more pixels than this are refused as broken (a
    // decompression bomb) before anything is allocated: a 100 megapixel
    // picture is larger than any camera's, and a progressive JPEG needs about
    // three bytes a pixel while it decodes, whatever size it is shown at.
    static constexpr qint64 kMaxPixels = 100'000'000;
    // A picture file is read whole once, for its checks and its decoder.
    static constexpr qint64 kMaxFileBytes = 256 * 1024 * 1024;

    QtPictureLoader();

    QImage load(const QString &file, QSize bound) override;
    QList<QImage> loadAll(const QList<Request> &requests) override;

    int threadCount() const { return m_pool.maxThreadCount(); }

private:
    // Decoding is CPU-bound (the files are usually in the page cache), so one
    // thread a core; a pool of its own so that other users of the global
    // pool never hold back a page display, nor it them.
    QThreadPool m_pool;
};
