#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QImageIOHandler>

// A progressive JPEG at 1/8 of its size, made from its DC scans alone.
//
// libjpeg cannot output a line of a progressive file before it has decoded
// every scan into a coefficient buffer of the whole picture (tens of MB for a
// photograph), even when it scales. At 1/8 only each 8 x 8 block's mean is
// needed, and that is its DC coefficient, carried by the first scans: a small
// part of the file, decoded here with one value per block.
namespace jpegeighth {

// The picture ceil(width / 8) x ceil(height / 8), turned by `turn` (the
// file's orientation) as Qt's reader turns it. A null image when the file is
// not one this reads (not progressive, arithmetic coding, not 8 bit, CMYK or
// RGB, an unusual sampling, a height given after the scan): the caller then
// decodes it the usual way. Also a null image, with `damaged` set, when it is
// one this reads but its structure or DC scans are broken or cut short:
// libjpeg would fill what is missing with grey, so the caller refuses it.
QImage decode(QByteArrayView data, QImageIOHandler::Transformations turn = QImageIOHandler::TransformationNone,
              bool *damaged = nullptr);

} // namespace jpegeighth
