#include "files/AtomicFile.h"

#include "files/Descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace atomicfile {
namespace {

Sync g_sync = ::fdatasync;

constexpr int kTagLength = 6;
// Room for the mark and the tag within the 255 bytes a name may have.
constexpr int kLongestBase = 100;

// The start of `name` that encodes in at most kLongestBase bytes: a limit in
// characters would let a name of three-byte characters past 255 bytes.
QByteArray baseOf(const QString &name)
{
    QByteArray base;
    for (qsizetype i = 0; i < name.size();) {
        const qsizetype units = name.at(i).isHighSurrogate() && i + 1 < name.size() ? 2 : 1;
        const QByteArray next = QFile::encodeName(name.sliced(i, units));
        if (base.size() + next.size() > kLongestBase)
            break;
        base += next;
        i += units;
    }
    return base;
}

QString randomTag()
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString tag;
    for (int i = 0; i < kTagLength; ++i)
        tag += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    return tag;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    const char *data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t done = ::write(fd, data, size_t(left));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return false;
        data += done;
        left -= done;
    }
    return true;
}

bool synced(int fd)
{
    int result = 0;
    do
        result = g_sync(fd);
    while (result < 0 && errno == EINTR);
    return result == 0;
}

// A rename lasts through a power cut only once its folder is synced. A
// file system that cannot sync a folder (EINVAL) has nothing more to do.
bool folderSynced(const QString &folder)
{
    const Descriptor dir(::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    return dir.fd >= 0 && (synced(dir.fd) || errno == EINVAL);
}

void removeStale(const QString &folder)
{
    const QDir dir(folder);
    const QString pattern = QStringLiteral(".*") + QLatin1String(kTempMark) + QString(kTagLength, u'?');
    for (const QString &name : dir.entryList({pattern}, QDir::Files | QDir::Hidden | QDir::System)) {
        const QByteArray path = QFile::encodeName(dir.filePath(name));
        const Descriptor file(::open(path.constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        // A write under way, of this window or another, holds its file locked.
        if (file.fd >= 0 && ::flock(file.fd, LOCK_EX | LOCK_NB) == 0)
            ::unlink(path.constData());
    }
}

} // namespace

Sync replaceSync(Sync sync)
{
    const Sync before = g_sync;
    g_sync = sync ? sync : ::fdatasync;
    return before;
}

bool write(const QString &path, const QByteArray &bytes)
{
    if (path.isEmpty())
        return false;
    QFileInfo target(path);
    if (target.isSymLink() && !target.canonicalFilePath().isEmpty())
        target.setFile(target.canonicalFilePath());
    const QString folder = target.absolutePath();
    const QByteArray finalName = QFile::encodeName(target.absoluteFilePath());
    removeStale(folder);

    QByteArray tempName;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        tempName = QFile::encodeName(folder + QStringLiteral("/.")) + baseOf(target.fileName())
                   + QFile::encodeName(QLatin1String(kTempMark) + randomTag());
        fd = ::open(tempName.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return false;
    }
    const Descriptor temp(fd);
    if (temp.fd < 0)
        return false;
    // Held until the rename, so that no other write takes it for a stale one.
    ::flock(temp.fd, LOCK_EX);
    struct stat old = {};
    if (::stat(finalName.constData(), &old) == 0 && S_ISREG(old.st_mode))
        ::fchmod(temp.fd, old.st_mode & 07777); // best effort, as a copy would do
    if (!writeAll(temp.fd, bytes) || !synced(temp.fd) || ::rename(tempName.constData(), finalName.constData()) != 0) {
        ::unlink(tempName.constData());
        return false;
    }
    // The new file is in place; a failed folder sync still says that it may
    // not survive a power cut.
    return folderSynced(folder);
}

} // namespace atomicfile
