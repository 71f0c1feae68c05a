#include "platform/QtPrinterDialog.h"

#include "platform/QtDialogOwner.h"

#include <QPrintDialog>

PrinterDialog::Choice PrinterDialog::Choice::of(std::unique_ptr<QPrinter> printer)
{
    Choice choice;
    choice.copies = printer->copyCount();
    if (printer->printRange() == QPrinter::PageRange) {
        choice.fromPage = printer->fromPage();
        choice.toPage = printer->toPage();
    }
    choice.reverse = printer->pageOrder() == QPrinter::LastPageFirst;
    choice.collate = printer->collateCopies();
    // Were the printer to apply them too, they would count twice.
    printer->setCopyCount(1);
    printer->setPageOrder(QPrinter::FirstPageFirst);
    printer->setPrintRange(QPrinter::AllPages);
    choice.printer = std::move(printer);
    return choice;
}

PrinterDialog::Choice QtPrinterDialog::choosePrinter(QWidget *parent, int pages)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    qtdialogs::own(&dialog, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    // Without this the dialogue still offers "Pages from ... to" and hands
    // the range to the print server, which would count every copy's pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return Choice::of(std::move(printer));
}
