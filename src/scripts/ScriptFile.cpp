#include "scripts/ScriptFile.h"

#include "files/Descriptor.h"
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace scripts {

namespace {
LoadedScript refused(const QString &why)
{
    return {false, QString(), why};
}

bool isMark(char32_t c)
{
    const QChar::Category category = QChar::category(c);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining
           || category == QChar::Mark_Enclosing;
}
} // namespace

LoadedScript loadScriptFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    // Opened first, then what was opened is looked at: a FIFO would make a
    // plain open wait for a writer for good.
    const Descriptor file(::open(QFile::encodeName(fileName).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat status = {};
    if (file.fd < 0 || ::fstat(file.fd, &status) != 0)
        return refused(QStringLiteral("The file could not be opened: %1.").arg(qt_error_string(errno)));
    if (S_ISDIR(status.st_mode))
        return refused(QStringLiteral("It is a folder, not a file."));
    if (!S_ISREG(status.st_mode))
        return refused(QStringLiteral("It is not a file of data but a device or a pipe."));
    const QString tooLarge = QStringLiteral("The file is larger than %1 MB.").arg(kLargestScriptFile >> 20);
    if (status.st_size > kLargestScriptFile)
        return refused(tooLarge);
    // One byte past the limit is asked for: the file may have grown since.
    QByteArray document(qsizetype(status.st_size) + 1, Qt::Uninitialized);
    qsizetype have = 0;
    while (have < document.size()) {
        const ssize_t got = ::read(file.fd, document.data() + have, size_t(document.size() - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return refused(QStringLiteral("The file could not be read: %1.").arg(qt_error_string(errno)));
        if (got == 0)
            break;
        have += got;
        if (have == document.size() && have <= kLargestScriptFile)
            document.resize(qMin<qsizetype>(2 * have, kLargestScriptFile + 1));
    }
    if (have > kLargestScriptFile)
        return refused(tooLarge);
    document.truncate(have);
    return readScriptDocument(document);
}

LoadedScript readScriptDocument(const QByteArray &document)
{
    rtf::ReadResult result = rtf::read(document);
    if (!result.ok)
        return refused(result.error);
    // One pass over the text for the bounds every entry keeps. A scene number
    // in front (up to six digits and a full stop) is not counted: the Edit
    // bay writes an entry back under its own number, which may be longer.
    const QString &text = result.text;
    qsizetype entries = 1, length = 0;
    int marks = 0;
    bool digitsOnly = true;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar unit = text.at(i);
        if (unit == kSeparator) {
            ++entries;
            length = 0;
            marks = 0;
            digitsOnly = true;
            continue;
        }
        if (unit == u'.' && digitsOnly && length >= 1 && length <= 6) {
            length = 0;
            digitsOnly = false;
            continue;
        }
        digitsOnly = digitsOnly && unit.isDigit() && unit.unicode() < 0x80;
        char32_t c = text.at(i).unicode();
        if (text.at(i).isHighSurrogate() && i + 1 < text.size()) { // the reader leaves only whole pairs
            c = QChar::surrogateToUcs4(text.at(i), text.at(i + 1));
            ++i;
            ++length;
        }
        if (++length > kLongestEntry)
            return refused(QStringLiteral("Entry %1 is longer than %2 characters.").arg(entries).arg(kLongestEntry));
        marks = isMark(c) ? marks + 1 : 0;
        if (marks > kMostMarks)
            return refused(QStringLiteral("Entry %1 has more than %2 accents or marks on one letter.").arg(entries).arg(kMostMarks));
    }
    if (text.endsWith(kSeparator) || text.isEmpty())
        --entries;
    if (entries > kMostEntries)
        return refused(QStringLiteral("The file holds more than %1 scripts.").arg(kMostEntries));
    // Whatever Load takes, Save writes back in a file that Load reads again:
    // ours escapes every character beyond Windows-1252 in a dozen bytes.
    if (rtf::writtenSize(text, kLargestScriptFile) > kLargestScriptFile)
        return refused(QStringLiteral("Saved again, its scripts would take more than %1 MB.").arg(kLargestScriptFile >> 20));
    return {true, std::move(result.text), QString()};
}

bool saveScriptFile(const QString &fileName, const QString &entryString, atomicfile::Outcome *outcome)
{
    return atomicfile::write(fileName, rtf::write(entryString), outcome);
}

QString scriptFileName(const QString &typed)
{
    // A desktop dialog may have added it already; any "." in the name counts.
    if (typed.isEmpty() || QFileInfo(typed).fileName().contains(u'.'))
        return typed;
    return typed + QStringLiteral(".ScE");
}

} // namespace scripts
