#include "scripts/RecoveryStore.h"

#include "files/AtomicFile.h"
#include "scripts/RtfWriter.h"
#include "scripts/ScriptFile.h"

#include <QDir>
#include <QFile>

namespace {
// The first line; the picture text follows on the second (percent-encoded,
// so no name can break the line), the script file after that.
constexpr char kHeader[] = "Quorvadine recovery copy 1\n";
// The picture text is at most 32000 characters, each at most 12 bytes encoded.
constexpr qint64 kLongestCopy = scripts::kLargestScriptFile + 32000 * 12 + 64;

QString defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/quorvadine");
}
} // namespace

RecoveryStore::RecoveryStore()
    : m_folder(defaultFolder())
{
}

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(folder)
{
}

QString RecoveryStore::fileName() const
{
    return m_folder + QStringLiteral("/recovery-copy");
}

bool RecoveryStore::write(const Copy &copy) const
{
    // Scripts are private: the folder is the user's alone.
    if (!QDir().mkpath(m_folder)
        || !QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner))
        return false;
    const QByteArray document = kHeader + copy.pictures.toUtf8().toPercentEncoding(" /") + '\n'
                                + rtf::write(copy.entryString);
    return atomicfile::write(fileName(), document);
}

std::optional<RecoveryStore::Copy> RecoveryStore::read() const
{
    QFile file(fileName());
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(kLongestCopy + 1);
    const qsizetype pictureEnd = bytes.indexOf('\n', qsizetype(sizeof kHeader) - 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > kLongestCopy || !bytes.startsWith(kHeader)
        || pictureEnd < 0)
        return std::nullopt;
    const QByteArray pictures = bytes.mid(sizeof kHeader - 1, pictureEnd - qsizetype(sizeof kHeader - 1));
    const scripts::LoadedScript scripts = scripts::readScriptDocument(bytes.mid(pictureEnd + 1));
    if (!scripts.ok)
        return std::nullopt;
    return Copy{QString::fromUtf8(QByteArray::fromPercentEncoding(pictures)), scripts.text};
}

void RecoveryStore::remove() const
{
    QFile::remove(fileName());
}
