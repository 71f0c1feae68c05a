#pragma once

#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QImageWriter>

// Picture files for tests, made on the spot: whole ones in each format and
// the broken kinds a user's disk can hold.
namespace testpictures {

// Qt reads GIF but cannot write it: a one-pixel blue GIF, byte by byte.
inline QByteArray blueGif()
{
    static const char bytes[] = "GIF89a\x01\x00\x01\x00\x80\x00\x00\x00\x00\xFF\xFF\xFF\xFF"
                                "\x2C\x00\x00\x00\x00\x01\x00\x01\x00\x00\x02\x02\x44\x01\x00\x3B";
    return QByteArray(bytes, sizeof bytes - 1);
}

// A picture with some detail, so that a JPEG of it is not almost empty.
inline QImage detailed(QSize size, QColor colour)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixelColor(x, y, QColor((colour.red() + x * 7 % 31) % 256, (colour.green() + y * 5 % 29) % 256,
                                             (colour.blue() + (x ^ y) % 23) % 256));
    return image;
}

inline QByteArray encoded(const QImage &image, const char *format, bool progressive = false,
                          QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone)
{
    QByteArray data;
    QBuffer buffer(&data);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setProgressiveScanWrite(progressive);
    writer.setTransformation(turn);
    writer.write(image);
    return data;
}

inline bool write(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

inline QByteArray read(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A whole picture of the file's type (by its extension), mostly `colour`.
inline bool writePicture(const QString &path, QColor colour = Qt::blue, QSize size = {40, 30})
{
    if (path.endsWith(QLatin1String(".gif"), Qt::CaseInsensitive))
        return write(path, blueGif());
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    const bool bmp = path.endsWith(QLatin1String(".bmp"), Qt::CaseInsensitive);
    return write(path, encoded(image, bmp ? "BMP" : "JPG"));
}

// A header that claims 60000 x 60000 pixels over a few bytes of data ("JPG", "BMP" or "GIF").
inline QByteArray bomb(const QByteArray &format)
{
    QByteArray data = format == "GIF" ? blueGif() : encoded(detailed({16, 16}, Qt::red), format.constData());
    if (format == "JPG")
        return data.replace(data.indexOf("\xFF\xC0") + 5, 4, "\xEA\x60\xEA\x60"); // big-endian
    // Little-endian; a GIF's image inside it, too.
    for (const qsizetype at : format == "BMP" ? QList<qsizetype>{18, 22} : QList<qsizetype>{6, 8, 24, 26})
        data.replace(at, 2, "\x60\xEA");
    return data;
}

} // namespace testpictures
