#include "printing/PrintPlan.h"

#include "printing/PrintModes.h"

#include <algorithm>

namespace printplan {

QList<Page> boardPage(int mode, int page)
{
    QList<Page> pages;
    const printmodes::Mode &m = printmodes::kModes[std::clamp(mode, 0, 5)];
    for (int s = 0; s < m.sheetCount; ++s)
        pages.append({page, m.sheets[std::size_t(s)]});
    return pages;
}

QList<Page> document(int mode, int boardPages)
{
    QList<Page> pages;
    for (int page = 1; page <= boardPages; ++page)
        pages += boardPage(mode, page);
    return pages;
}

QList<Page> range(const QList<Page> &pages, int from, int to)
{
    if (from < 1 || to < from)
        return pages;
    return pages.mid(from - 1, to - from + 1);
}

QList<Page> copied(QList<Page> pages, int copies, bool collate, bool reverse)
{
    if (reverse)
        std::reverse(pages.begin(), pages.end());
    QList<Page> sent;
    for (qsizetype k = 0; k < copies * pages.size(); ++k)
        sent.append(collate ? pages.at(k % pages.size()) : pages.at(k / copies));
    return sent;
}

} // namespace printplan
