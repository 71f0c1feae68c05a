#pragma once

#include <QPrinter>

#include <memory>

class QWidget;

// The printer dialogue. Cancelling it is a failure: the caller gets no
// printer and prints nothing.
class PrinterDialog
{
public:
    struct Choice
    {
        std::unique_ptr<QPrinter> printer; // null: cancelled or failed
        int copies = 0;                    // as the user asked; the printer itself is left at its own count
    };

    virtual ~PrinterDialog() = default;
    virtual Choice choosePrinter(QWidget *parent) = 0;
};
