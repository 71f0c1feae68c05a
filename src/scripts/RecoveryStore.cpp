#include "scripts/RecoveryStore.h"

#include "files/AtomicFile.h"
#include "files/Descriptor.h"
#include "scripts/RtfWriter.h"
#include "scripts/ScriptFile.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <tuple>
#include <utility>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {
// The first line; the picture text follows on the second (percent-encoded,
// so no name can break the line), the script file after that.
constexpr char kHeader[] = "Quorvadine recovery copy 1\n";
// The picture text is at most 32000 characters, each at most 12 bytes encoded.
constexpr qint64 kLongestCopy = scripts::kLargestScriptFile + 32000 * 12 + 64;
constexpr char kPrefix[] = "recovery-";
constexpr char kAside[] = ".damaged";

QString defaultFolder()
{
    QString state = qEnvironmentVariable("XDG_STATE_HOME");
    if (!QDir::isAbsolutePath(state))
        state = QDir::homePath() + QStringLiteral("/.local/state");
    return state + QStringLiteral("/quorvadine");
}

QString freshName()
{
    static constexpr char kLetters[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    QString name = QLatin1String(kPrefix);
    for (int i = 0; i < 8; ++i)
        name += QLatin1Char(kLetters[QRandomGenerator::global()->bounded(int(sizeof kLetters) - 1)]);
    return name;
}

// Only what is the user's own is read or written: another user who can
// write there could have put it there.
bool usersOwn(const struct stat &status)
{
    return status.st_uid == ::geteuid() && (status.st_mode & (S_IWGRP | S_IWOTH)) == 0;
}

void warn(const QString &line)
{
    qWarning("quorvadine: %s", qPrintable(line));
}

// Reads what `fd` holds, at most kLongestCopy bytes; false on an error or more.
bool readCopy(int fd, QByteArray &bytes)
{
    bytes.resize(kLongestCopy + 1);
    qsizetype have = 0;
    while (have < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + have, size_t(bytes.size() - have));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0) {
            bytes.truncate(have);
            return got == 0;
        }
        have += got;
    }
    return false;
}

RecoveryStore::Found parsed(const QString &fileName, const QByteArray &bytes)
{
    RecoveryStore::Found found{fileName, std::nullopt, QString(), QString()};
    const qsizetype pictureEnd = bytes.indexOf('\n', qsizetype(sizeof kHeader) - 1);
    if (!bytes.startsWith(kHeader) || pictureEnd < 0) {
        found.why = QStringLiteral("It is not a whole recovery copy: it was cut short or written over.");
        return found;
    }
    const QByteArray pictures = bytes.mid(sizeof kHeader - 1, pictureEnd - qsizetype(sizeof kHeader - 1));
    found.pictures = QString::fromUtf8(QByteArray::fromPercentEncoding(pictures));
    const scripts::LoadedScript scripts = scripts::readScriptDocument(bytes.mid(pictureEnd + 1));
    if (scripts.ok)
        found.copy = RecoveryStore::Copy{found.pictures, scripts.text};
    found.why = scripts.why;
    return found;
}
} // namespace

RecoveryStore::RecoveryStore()
    : RecoveryStore(defaultFolder())
{
}

RecoveryStore::RecoveryStore(const QString &folder)
    : m_folder(folder)
    , m_name(freshName())
{
}

RecoveryStore::~RecoveryStore()
{
    release();
    if (m_file >= 0)
        ::close(m_file);
}

QString RecoveryStore::fileName() const
{
    return m_folder + u'/' + m_name;
}

int RecoveryStore::openFolder(bool create) const
{
    const QByteArray path = QFile::encodeName(m_folder);
    if (create && QDir().mkpath(QFileInfo(m_folder).absolutePath()))
        ::mkdir(path.constData(), 0700); // scripts are private
    // Not followed, and checked on what was opened: a link, or a folder that
    // another user owns or may write to, may have been put there to catch or
    // redirect the copy.
    const int folder = ::open(path.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    struct stat status = {};
    if (folder >= 0 && ::fstat(folder, &status) == 0 && usersOwn(status)) {
        if (status.st_mode & 077)
            ::fchmod(folder, 0700);
        return folder;
    }
    if ((folder >= 0 || errno != ENOENT) && !std::exchange(m_warned, true))
        warn(QStringLiteral("no recovery copy is read or written in %1: it is not a folder of this user's alone.")
                 .arg(m_folder));
    if (folder >= 0)
        ::close(folder);
    return -1;
}

bool RecoveryStore::write(const Copy &copy)
{
    const Descriptor folder(openFolder(true));
    if (folder.fd < 0)
        return false;
    const QByteArray document = kHeader + copy.pictures.toUtf8().toPercentEncoding(" /") + '\n'
                                + rtf::write(copy.entryString);
    atomicfile::Writer writer(folder.fd, m_name);
    if (writer.isOpen())
        writer.device()->write(document);
    const bool written = writer.commit();
    // The new version comes locked: the lock never lapses between versions.
    if (writer.replaced()) {
        if (m_file >= 0)
            ::close(m_file);
        m_file = writer.takeFile();
    }
    return written;
}

void RecoveryStore::remove()
{
    if (m_file < 0)
        return;
    // Removed before the lock goes, so nobody finds it free in between.
    const Descriptor folder(openFolder(false));
    if (folder.fd >= 0)
        ::unlinkat(folder.fd, QFile::encodeName(m_name).constData(), 0);
    ::close(m_file);
    m_file = -1;
}

QList<RecoveryStore::Found> RecoveryStore::leftBehind()
{
    const Descriptor folder(openFolder(false));
    DIR *dir = folder.fd >= 0 ? ::fdopendir(::dup(folder.fd)) : nullptr;
    if (!dir)
        return {};
    struct Candidate
    {
        QString name;
        int fd;
        qint64 seconds, nanoseconds;
    };
    QList<Candidate> candidates;
    while (const dirent *entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        if (!name.startsWith(QLatin1String(kPrefix)) || name.endsWith(QLatin1String(kAside)) || name == m_name
            || m_held.contains(name))
            continue;
        // Without waiting for a writer (a FIFO) and without following a link.
        const int fd = ::openat(folder.fd, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
        struct stat status = {};
        if (fd < 0 || ::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) || !usersOwn(status)) {
            warn(QStringLiteral("%1 is left alone: it is not a file of this user's alone.").arg(m_folder + u'/' + name));
        } else if (::flock(fd, LOCK_EX | LOCK_NB) == 0) { // else its program is running
            candidates.append({name, fd, qint64(status.st_mtim.tv_sec), qint64(status.st_mtim.tv_nsec)});
            continue;
        }
        if (fd >= 0)
            ::close(fd);
    }
    ::closedir(dir);
    std::sort(candidates.begin(), candidates.end(), [](const Candidate &a, const Candidate &b) {
        return std::tie(a.seconds, a.nanoseconds) > std::tie(b.seconds, b.nanoseconds);
    });

    QList<Found> found;
    for (const Candidate &candidate : std::as_const(candidates)) {
        QByteArray bytes;
        Found one = readCopy(candidate.fd, bytes)
                        ? parsed(m_folder + u'/' + candidate.name, bytes)
                        : Found{QString(), std::nullopt, QString(), QStringLiteral("It could not be read whole.")};
        if (one.copy) {
            m_held.insert(candidate.name, candidate.fd);
        } else {
            // Never over one set aside before (the copies of older versions all had one name).
            QString aside = candidate.name + QLatin1String(kAside);
            for (int n = 2; n < 100 && ::renameat2(folder.fd, QFile::encodeName(candidate.name).constData(), folder.fd,
                                                   QFile::encodeName(aside).constData(), RENAME_NOREPLACE) != 0 && errno == EEXIST;
                 ++n)
                aside = candidate.name + u'-' + QString::number(n) + QLatin1String(kAside);
            one.fileName = m_folder + u'/' + aside;
            ::close(candidate.fd);
        }
        found.append(one);
    }
    return found;
}

void RecoveryStore::take(const Found &found)
{
    const QString name = QFileInfo(found.fileName).fileName();
    if (!m_held.contains(name) || m_file >= 0)
        return;
    m_name = name;
    m_file = m_held.take(name);
}

void RecoveryStore::drop(const Found &found)
{
    const QString name = QFileInfo(found.fileName).fileName();
    if (!m_held.contains(name))
        return;
    const int fd = m_held.take(name);
    const Descriptor folder(openFolder(false));
    if (folder.fd >= 0)
        ::unlinkat(folder.fd, QFile::encodeName(name).constData(), 0);
    ::close(fd);
}

void RecoveryStore::release()
{
    for (const int fd : std::as_const(m_held))
        ::close(fd);
    m_held.clear();
}
