#pragma once

// Crafted script files that once made loading slow or large, filled to the
// size asked for, and the peak memory a load adds.
#include <QByteArray>
#include <QFile>

#include <functional>

namespace support {

enum class RtfShape {
    Plain,        // ordinary 300-character scripts of ours
    PageSwitches, // \ansicpgN with a new N before every \'hh, 100 to an entry
    FontsLast,    // 20,000 fonts, then 300-character scripts in the last one
    ManyFonts,    // a font table and nothing else
    Separators,   // "~" and nothing else
};

inline QByteArray rtfShape(RtfShape shape, qsizetype bytes)
{
    QByteArray document = "{\\rtf1\\ansi ";
    const auto fill = [&](const std::function<QByteArray(int)> &piece) {
        for (int i = 0; document.size() < bytes - 64; ++i)
            document += piece(i);
    };
    if (shape == RtfShape::FontsLast || shape == RtfShape::ManyFonts) {
        document += "{\\fonttbl";
        for (int i = 0; shape == RtfShape::ManyFonts ? document.size() < bytes - 64 : i < 20000; ++i)
            document += "{\\f" + QByteArray::number(i) + (i % 2 ? "\\fcharset204 F;}" : "\\fcharset0 F;}");
        document += "}\\f19999 "; // Windows-1251
    }
    if (shape == RtfShape::Plain)
        fill([](int i) { return QByteArray::number(i % 540 + 1) + '.' + QByteArray("Caf\\'e9 in the rain, ").repeated(15) + "~\n"; });
    else if (shape == RtfShape::PageSwitches)
        fill([](int i) { return "\\ansicpg" + QByteArray::number(i + 1) + (i % 100 == 99 ? "\\'e9~" : "\\'e9"); });
    else if (shape == RtfShape::FontsLast)
        fill([](int) { return QByteArray("\xc4\xe0\xed \\'e0 ").repeated(30) + '~'; });
    else if (shape == RtfShape::Separators)
        document += QByteArray(bytes - document.size() - 1, '~');
    return document + (shape == RtfShape::PageSwitches ? "~}" : "}");
}

// Resident memory in KiB: "VmRSS:" now, "VmHWM:" the peak since the last restartPeak().
inline qint64 statusKiB(const char *field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    for (const QByteArray &line : status.open(QIODevice::ReadOnly) ? status.readAll().split('\n') : QByteArrayList())
        if (line.startsWith(field))
            return line.mid(qstrlen(field)).trimmed().split(' ').first().toLongLong();
    return -1;
}
inline bool restartPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    return clear.open(QIODevice::WriteOnly) && clear.write("5") == 1;
}

} // namespace support
