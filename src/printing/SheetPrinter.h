#pragma once

#include "printing/Sheet.h"

#include <QPainter>
#include <QSizeF>

class QPagedPaintDevice;

// Turns sheets into printed pages: one print job, one page per sheet, each
// drawn from the top left of the printable area at 1440 twips to the inch.
// A sheet larger than the printable area is shrunk, uniformly and only as
// much as needed, so nothing on it is lost. The device is a printer or a
// PDF writer.
class SheetPrinter
{
public:
    explicit SheetPrinter(QPagedPaintDevice &device);
    ~SheetPrinter();

    // False when the printer cannot start the job.
    bool begin();
    // One sheet as one page; false when the printer failed.
    bool print(const Sheet &sheet);
    // Ends the job; false when the printer reports a failure.
    bool end();

    // Printable area of the device's page, in twips.
    QSizeF printableTwips() const;

    // 1 when the sheet fits the area, otherwise the factor that makes it fit.
    static double fitScale(const Sheet &sheet, QSizeF areaTwips);

    // Draws a sheet with its top left at the painter's origin, `devicePerTwip`
    // device pixels to the twip. Shared by the printer and by pictures of pages.
    static void render(QPainter &painter, const Sheet &sheet, double devicePerTwip);

private:
    QPagedPaintDevice &m_device;
    QPainter m_painter;
    int m_pages = 0;
};
