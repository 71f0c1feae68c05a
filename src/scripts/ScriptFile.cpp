#include "scripts/ScriptFile.h"

#include "files/AtomicFile.h"
#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <QFile>
#include <QFileInfo>

namespace scripts {

LoadedScript loadScriptFile(const QString &fileName)
{
    if (fileName.isEmpty())
        return {};
    const QFileInfo info(fileName);
    if (!info.isFile() || info.size() > kLargestScriptFile)
        return {};
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // Read one byte past the limit: the file may have grown since it was measured.
    const QByteArray document = file.read(kLargestScriptFile + 1);
    if (file.error() != QFileDevice::NoError || document.size() > kLargestScriptFile)
        return {};
    return readScriptDocument(document);
}

LoadedScript readScriptDocument(const QByteArray &document)
{
    rtf::ReadResult result = rtf::read(document);
    if (!result.ok)
        return {};
    const qsizetype entries = result.text.count(kSeparator) + (result.text.endsWith(kSeparator) ? 0 : 1);
    if (entries > kMostEntries)
        return {};
    return {true, std::move(result.text)};
}

bool saveScriptFile(const QString &fileName, const QString &entryString)
{
    return atomicfile::write(fileName, rtf::write(entryString));
}

QString scriptFileName(const QString &typed)
{
    // A desktop dialog may have added it already; any "." in the name counts.
    if (typed.isEmpty() || QFileInfo(typed).fileName().contains(u'.'))
        return typed;
    return typed + QStringLiteral(".ScE");
}

} // namespace scripts
