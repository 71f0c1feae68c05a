#include "desktop/QtPrinterDialog.h"

#include "desktop/LocalePaper.h"
#include "resources/Texts.h"

#include <QEvent>
#include <QPrintDialog>
#include <QPrinter>
#include <QScreen>

#include <algorithm>

namespace {
// "Options >>" grows the dialogue downwards; on a small screen that would
// take its Print and Cancel buttons below the bottom edge, so it moves up
// (and left) as far as it must to stay wholly on its screen.
class KeepOnScreen : public QObject
{
public:
    using QObject::QObject;
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        auto *dialog = static_cast<QWidget *>(watched);
        if (event->type() != QEvent::Resize || !dialog->isVisible() || !dialog->screen())
            return false;
        const QRect area = dialog->screen()->availableGeometry();
        QRect frame = dialog->frameGeometry();
        frame.moveRight(std::min(frame.right(), area.right()));
        frame.moveBottom(std::min(frame.bottom(), area.bottom()));
        frame.moveTopLeft(QPoint(std::max(frame.left(), area.left()), std::max(frame.top(), area.top())));
        if (frame.topLeft() != dialog->frameGeometry().topLeft())
            dialog->move(frame.topLeft());
        return false;
    }
};
} // namespace

PrinterDialog::Choice QtPrinterDialog::choosePrinter(QWidget *parent, int pages, bool currentPage)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setPageSize(paper::localeDefault());
    // The print job's title, and the name "Print to File" suggests.
    printer->setDocName(QString::fromUtf8(texts::kAppTitle));
    // Pressing Print at once prints what the design prints: the page shown.
    if (currentPage)
        printer->setPrintRange(QPrinter::CurrentPage);
    QPrintDialog dialog(printer.get(), parent ? parent->window() : nullptr);
    KeepOnScreen keepOnScreen;
    dialog.installEventFilter(&keepOnScreen);
    dialog.setOption(QAbstractPrintDialog::PrintSelection, false);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage, currentPage);
    // Without this the dialogue still offers "Pages from ... to" and hands
    // the range to the print server, which would count every copy's pages.
    dialog.setOption(QAbstractPrintDialog::PrintPageRange, true);
    dialog.setMinMax(1, pages);
    // "Pages from ... to" starts from the whole document.
    printer->setFromTo(1, pages);
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return Choice::of(std::move(printer));
}
