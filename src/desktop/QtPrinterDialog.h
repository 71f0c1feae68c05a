#pragma once

#include "interfaces/PrinterDialog.h"

// QPrintDialog: the installed printers and printing to a PDF file.
class QtPrinterDialog : public PrinterDialog
{
public:
    Choice choosePrinter(QWidget *parent, int pages, bool currentPage) override;
};
