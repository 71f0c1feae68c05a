#pragma once

#include <QFileInfo>
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
    // A screen may get a picture made from a progressive JPEG's first scans
    // when they hold enough detail for its size; a print always decodes the
    // whole file.
    enum class Use { Screen, Print };

    struct Request
    {
        QString file;
        QSize bound;
        Use use = Use::Screen;
        friend bool operator==(const Request &, const Request &) = default;
    };

    virtual ~PictureLoader() = default;
    virtual QImage load(const QString &file, QSize bound, Use use = Use::Screen) = 0;
    // Decodes all requests, in parallel where it can; results in request order.
    virtual QList<QImage> loadAll(const QList<Request> &requests)
    {
        QList<QImage> images;
        images.reserve(requests.size());
        for (const Request &request : requests)
            images.append(load(request.file, request.bound, request.use));
        return images;
    }
    // The pictures of the page shown and of the pages either side of it, in
    // the order they are likely wanted: a loader may decode them ahead in the
    // background and hold them, and drops whatever is no longer among them.
    virtual void lookAhead(const QList<Request> &keep) { Q_UNUSED(keep); }
    // Why the last load of `file` gave no picture, one sentence for the user
    // (a broken file is told from an unsupported one); empty when not known.
    virtual QString whyNot(const QString &file) { Q_UNUSED(file); return {}; }
    // The same after the file's name, as a message's second line.
    QString whyNotLine(const QString &file)
    {
        const QString why = file.isEmpty() ? QString() : whyNot(file);
        return why.isEmpty() ? why : QFileInfo(file).fileName() + QLatin1String(": ") + why;
    }
};
