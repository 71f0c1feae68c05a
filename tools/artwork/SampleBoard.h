#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

// The sample board: numbered frames of a small story, a walk from one house
// to another through a day, in the picture formats the program opens.
namespace artwork::samples {

inline constexpr int kFrames = 24;

// frame01.jpg, frame02.BMP, ...: the formats and the case of the extension
// take turns, so every form appears.
QString fileName(int number);

// Frame 1..kFrames, 320 x 240, in full colour.
QImage frame(int number);

// Writes the frame to path in the format of its extension. Bitmaps come at
// 24, 8, 4 and 1 bits per pixel, GIFs have 256 colours.
bool write(const QImage &frame, int number, const QString &path);

} // namespace artwork::samples
