#pragma once

// Boards of generated photographs for the benchmarks: a dozen distinct
// pictures made by ImageMagick (or jpegtran), then 540 names linked to them.
#include <QDir>
#include <QFile>
#include <QList>
#include <QProcess>
#include <QSize>
#include <QStringList>

#include <cstdio>
#include <memory>

#include <unistd.h>

namespace generatedboard {

constexpr int kDistinct = 12;
constexpr int kScenes = 540;

// Runs the commands two at a time: the machine has few cores to share.
inline bool runAll(const QList<QStringList> &commands)
{
    QList<std::shared_ptr<QProcess>> running;
    qsizetype next = 0;
    while (next < commands.size() || !running.isEmpty()) {
        while (running.size() < 2 && next < commands.size()) {
            auto process = std::make_shared<QProcess>();
            QStringList arguments = commands.at(next++);
            const QString program = arguments.takeFirst();
            process->start(program, arguments);
            if (!process->waitForStarted())
                return false;
            running << process;
        }
        running.first()->waitForFinished(-1);
        if (running.first()->exitCode() != 0) {
            std::fprintf(stderr, "%s\n", running.first()->readAllStandardError().constData());
            return false;
        }
        running.removeFirst();
    }
    return true;
}

enum class Kind { Photograph, Resized, Progressive };

// A dozen distinct pictures, then 540 names linked to them: scene001.jpg
// to scene540.jpg. Photographs: 4000 x 3000 with photographic detail and
// noise; Resized: those of `distinctFrom` at `size`; Progressive: those of
// `distinctFrom` as progressive JPEGs. Files already there are kept.
inline bool makeBoard(const QDir &dir, QSize size, const QString &distinctFrom, Kind kind = Kind::Photograph)
{
    const QString splitDc = dir.filePath(QStringLiteral("split-dc.txt"));
    QFile script(splitDc);
    if (kind == Kind::Progressive
        && !(script.open(QIODevice::WriteOnly)
             && script.write("0: 0-0, 0, 0; 1: 0-0, 0, 0; 2: 0-0, 0, 0;\n0: 1-5, 0, 0; 1: 1-63, 0, 0; 2: 1-63, 0, 0;\n"
                             "0: 6-63, 0, 0;\n") > 0))
        return false;
    script.close();
    QList<QStringList> commands;
    for (int i = 0; i < kDistinct; ++i) {
        const QString file = dir.filePath(QStringLiteral("distinct%1.jpg").arg(i));
        if (QFile::exists(file))
            continue;
        const QString geometry = QStringLiteral("%1x%2").arg(size.width()).arg(size.height());
        const QString from = QDir(distinctFrom).filePath(QStringLiteral("distinct%1.jpg").arg(i));
        if (kind == Kind::Progressive && i % 2)
            commands << QStringList{"jpegtran", "-scans", splitDc, "-outfile", file, from};
        else if (kind == Kind::Progressive)
            commands << QStringList{"convert", from, "-interlace", "JPEG", "-quality", "90", file};
        else if (distinctFrom.isEmpty())
            commands << QStringList{"convert", "-seed", QString::number(17 + i), "-size", geometry, "plasma:fractal",
                                    "-blur", "0x1", "-attenuate", "0.12", "+noise", "Gaussian", "-quality", "90", file};
        else
            commands << QStringList{"convert", from, "-resize", geometry + "!", "-quality", "90", file};
    }
    if (!runAll(commands))
        return false;
    for (int scene = 1; scene <= kScenes; ++scene) {
        const QString name = dir.filePath(QStringLiteral("scene%1.jpg").arg(scene, 3, 10, QLatin1Char('0')));
        const QString target = dir.filePath(QStringLiteral("distinct%1.jpg").arg(scene % kDistinct));
        if (!QFile::exists(name) && ::link(QFile::encodeName(target).constData(), QFile::encodeName(name).constData()) != 0)
            return false;
    }
    return true;
}

} // namespace generatedboard
