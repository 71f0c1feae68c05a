// A progressive JPEG made at 1/8 from its DC scans: any bytes give a picture
// no larger than the header claims, or none. The first byte picks the turn,
// so the turned paths are reached too.
#include "platform/JpegEighth.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 1)
        return 0;
    const auto turn = QImageIOHandler::Transformations(data[0] & 7);
    const QByteArrayView file(data + 1, qsizetype(size - 1));
    const QImage image = jpegeighth::decode(file, turn);
    if (!image.isNull() && qint64(image.width()) * image.height() > 8192LL * 8192)
        std::abort();
    return 0;
}
