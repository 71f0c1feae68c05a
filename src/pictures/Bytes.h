#pragma once

#include <QByteArrayView>

// Numbers as picture files store them, read from untrusted data whose length
// the caller has checked.
namespace bytes {

inline uint byteAt(QByteArrayView data, qsizetype i) { return uchar(data.at(i)); }
// Big-endian, as JPEG stores its numbers.
inline uint be16(QByteArrayView data, qsizetype i) { return byteAt(data, i) << 8 | byteAt(data, i + 1); }

} // namespace bytes
