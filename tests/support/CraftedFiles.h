#pragma once

// Crafted script files that once made loading slow or large, filled to just
// under `bytes`, and the memory a load takes.
#include <QByteArray>
#include <QFile>

#include <ctime>

namespace support {

// Our own 300-character scripts; \ansicpgN renewed before every \'hh; 20,000
// fonts with scripts in the last (Windows-1251); a font table alone; all "~".
enum class RtfShape { Plain, PageSwitches, FontsLast, ManyFonts, Separators };

inline QByteArray rtfShape(RtfShape shape, qsizetype bytes)
{
    using S = RtfShape;
    QByteArray doc = "{\\rtf1\\ansi ";
    for (int i = 0; doc.size() < bytes - 1024; ++i) {
        const QByteArray n = QByteArray::number(i);
        doc += (shape == S::ManyFonts || (shape == S::FontsLast && i < 20000))
                   ? (i ? "{\\f" : "{\\fonttbl{\\f") + n + (i % 2 ? "\\fcharset204 F;}" : "\\fcharset0 F;}")
               : shape == S::FontsLast    ? (i == 20000 ? "}\\f19999 " : "") + QByteArray("\xc4\xe0\xed \\'e0 ").repeated(30) + '~'
               : shape == S::Plain        ? QByteArray::number(i % 540 + 1) + '.' + QByteArray("Caf\\'e9 in the rain, ").repeated(15) + "~\n"
               : shape == S::PageSwitches ? "\\ansicpg" + n + (i % 100 == 99 ? "\\'e9~" : "\\'e9")
                                          : QByteArray(32, '~');
    }
    return doc + (shape == S::ManyFonts ? "}}" : shape == S::PageSwitches ? "~}" : "}");
}

// The processor time this process has taken, over all its threads.
inline qint64 cpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000 + now.tv_nsec / 1000000;
}

// The peak resident memory added since it was made, as the kernel counts it.
struct PeakMemory
{
    static qint64 statusKiB(const char *field)
    {
        QFile status(QStringLiteral("/proc/self/status"));
        const QByteArray text = status.open(QIODevice::ReadOnly) ? status.readAll() : QByteArray();
        return text.mid(text.indexOf(field) + qstrlen(field)).trimmed().split(' ').first().toLongLong();
    }
    const bool restarted = [] {
        QFile clear(QStringLiteral("/proc/self/clear_refs"));
        return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
    }();
    const qint64 startKiB = statusKiB("VmRSS:");
    qint64 addedKiB() const { return statusKiB("VmHWM:") - startKiB; }
};

} // namespace support
