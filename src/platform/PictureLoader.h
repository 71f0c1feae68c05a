#pragma once

#include <QImage>
#include <QList>
#include <QSize>
#include <QString>

// Reads picture files. A file that is missing, unreadable, not a picture,
// truncated, empty or absurdly large gives a null image: the caller takes its
// missing-picture path. `bound` is the size the picture is shown at, in device
// pixels; the decoder scales while it decodes, never above the file's size.
class PictureLoader
{
public:
    struct Request
    {
        QString file;
        QSize bound;
    };

    virtual ~PictureLoader() = default;
    virtual QImage load(const QString &file, QSize bound) = 0;
    // Decodes all requests, in parallel where it can; results in request order.
    virtual QList<QImage> loadAll(const QList<Request> &requests)
    {
        QList<QImage> images;
        images.reserve(requests.size());
        for (const Request &request : requests)
            images.append(load(request.file, request.bound));
        return images;
    }
};
