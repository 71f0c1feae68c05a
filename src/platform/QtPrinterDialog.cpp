#include "platform/QtPrinterDialog.h"

#include "platform/QtDialogOwner.h"

#include <QPrintDialog>

PrinterDialog::Choice QtPrinterDialog::choosePrinter(QWidget *parent)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    QPrintDialog dialog(printer.get(), parent);
    qtdialogs::own(&dialog, parent);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, false);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const int copies = printer->copyCount();
    return {std::move(printer), copies};
}
