#include "files/AtomicFile.h"

#include "files/Descriptor.h"

#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <memory>
#include <dirent.h>
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

// One line for the user: what failed, and the system's reason.
QString reason(const char *what, int error)
{
    return QString::fromUtf8(what).arg(qt_error_string(error));
}

// The file `path` stands for: its symbolic links followed one by one, to a
// name that need not exist yet (a dangling link is written through).
QString resolved(const QString &path, QString *why)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink(); ++hops) {
        if (hops == 40) {
            *why = reason("Could not follow its links: %1.", ELOOP);
            return QString();
        }
        info.setFile(info.symLinkTarget());
    }
    return info.absoluteFilePath();
}

// Removes the temporary files of ours in `folder` that a killed write left
// behind: a write under way, of this window or another, holds its own
// locked. Nothing found there is followed.
void removeStale(int folder)
{
    DIR *dir = ::fdopendir(::dup(folder));
    if (!dir)
        return;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArrayView name(entry->d_name);
        const qsizetype mark = name.size() - kTagLength - qsizetype(sizeof kTempMark - 1);
        if (!name.startsWith('.') || mark < 1 || name.sliced(mark, sizeof kTempMark - 1) != kTempMark)
            continue;
        const Descriptor file(::openat(folder, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        if (file.fd >= 0 && ::flock(file.fd, LOCK_EX | LOCK_NB) == 0)
            ::unlinkat(folder, entry->d_name, 0);
    }
    ::closedir(dir);
}

// Pieces gathered into large writes: a PDF engine writes many small ones.
class Stream : public QIODevice
{
public:
    explicit Stream(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }
    bool failed() const { return m_failed; }
    int error() const { return m_error; }
    bool drain()
    {
        if (!m_failed && !writeAll(m_fd, m_buffer)) {
            m_failed = true;
            m_error = errno;
        }
        m_buffer.resize(0); // keeps its room for the next chunk
        return !m_failed;
    }

protected:
    qint64 readData(char *, qint64) override { return -1; }
    qint64 writeData(const char *data, qint64 length) override
    {
        if (m_failed)
            return -1;
        m_buffer.append(data, qsizetype(length));
        if (m_buffer.size() >= kChunk && !drain())
            return -1;
        return length;
    }

private:
    static constexpr qsizetype kChunk = 256 * 1024;
    int m_fd;
    QByteArray m_buffer;
    bool m_failed = false;
    int m_error = 0;
};

} // namespace

struct Writer::Temp
{
    Descriptor folder{-1};
    QByteArray name, finalName; // in the folder
    Descriptor file{-1};
    std::unique_ptr<Stream> stream;
    bool renamed = false;

    ~Temp()
    {
        if (!renamed && file.fd >= 0)
            ::unlinkat(folder.fd, name.constData(), 0);
    }
};

Sync replaceSync(Sync sync)
{
    const Sync before = g_sync;
    g_sync = sync ? sync : ::fdatasync;
    return before;
}

Writer::Writer(const QString &path)
{
    if (path.isEmpty())
        return;
    const QFileInfo target(resolved(path, &m_why));
    if (!m_why.isEmpty())
        return;
    const int folder = ::open(QFile::encodeName(target.absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folder < 0) {
        m_why = reason("Could not open its folder: %1.", errno);
        return;
    }
    open(folder, target.fileName(), 0666);
}

Writer::Writer(int folder, const QString &name)
{
    open(::fcntl(folder, F_DUPFD_CLOEXEC, 0), name, 0600);
}

void Writer::open(int folder, const QString &name, unsigned mode)
{
    auto temp = std::make_unique<Temp>();
    temp->folder.fd = folder;
    temp->finalName = QFile::encodeName(name);
    if (folder < 0) {
        m_why = reason("Could not open its folder: %1.", errno);
        return;
    }
    // What the name holds now: only a file of data that may be written is replaced.
    struct stat old = {};
    const bool exists = ::fstatat(folder, temp->finalName.constData(), &old, AT_SYMLINK_NOFOLLOW) == 0;
    if (temp->finalName.isEmpty() || (exists && S_ISDIR(old.st_mode))) {
        m_why = QStringLiteral("It is a folder, not a file.");
        return;
    }
    if (exists && !S_ISREG(old.st_mode) && !S_ISLNK(old.st_mode)) {
        m_why = QStringLiteral("It is not a file of data but a device or a pipe.");
        return;
    }
    // Asked, as a rename would replace it anyway: the folder's owner may
    // replace any file in it, and root any file at all.
    if (exists && S_ISREG(old.st_mode)
        && ((old.st_mode & 0222) == 0 || ::faccessat(folder, temp->finalName.constData(), W_OK, AT_EACCESS) != 0)) {
        m_why = QStringLiteral("The file is read-only.");
        return;
    }
    removeStale(folder);

    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp->name = '.' + baseOf(name) + QFile::encodeName(QLatin1String(kTempMark) + randomTag());
        fd = ::openat(folder, temp->name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        m_why = reason("Could not make a file in its folder: %1.", errno);
        return;
    }
    temp->file.fd = fd;
    // Held until the rename, so that no other write takes it for a stale one.
    ::flock(fd, LOCK_EX);
    if (exists && S_ISREG(old.st_mode))
        ::fchmod(fd, old.st_mode & 07777); // best effort, as a copy would do
    temp->stream = std::make_unique<Stream>(fd);
    m_temp = std::move(temp);
}

Writer::~Writer() = default;

bool Writer::isOpen() const
{
    return m_temp != nullptr;
}

QIODevice *Writer::device() const
{
    return m_temp ? m_temp->stream.get() : nullptr;
}

bool Writer::failed() const
{
    return !m_temp || m_temp->stream->failed();
}

bool Writer::commit()
{
    if (!m_temp || m_temp->renamed)
        return false;
    Temp &temp = *m_temp;
    if (!temp.stream->drain()) {
        m_why = reason("Could not write it: %1.", temp.stream->error());
    } else if (!synced(temp.file.fd)) {
        m_why = reason("The disk did not confirm what was written: %1.", errno);
    } else if (::renameat(temp.folder.fd, temp.name.constData(), temp.folder.fd, temp.finalName.constData()) != 0) {
        m_why = reason("Could not put it in the old file's place: %1.", errno);
    } else {
        temp.renamed = true;
        m_replaced = true;
        // A rename lasts through a power cut only once its folder is synced.
        // A file system that cannot sync a folder (EINVAL) has nothing more to do.
        if (synced(temp.folder.fd) || errno == EINVAL)
            return true;
        m_why = reason("The disk did not confirm its new name: %1.", errno);
        return false;
    }
    m_temp.reset(); // removes the temporary file
    return false;
}

bool Writer::replaced() const
{
    return m_replaced;
}

QString Writer::why() const
{
    return m_why;
}

int Writer::takeFile()
{
    if (!m_replaced || !m_temp)
        return -1;
    const int fd = m_temp->file.fd;
    m_temp->file.fd = -1;
    return fd;
}

bool write(const QString &path, const QByteArray &bytes, Outcome *outcome)
{
    Writer writer(path);
    if (writer.isOpen())
        writer.device()->write(bytes); // a failed write fails the commit, with its reason
    const bool written = writer.commit();
    if (outcome)
        *outcome = {writer.replaced(), writer.why()};
    return written;
}

} // namespace atomicfile
