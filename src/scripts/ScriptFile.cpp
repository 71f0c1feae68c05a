#include "scripts/ScriptFile.h"

#include "scripts/RtfReader.h"
#include "scripts/RtfWriter.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

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
    const rtf::ReadResult result = rtf::read(document);
    if (!result.ok)
        return {};
    return {true, result.text};
}

bool saveScriptFile(const QString &fileName, const QString &entryString)
{
    if (fileName.isEmpty())
        return false;
    QSaveFile file(fileName);
    // Unbuffered, so a short write (a full disk) shows in write()'s count:
    // a buffered flush passes a short write over and commits the cut file.
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray document = rtf::write(entryString);
    if (file.write(document) != document.size() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

} // namespace scripts
