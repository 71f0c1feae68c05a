// The check every picture file passes before it is decoded: any bytes give
// an answer, without reading outside them or overflowing.
#include "pictures/PictureIntegrity.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    pictureintegrity::complete(QByteArrayView(data, qsizetype(size)));
    return 0;
}
