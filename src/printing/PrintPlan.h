#pragma once

#include "printing/PrintSheets.h"

#include <QList>

// Which sheets a print job sends, and in what order: a page mode's document
// is the whole board, board page after board page, each giving the mode's
// sheets in the mode's order.
namespace printplan {

struct Page
{
    int boardPage = 1; // from 1
    PrintSheets::Id sheet = PrintSheets::Id::FromForm;
    friend bool operator==(const Page &, const Page &) = default;
};

// The sheets mode `mode` (0..5) prints for board page `page`.
QList<Page> boardPage(int mode, int page);
// Every board page's sheets, page 1 first.
QList<Page> document(int mode, int boardPages);
// The printer dialogue's range of `pages`, from 1: from 0 (or to before
// from) means all of them.
QList<Page> range(const QList<Page> &pages, int from, int to);
// What is sent for `copies` copies of `pages`, last page first when
// reversed: collated, whole copies one after the other; otherwise each page
// `copies` times in a row.
QList<Page> copied(QList<Page> pages, int copies, bool collate, bool reverse);

} // namespace printplan
