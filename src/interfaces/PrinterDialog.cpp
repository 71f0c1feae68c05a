#include "interfaces/PrinterDialog.h"

#include <QPrinter>

PrinterDialog::Choice::Choice() = default;
PrinterDialog::Choice::~Choice() = default;
PrinterDialog::Choice::Choice(Choice &&) noexcept = default;
PrinterDialog::Choice &PrinterDialog::Choice::operator=(Choice &&) noexcept = default;

PrinterDialog::Choice PrinterDialog::Choice::of(std::unique_ptr<QPrinter> printer)
{
    Choice choice;
    choice.copies = printer->copyCount();
    choice.currentPage = printer->printRange() == QPrinter::CurrentPage;
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
