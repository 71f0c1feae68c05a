#pragma once

#include <memory>

class QPrinter;
class QWidget;

// The printer dialogue. Cancelling it is a failure: the caller gets no
// printer and prints nothing.
class PrinterDialog
{
public:
    // What the user chose. The caller prints every page itself, so the
    // printer is left making one copy, in order, of every page it is sent.
    struct Choice
    {
        std::unique_ptr<QPrinter> printer; // null: cancelled or failed
        int copies = 0;                    // as the user asked
        bool currentPage = false;          // "Current page": the page shown only
        int fromPage = 0, toPage = 0;      // pages of one copy, from 1; 0 and 0: all of them
        bool reverse = false;              // last page first
        bool collate = true;               // whole copies one after the other

        // Out of line, where QPrinter is complete, so this header needs no
        // printing module.
        Choice();
        ~Choice();
        Choice(Choice &&) noexcept;
        Choice &operator=(Choice &&) noexcept;

        // Reads the choices off a printer the dialogue was run on.
        static Choice of(std::unique_ptr<QPrinter> printer);
    };

    virtual ~PrinterDialog() = default;
    // `pages`: how many pages one copy of the document has, the most a page
    // range may ask for. `currentPage`: the document is more than the page
    // shown, and the dialogue offers "Current page" and opens with it chosen.
    virtual Choice choosePrinter(QWidget *parent, int pages, bool currentPage) = 0;
};
