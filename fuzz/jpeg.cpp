// A progressive JPEG made at 1/8 from its DC scans: any bytes give a picture
// no larger than the header claims, or none. The data's length picks the
// turn, so the turned paths are reached while the corpus stays plain JPEGs.
#include "pictures/JpegEighth.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const auto turn = QImageIOHandler::Transformations(int(size & 7));
    bool damaged = false;
    const QImage image = jpegeighth::decode(QByteArrayView(data, qsizetype(size)), turn, &damaged);
    if ((!image.isNull() && (damaged || image.width() > 8192 || image.height() > 8192)))
        std::abort();
    return 0;
}
