#pragma once

#include "platform/PictureLoader.h"

// Decodes BMP, JPEG and GIF files with QImageReader at no more than the size
// they are shown at, several at once on a worker pool.
class QtPictureLoader : public PictureLoader
{
public:
    // Pictures claiming more pixels than this are refused as broken
    // (a decompression bomb) before anything is allocated.
    static constexpr qint64 kMaxPixels = 200'000'000;

    QImage load(const QString &file, QSize bound) override;
    QList<QImage> loadAll(const QList<Request> &requests) override;
};
