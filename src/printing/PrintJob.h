#pragma once

#include "printing/PrintPlan.h"
#include "printing/PrintSheets.h"

#include <QFuture>
#include <QList>
#include <QThreadPool>

#include <memory>

class PictureLoader;
class QPageLayout;
class QPagedPaintDevice;
class QPdfWriter;
class QPrinter;
class SheetPrinter;

namespace atomicfile {
class Writer;
} // namespace atomicfile

// One print job: the pages a printer choice asks for, sent one board page at
// a time. The page shown when the print dialogue opened prints from the
// sheets filled then; every other board page is filled from the board, its
// pictures decoded at print size on every core while the board page before
// it prints, never more than one board page ahead, so memory stays the same
// whatever the board's size. A PDF is written to a hidden file beside the
// one chosen and put in its place whole at the end: a job stopped early or
// failed leaves no file of that name, and an older one stays as it was.
class PrintJob
{
public:
    PrintJob(const QList<printplan::Page> &pages, BoardSnapshot board, const PrintSheets &current,
             PictureLoader &loader);
    ~PrintJob();
    PrintJob(const PrintJob &) = delete;
    PrintJob &operator=(const PrintJob &) = delete;

    // Starts the job on a printer; false when it cannot.
    bool begin(QPrinter &printer);
    // Starts it into a PDF file with this paper, margins and resolution;
    // false when the file cannot be made.
    bool begin(const QString &pdfFile, const QPageLayout &layout, int resolution);

    // Board pages in the order they print; one printed again for another
    // copy counts again.
    int steps() const { return int(m_steps.size()); }
    int stepsDone() const { return m_done; }
    bool atEnd() const { return m_done >= steps(); }
    // Finished once the next board page's pictures are decoded, so that
    // printNext() will not wait for them.
    QFuture<void> nextReady() const;
    // Prints the next board page's sheets. False when the printer or the
    // file failed: nothing more can be printed.
    bool printNext();
    // After the last page: sends the printer's job, or puts the PDF in place.
    bool finish();

    // The file could not be written (a PDF): what failed is the saving, and
    // why, in a line, when that is known.
    bool writeFailed() const { return m_writeFailed; }
    QString writeFailure() const { return m_why; }
    // The PDF took its name, but the disk did not confirm the folder's
    // change: printed, though the name may not survive a power cut (why: in
    // writeFailure()).
    bool unconfirmed() const { return m_unconfirmed; }
    // A picture file could not be read since the board was loaded: the
    // blank scene picture stands in for it.
    bool missedPictures() const { return !m_missed.isEmpty(); }
    // The first such file's name and why it gave no picture, when known.
    QString missedReason() const;

private:
    struct Step
    {
        int boardPage = 1;
        QList<PrintSheets::Id> sheets;
        QFuture<QList<QImage>> pictures; // of a board page filled here
    };

    bool start(QPagedPaintDevice &device);
    void decode(int step);
    bool printed(const Sheet &sheet);
    void failWrite();

    QList<Step> m_steps;
    int m_done = 0;
    BoardSnapshot m_board;
    PrintSheets m_current; // as the dialogue filled them when it opened
    PrintSheets m_page;    // any other board page, filled in turn
    PictureLoader &m_loader;
    QString m_missed; // the first picture file missed
    bool m_writeFailed = false;
    bool m_unconfirmed = false;
    QString m_why;

    // Destroyed in reverse: the painter ends before the PDF writer goes,
    // which goes before its file does.
    std::unique_ptr<atomicfile::Writer> m_file;
    std::unique_ptr<QPdfWriter> m_pdf;
    std::unique_ptr<SheetPrinter> m_printer;
    // Decoding runs here; the loader spreads it over every core.
    QThreadPool m_decoding;
};
