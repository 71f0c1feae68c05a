#pragma once

#include <QImage>
#include <QString>

namespace artwork {

// Writes an indexed picture (Format_Indexed8, at most 256 colours) as a
// GIF89a file. Qt reads GIF but has no writer, so the sample board needs this.
bool writeGif(const QImage &indexed, const QString &path);

} // namespace artwork
