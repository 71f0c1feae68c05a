#include "desktop/LocalePaper.h"

#include <QSize>

#include <cstring>

#include <langinfo.h>

namespace paper {

QPageSize localeDefault()
{
#ifdef __GLIBC__
    // glibc gives the sizes in millimetres: a number kept in the first bytes
    // of the text pointer it returns.
    const auto millimetres = [](nl_item item) {
        const char *stored = nl_langinfo(item);
        unsigned int word = 0;
        std::memcpy(&word, &stored, sizeof word);
        return int(word);
    };
    const QSize size(millimetres(_NL_PAPER_WIDTH), millimetres(_NL_PAPER_HEIGHT));
    const QPageSize::PageSizeId id = QPageSize::id(QSizeF(size), QPageSize::Millimeter, QPageSize::FuzzyMatch);
    if (size.isValid() && id != QPageSize::Custom)
        return QPageSize(id);
#endif
    return QPageSize(QPageSize::A4);
}

} // namespace paper
