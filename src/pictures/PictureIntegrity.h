#pragma once

#include <QByteArrayView>

// Qt's decoders accept a BMP, GIF or JPEG that ends early and fill the
// missing part with grey or black without reporting an error. A picture cut
// short (a copy that failed, a card pulled out) must show as missing instead,
// so the file's own structure is checked before it is decoded.
namespace pictureintegrity {

// A JPEG is whole when an end-of-image marker follows its first scan. The
// marker segments before the scan are walked, not searched: an embedded
// thumbnail carries an end marker of its own.
bool jpegComplete(QByteArrayView data);

// An uncompressed BMP is whole when the file holds every row its header
// claims; a compressed one when it holds the image size its header gives.
bool bmpComplete(QByteArrayView data);

// A GIF is whole when its blocks up to the end of its first image, the one
// shown, are all there.
bool gifComplete(QByteArrayView data);

// Dispatches on the data's signature; other formats are left to the decoder.
bool complete(QByteArrayView data);

// The data starts as a BMP, JPEG or GIF does, however broken the rest.
bool ours(QByteArrayView data);

} // namespace pictureintegrity
