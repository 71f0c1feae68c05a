#include "GifWriter.h"

#include <QFile>

#include <gif_lib.h>

namespace artwork {

bool writeGif(const QImage &indexed, const QString &path)
{
    if (indexed.format() != QImage::Format_Indexed8 || indexed.colorCount() < 1
        || indexed.colorCount() > 256)
        return false;

    // giflib takes colour tables of a power of two entries only.
    int tableSize = 2;
    while (tableSize < indexed.colorCount())
        tableSize *= 2;
    ColorMapObject *map = GifMakeMapObject(tableSize, nullptr);
    if (!map)
        return false;
    for (int i = 0; i < tableSize; ++i) {
        const QRgb c = i < indexed.colorCount() ? indexed.color(i) : qRgb(0, 0, 0);
        map->Colors[i] = GifColorType{GifByteType(qRed(c)), GifByteType(qGreen(c)), GifByteType(qBlue(c))};
    }

    int error = 0;
    GifFileType *gif = EGifOpenFileName(QFile::encodeName(path).constData(), false, &error);
    bool ok = gif && EGifPutScreenDesc(gif, indexed.width(), indexed.height(), 8, 0, map) == GIF_OK
              && EGifPutImageDesc(gif, 0, 0, indexed.width(), indexed.height(), false, nullptr) == GIF_OK;
    GifFreeMapObject(map);
    // giflib masks the pixels of a line in place: it gets lines of a copy.
    QImage lines = indexed;
    for (int y = 0; ok && y < lines.height(); ++y)
        ok = EGifPutLine(gif, lines.scanLine(y), lines.width()) == GIF_OK;
    if (gif)
        ok = EGifCloseFile(gif, &error) == GIF_OK && ok;
    return ok;
}

} // namespace artwork
