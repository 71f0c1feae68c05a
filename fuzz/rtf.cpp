// A script file's reader: any bytes give a text or a refusal with its reason,
// never a crash, a read outside them or a text with characters no entry can
// hold; a text it gives, our writer stores and the reader gives back unchanged.
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const rtf::ReadResult result = rtf::read(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)));
    if (result.ok != result.error.isEmpty() || (!result.ok && !result.text.isEmpty()))
        std::abort();
    if (!QStringView(result.text).isValidUtf16())
        std::abort();
    for (const QChar c : result.text)
        if (c.unicode() < 0x20 && c != u'\n' && c != u'\t')
            std::abort();
    if (result.ok && rtf::read(rtf::write(result.text)).text != result.text)
        std::abort();
    return 0;
}
