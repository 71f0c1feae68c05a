#pragma once

#include <QImage>
#include <QString>

namespace artwork {

// Writes an indexed picture (Format_Indexed8, at most 256 colours) as a GIF
// file through giflib: Qt reads GIF but has no writer.
bool writeGif(const QImage &indexed, const QString &path);

} // namespace artwork
