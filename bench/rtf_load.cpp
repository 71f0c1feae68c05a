// rtf_load [words of a shape's name]
//
// Loads crafted script files of 4 MB and 16 MB into the Script Editor with
// its "Load" button, as a user would: an ordinary document of ours, one that
// switches \ansicpg before every character, 20,000 fonts with text in the
// last, a font table and nothing else, and 16 MB of "~". For each it gives the
// time of the reader alone and of the whole Load, how the time grows from
// 4 MB to 16 MB (4.0x is linear) and how it compares with the ordinary
// document of the same size, measured in the same run, and the peak memory
// the Load added. Times are processor time, best of three: the machine is
// shared, and the ratios are the figures to read, not the milliseconds.
#include "scripts/RtfReader.h"
#include "scripts/ScriptEditor.h"
#include "support/BoardRig.h"
#include "support/CraftedFiles.h"
#include "support/FakePlatform.h"
#include "view/Form1.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <cstdlib>
#include <ctime>

namespace {
using support::RtfShape;

// Processor time of the whole process in ms: what loading costs on one core,
// whatever else the machine is doing.
double cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

struct Figures
{
    double readMs = 0, loadMs = 0;
    qint64 addedKiB = 0;
    int entries = 0;
    int messages = 0;
};

// The best of three for the times; the memory of the last Load.
Figures measure(RtfShape shape, qsizetype bytes, const QString &file)
{
    const QByteArray document = support::rtfShape(shape, bytes);
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly) || out.write(document) != document.size())
            std::abort();
    }
    Figures figures{1e9, 1e9};
    for (int round = 0; round < 3; ++round) {
        const double start = cpuMs();
        const rtf::ReadResult result = rtf::read(document);
        figures.readMs = qMin(figures.readMs, cpuMs() - start);
    }
    for (int round = 0; round < 3; ++round) {
        FakePlatform fake;
        Form1 form(fake.platform());
        fake.pictures.choose(support::names(12));
        form.sOpen->trigger();
        form.sScriptEditor->trigger();
        ScriptEditor *editor = form.scriptEditor();
        QApplication::processEvents();
        fake.messages.texts.clear();
        fake.files.choose(file);
        const support::PeakMemory memory;
        const double start = cpuMs();
        QTest::mouseClick(editor->Command3, Qt::LeftButton);
        QApplication::processEvents(); // the list shown
        figures.loadMs = qMin(figures.loadMs, cpuMs() - start);
        figures.addedKiB = memory.addedKiB();
        figures.entries = editor->List1->count() - 1;
        figures.messages = int(fake.messages.texts.size());
    }
    return figures;
}
} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" QV_SOURCE_DIR "/tests/support/screen-800x600.json");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("shape.ScE"));
    const struct
    {
        RtfShape shape;
        const char *name;
    } shapes[] = {
        {RtfShape::Plain, "ordinary document, 300-character scripts"},
        {RtfShape::PageSwitches, "\\ansicpg switched before every character"},
        {RtfShape::FontsLast, "20,000 fonts, text in the last"},
        {RtfShape::ManyFonts, "a font table and nothing else"},
        {RtfShape::Separators, "nothing but \"~\""},
    };
    constexpr qsizetype kSmall = 4 << 20, kLarge = 16 << 20;
    Figures plain;
    for (const auto &[shape, name] : shapes) {
        if (argc > 1 && shape != RtfShape::Plain && !QByteArray(name).contains(argv[1]))
            continue;
        const Figures small = measure(shape, kSmall, file);
        const Figures large = measure(shape, kLarge, file);
        if (shape == RtfShape::Plain)
            plain = large;
        std::printf("%s:\n", name);
        std::printf("  16 MB: read %7.1f ms, Load %7.1f ms  (%d entries%s), peak added %lld MB\n", large.readMs,
                    large.loadMs, large.entries, large.messages ? ", refused with the loading message" : "",
                    large.addedKiB / 1024);
        std::printf("  16 MB against 4 MB: read %.1fx, Load %.1fx  (4.0x is linear)\n", large.readMs / small.readMs,
                    large.loadMs / small.loadMs);
        std::printf("  against the ordinary document: read %.2fx, Load %.2fx\n", large.readMs / plain.readMs,
                    large.loadMs / plain.loadMs);
    }
    double load[3] = {};
    if (getloadavg(load, 3) == 3)
        std::printf("load average at the end: %.2f %.2f %.2f\n", load[0], load[1], load[2]);
    return 0;
}
