// page_flip [work directory]
//
// Makes a board of 540 photographs (4000 x 3000 JPEGs with photographic
// detail, hard links to a dozen distinct files), one of the same photographs
// as progressive JPEGs (half by ImageMagick, half by jpegtran with the DC
// split per component) and one of 540 small ones (640 x 480). Pages each
// through all 60 pages and back in the real main window, as fast as it can,
// then once more with a dwell: 300 ms on each page before the next flip, as a
// person looking at the page, timing only the flip. Compares the time per
// flip with decoding the same nine pictures the plain way and with Qt's
// scaled decode of them shared out over the cores, measured in the same run,
// and gives each board's peak memory. The machine is shared, so the ratios
// are the figures to read, not the milliseconds. A work directory given is
// kept and reused.
#include "GeneratedBoard.h"
#include "support/FakePlatform.h"
#include "view/BeginOption.h"
#include "view/Form1.h"
#include "widgets/ImageBox.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImageReader>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QThread>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include <unistd.h>

namespace {
using namespace generatedboard;
constexpr int kDwellMs = 300;
constexpr int kDwellFlips = 20;

qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return -1;
}

QString resultText(const QDir &dir)
{
    QString text = dir.absolutePath();
    for (int scene = 1; scene <= kScenes; ++scene)
        text += QStringLiteral(" scene%1.jpg").arg(scene, 3, 10, QLatin1Char('0'));
    return text;
}

struct Figures
{
    double flipMs = 0, dwellFlipMs = 0, dwellWorstMs = 0, plainMs = 0, floorMs = 0;
    qint64 peakKiB = 0;
};

Figures measure(const QDir &dir)
{
    Figures figures;
    // Each board's own peak: the kernel starts the high-water mark afresh.
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
    clear.close();
    FakePlatform fake;
    auto form = std::make_unique<Form1>(fake.platform());
    form->start();
    fake.pictures.choose(resultText(dir));
    QTest::mouseClick(form->beginOption()->Command7, Qt::LeftButton);
    QApplication::processEvents();
    const QSize box = form->Image1[0]->size() * form->devicePixelRatio();

    QElapsedTimer timer;
    timer.start();
    int flips = 0;
    for (int page = 1; page < kScenes / 9; ++page, ++flips)
        QTest::mouseClick(form->Command4, Qt::LeftButton);
    for (int page = kScenes / 9; page > 1; --page, ++flips)
        QTest::mouseClick(form->Command5, Qt::LeftButton);
    figures.flipMs = double(timer.nsecsElapsed()) / 1e6 / flips;

    // With a dwell: the pages either side are decoded while the page shows.
    double dwellTotal = 0;
    for (int flip = 0; flip < kDwellFlips; ++flip) {
        QTest::qWait(kDwellMs);
        timer.restart();
        QTest::mouseClick(form->Command4, Qt::LeftButton);
        const double ms = double(timer.nsecsElapsed()) / 1e6;
        dwellTotal += ms;
        figures.dwellWorstMs = qMax(figures.dwellWorstMs, ms);
    }
    figures.dwellFlipMs = dwellTotal / kDwellFlips;
    if (!fake.messages.texts.isEmpty())
        std::fprintf(stderr, "unexpected message: %s\n", qPrintable(fake.messages.texts.first()));
    figures.peakKiB = statusKiB("VmHWM:");
    form.reset();

    QStringList nine;
    for (int scene = 1; scene <= 9; ++scene)
        nine << dir.filePath(QStringLiteral("scene%1.jpg").arg(scene, 3, 10, QLatin1Char('0')));

    // The plain way: each picture at its full size, one after the other, then
    // scaled to the box.
    timer.restart();
    for (const QString &file : nine) {
        const QImage full(file);
        const QImage shown = full.scaled(box, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        Q_UNUSED(shown);
    }
    figures.plainMs = double(timer.nsecsElapsed()) / 1e6;

    // Qt's scaled decode: the nine pictures, shared out over the cores.
    double scaledMs = 0;
    for (const QString &file : nine) {
        timer.restart();
        QImageReader reader(file);
        reader.setScaledSize(reader.size().boundedTo(box));
        const QImage shown = reader.read();
        scaledMs += double(timer.nsecsElapsed()) / 1e6;
    }
    figures.floorMs = scaledMs / qMax(1, QThread::idealThreadCount());
    std::printf("  box %dx%d px, %d flips\n", box.width(), box.height(), flips);
    return figures;
}

void report(const char *what, const Figures &f)
{
    std::printf("%s\n", what);
    std::printf("  our page flip              %8.1f ms\n", f.flipMs);
    std::printf("  our flip after a %d ms dwell %6.1f ms  (worst %.1f ms)\n", kDwellMs, f.dwellFlipMs, f.dwellWorstMs);
    std::printf("  plain way, 9 files         %8.1f ms  (ours is %.1fx faster)\n", f.plainMs, f.plainMs / f.flipMs);
    std::printf("  Qt's scaled decode, shared %8.1f ms  (ours is %.1fx faster)\n", f.floorMs, f.floorMs / f.flipMs);
    std::printf("  peak resident during our paging: %lld MB\n", f.peakKiB / 1024);
}
} // namespace

int main(int argc, char **argv)
{
    // The tests' 800 x 600 offscreen screen: a layout without the resolution alert.
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QV_SOURCE_DIR "/tests/support/screen-800x600.json");
    QApplication app(argc, argv);
    std::unique_ptr<QTemporaryDir> temporary;
    QString root;
    if (argc > 1) {
        root = QString::fromLocal8Bit(argv[1]);
    } else {
        temporary = std::make_unique<QTemporaryDir>();
        root = temporary->path();
    }
    QDir big(root), small(root), progressive(root);
    for (const char *name : {"big", "small", "progressive"})
        big.mkpath(QString::fromLatin1(name));
    big.cd(QStringLiteral("big"));
    small.cd(QStringLiteral("small"));
    progressive.cd(QStringLiteral("progressive"));
    QElapsedTimer timer;
    timer.start();
    if (!makeBoard(big, {4000, 3000}, QString()) || !makeBoard(small, {640, 480}, big.absolutePath(), Kind::Resized)
        || !makeBoard(progressive, {4000, 3000}, big.absolutePath(), Kind::Progressive)) {
        std::fprintf(stderr, "could not make the pictures (are ImageMagick's convert and jpegtran there?)\n");
        return 1;
    }
    const qint64 bytes = QFileInfo(big.filePath(QStringLiteral("distinct0.jpg"))).size();
    std::printf("pictures ready in %.0f s; a photograph is %.1f MB; %d cores\n", timer.elapsed() / 1000.0,
                bytes / 1048576.0, QThread::idealThreadCount());

    const Figures photographs = measure(big);
    report("540 photographs, 4000 x 3000:", photographs);
    const Figures progressives = measure(progressive);
    report("540 progressive photographs, 4000 x 3000:", progressives);
    const Figures smallOnes = measure(small);
    report("540 small pictures, 640 x 480:", smallOnes);
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average at the end: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
