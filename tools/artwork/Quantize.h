#pragma once

#include <QImage>
#include <QList>

namespace artwork {

// Reduces an opaque picture to an indexed one of at most maxColours colours.
// A picture that already has few enough colours keeps them exactly; otherwise
// giflib's median cut picks the boxes, each entry being the most frequent colour
// of its box, so that flat grounds keep their exact colour.
QImage toIndexed(const QImage &picture, int maxColours);

// The palette that toIndexed(picture, maxColours) would use. Transparent
// pixels do not count, so a figure drawn alone gives the colours of the figure.
QList<QRgb> paletteOf(const QImage &picture, int maxColours);

// Maps every pixel to the nearest colour of the palette.
QImage toIndexed(const QImage &picture, const QList<QRgb> &palette);

// The same with a 4 x 4 ordered dither of the given strength (in colour
// steps), which turns soft gradients into a fine even pattern.
QImage toIndexedDithered(const QImage &picture, const QList<QRgb> &palette, int strength);

// Number of distinct colours among the opaque pixels of a picture.
int colourCount(const QImage &picture);

} // namespace artwork
