#include "printing/PrintJob.h"

#include "files/AtomicFile.h"
#include "interfaces/PictureLoader.h"
#include "printing/SheetPrinter.h"

#include <QPageLayout>
#include <QPdfWriter>
#include <QPrinter>
#include <QtConcurrent/QtConcurrentRun>

PrintJob::PrintJob(const QList<printplan::Page> &pages, BoardSnapshot board, const PrintSheets &current,
                   PictureLoader &loader)
    : m_board(std::move(board))
    , m_current(current)
    , m_loader(loader)
{
    // Sheets of one board page in a row print as one step.
    for (const printplan::Page &page : pages) {
        if (m_steps.isEmpty() || m_steps.last().boardPage != page.boardPage)
            m_steps.append(Step{page.boardPage, {}, {}});
        m_steps.last().sheets.append(page.sheet);
    }
    m_page.setPictureBorders(m_board.borders);
    m_decoding.setMaxThreadCount(1);
}

PrintJob::~PrintJob()
{
    // A decode under way reads files the job names: it ends first.
    m_decoding.waitForDone();
}

bool PrintJob::begin(QPrinter &printer)
{
    return start(printer);
}

bool PrintJob::begin(const QString &pdfFile, const QPageLayout &layout, int resolution)
{
    m_file = std::make_unique<atomicfile::Writer>(pdfFile);
    if (!m_file->isOpen()) {
        m_writeFailed = true;
        m_why = m_file->why();
        return false;
    }
    m_pdf = std::make_unique<QPdfWriter>(m_file->device());
    m_pdf->setCreator(QStringLiteral("Quorvadine"));
    m_pdf->setResolution(resolution);
    m_pdf->setPageLayout(layout);
    return start(*m_pdf);
}

bool PrintJob::start(QPagedPaintDevice &device)
{
    m_printer = std::make_unique<SheetPrinter>(device);
    if (!m_printer->begin())
        return false;
    decode(0);
    return true;
}

void PrintJob::decode(int step)
{
    if (step >= steps())
        return;
    Step &s = m_steps[step];
    if (s.boardPage == m_board.currentPage || !s.sheets.contains(PrintSheets::Id::AllPictures))
        return; // no pictures to decode
    PictureLoader *loader = &m_loader;
    const QList<PictureLoader::Request> requests = PrintSheets::pageRequests(m_board, s.boardPage);
    s.pictures = QtConcurrent::run(&m_decoding, [loader, requests] { return loader->loadAll(requests); });
}

QFuture<void> PrintJob::nextReady() const
{
    return atEnd() ? QFuture<void>() : QFuture<void>(m_steps.at(m_done).pictures);
}

bool PrintJob::printNext()
{
    if (atEnd() || !m_printer)
        return false;
    Step &step = m_steps[m_done];
    const bool current = step.boardPage == m_board.currentPage;
    if (!current) {
        const QList<QImage> pictures = step.pictures.isValid() ? step.pictures.result() : QList<QImage>();
        step.pictures = {};
        m_page.fillPage(m_board, step.boardPage, pictures);
    }
    // The next board page decodes while this one prints.
    decode(m_done + 1);
    ++m_done;
    for (const PrintSheets::Id id : std::as_const(step.sheets)) {
        if (!printed((current ? m_current : m_page).sheet(id)))
            return false;
    }
    return true;
}

bool PrintJob::printed(const Sheet &sheet)
{
    for (const SheetItem &item : sheet.items) {
        if (m_missed.isEmpty())
            m_missed = item.missedFile;
    }
    const bool sent = m_printer->print(sheet);
    // A full disk shows at once: nothing more is printed into that file.
    if (m_file && m_file->failed() && !m_writeFailed)
        failWrite();
    return sent && !m_writeFailed;
}

void PrintJob::failWrite()
{
    m_writeFailed = true;
    // The PDF writer's last bytes go nowhere; then putting the file in place
    // fails, says why, and removes it.
    m_printer->end();
    m_file->commit();
    m_why = m_file->why();
}

QString PrintJob::missedReason() const
{
    return m_loader.whyNotLine(m_missed);
}

bool PrintJob::finish()
{
    if (!m_printer || !atEnd())
        return false;
    const bool ended = m_printer->end();
    if (!m_file)
        return ended;
    if (!ended || !m_file->commit()) {
        m_unconfirmed = ended && m_file->replaced();
        m_writeFailed = !m_unconfirmed;
        m_why = m_file->why();
    }
    return !m_writeFailed;
}
