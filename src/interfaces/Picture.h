#pragma once

#include "resources/StoredBitmaps.h"

#include <QImage>
#include <QString>

// What an image box shows: the decoded image plus where it came from, so a
// window that shows the same scene larger (preview, close-up, print) can
// decode the file again at its own size instead of enlarging a thumbnail.
struct Picture
{
    QImage image;
    QString file;      // the picture file as the board names it; empty for a stored bitmap
    int resource = 0;  // stored bitmap number; 0 for a file

    bool isNull() const { return image.isNull(); }
    friend bool operator==(const Picture &a, const Picture &b)
    {
        return a.file == b.file && a.resource == b.resource && a.image.cacheKey() == b.image.cacheKey();
    }
};

// A stored bitmap as an image box shows it: the picture with its number.
inline Picture storedPicture(int number) { return Picture{resources::storedBitmap(number), QString(), number}; }
