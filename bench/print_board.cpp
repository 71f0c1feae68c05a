// print_board [work directory]
//
// Prints a board of 540 photographs (4000 x 3000 JPEGs, page_flip's) in
// "Page Images + Scripts" to one PDF with the program's command line, and
// first a board of their first 54 alone; gives each one's time, processor
// time and peak memory (the program's own, as the kernel counts it) and the
// PDF's size a picture. In the same run it times Qt's own scaled decode
// (QImageReader::setScaledSize) of the same 540 files to their printed size
// (410 x 410, a 1965-twip box at 300 dpi), one after the other: the floor a
// plain loop would have; and the same decode shared out over every core, the
// floor no printing can beat on this machine under its present load. The
// machine may be shared, so the ratios and the processor times are the
// figures to read, with the load given beside them.
// A work directory given is kept and reused.
#include "GeneratedBoard.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QImageReader>
#include <QTemporaryDir>
#include <QThread>
#include <QtConcurrent/QtConcurrentMap>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <vector>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

extern char **environ;

namespace {
using namespace generatedboard;

double processorSeconds()
{
    timespec now = {};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return double(now.tv_sec) + double(now.tv_nsec) / 1e9;
}

QString loadAverage()
{
    double load[3] = {};
    return getloadavg(load, 3) == 3 ? QStringLiteral("%1 %2 %3").arg(load[0], 0, 'f', 2).arg(load[1], 0, 'f', 2).arg(load[2], 0, 'f', 2)
                                    : QStringLiteral("?");
}

struct Run
{
    int scenes = 0;
    double seconds = 0, processor = 0;
    qint64 peakKiB = 0, pdfBytes = 0;
    int status = -1;
};

double seconds(const timeval &t)
{
    return double(t.tv_sec) + double(t.tv_usec) / 1e6;
}

// The program itself, on the first `scenes` pictures.
Run print(const QDir &dir, int scenes)
{
    const QString pdf = dir.filePath(QStringLiteral("board%1.pdf").arg(scenes));
    std::vector<QByteArray> arguments{QV_PROGRAM, "--print-to-pdf", QFile::encodeName(pdf), "--page-size", "A4"};
    for (int scene = 1; scene <= scenes; ++scene)
        arguments.push_back(QFile::encodeName(dir.filePath(QStringLiteral("scene%1.jpg").arg(scene, 3, 10, QLatin1Char('0')))));
    std::vector<char *> argv;
    for (QByteArray &argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    Run run;
    run.scenes = scenes;
    QElapsedTimer timer;
    timer.start();
    pid_t child = 0;
    if (posix_spawn(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        return run;
    int status = 0;
    rusage usage = {};
    wait4(child, &status, 0, &usage);
    run.seconds = double(timer.nsecsElapsed()) / 1e9;
    run.processor = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    run.peakKiB = usage.ru_maxrss;
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.pdfBytes = QFileInfo(pdf).size();
    return run;
}
} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir temporary;
    QDir dir(argc > 1 ? QString::fromLocal8Bit(argv[1]) : temporary.path());
    dir.mkpath(QStringLiteral("."));
    if (!makeBoard(dir, {4000, 3000}, QString())) {
        std::fprintf(stderr, "could not make the pictures (is ImageMagick's convert there?)\n");
        return 1;
    }
    std::printf("%d cores; load average at the start %s\n", QThread::idealThreadCount(), qPrintable(loadAverage()));

    const Run small = print(dir, 54);
    const Run whole = print(dir, kScenes);

    // Qt's scaled decode of the same files to their printed size, one after
    // the other, then on every core at once.
    QStringList files;
    for (int scene = 1; scene <= kScenes; ++scene)
        files << dir.filePath(QStringLiteral("scene%1.jpg").arg(scene, 3, 10, QLatin1Char('0')));
    const auto decode = [](const QString &file) {
        QImageReader reader(file);
        reader.setScaledSize(QSize(410, 410));
        if (reader.read().isNull())
            std::fprintf(stderr, "%s did not decode\n", qPrintable(file));
    };
    QElapsedTimer timer;
    timer.start();
    const double processor = processorSeconds();
    for (const QString &file : std::as_const(files))
        decode(file);
    const double decodeSeconds = double(timer.nsecsElapsed()) / 1e9, decodeProcessor = processorSeconds() - processor;
    timer.restart();
    QtConcurrent::blockingMap(files, decode);
    const double sharedSeconds = double(timer.nsecsElapsed()) / 1e9;

    for (const Run &run : {small, whole})
        std::printf("print %3d pictures %6.1f s (processor %6.1f s), peak resident %4lld MB, PDF %5.1f MB = %4.1f KB a picture, "
                    "exit %d\n",
                    run.scenes, run.seconds, run.processor, run.peakKiB / 1024, run.pdfBytes / 1048576.0,
                    run.pdfBytes / 1024.0 / run.scenes, run.status);
    std::printf("Qt's scaled decode, 540 one after the other: %6.1f s (processor %6.1f s)\n", decodeSeconds, decodeProcessor);
    std::printf("Qt's scaled decode, 540 on every core at once:  %6.1f s\n", sharedSeconds);
    std::printf("printing 540 takes %.2fx that decode's time (target at most 0.60x), %.2fx the decode on every core\n",
                whole.seconds / decodeSeconds, whole.seconds / sharedSeconds);
    std::printf("peak for 540 is %.2fx the peak for 54 (target at most 1.20x); under 250 MB: %s\n",
                double(whole.peakKiB) / double(small.peakKiB), whole.peakKiB < 250 * 1024 ? "yes" : "no");
    std::printf("load average at the end %s\n", qPrintable(loadAverage()));
    return 0;
}
