#include "files/AtomicFile.h"

#include "files/Descriptor.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QIODevice>
#include <QRandomGenerator>

#include <cerrno>
#include <memory>
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

// Pieces gathered into large writes: a PDF engine writes many small ones.
class Stream : public QIODevice
{
public:
    explicit Stream(int fd) : m_fd(fd) { open(QIODevice::WriteOnly | QIODevice::Unbuffered); }
    bool isSequential() const override { return true; }
    bool failed() const { return m_failed; }
    bool drain()
    {
        if (!m_failed && !writeAll(m_fd, m_buffer))
            m_failed = true;
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
};

} // namespace

struct Writer::Temp
{
    QString folder;
    QByteArray name, finalName;
    Descriptor file{-1};
    std::unique_ptr<Stream> stream;
    bool renamed = false;

    ~Temp()
    {
        if (!renamed && file.fd >= 0)
            ::unlink(name.constData());
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
    QFileInfo target(path);
    if (target.isSymLink() && !target.canonicalFilePath().isEmpty())
        target.setFile(target.canonicalFilePath());
    auto temp = std::make_unique<Temp>();
    temp->folder = target.absolutePath();
    temp->finalName = QFile::encodeName(target.absoluteFilePath());
    removeStale(temp->folder);

    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp->name = QFile::encodeName(temp->folder + QStringLiteral("/.")) + baseOf(target.fileName())
                     + QFile::encodeName(QLatin1String(kTempMark) + randomTag());
        fd = ::open(temp->name.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return;
    }
    if (fd < 0)
        return;
    temp->file.fd = fd;
    // Held until the rename, so that no other write takes it for a stale one.
    ::flock(fd, LOCK_EX);
    struct stat old = {};
    if (::stat(temp->finalName.constData(), &old) == 0 && S_ISREG(old.st_mode))
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
    if (!temp.stream->drain() || !synced(temp.file.fd)
        || ::rename(temp.name.constData(), temp.finalName.constData()) != 0) {
        m_temp.reset(); // removes the temporary file
        return false;
    }
    temp.renamed = true;
    // The new file is in place; a failed folder sync still says that it may
    // not survive a power cut.
    return folderSynced(temp.folder);
}

bool write(const QString &path, const QByteArray &bytes)
{
    Writer writer(path);
    return writer.isOpen() && writer.device()->write(bytes) == bytes.size() && writer.commit();
}

} // namespace atomicfile
