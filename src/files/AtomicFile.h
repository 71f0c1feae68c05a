#pragma once

#include <QByteArray>
#include <QString>

#include <memory>

class QIODevice;

// Files replaced whole: a reader, a crash or a kill at any moment finds
// either the old file or the complete new one, never a part. Serves the
// script files, the recovery copy and printed PDFs alike.
namespace atomicfile {

// A file written piece by piece, for output too large to hold in memory (a
// printed board): the pieces go to a hidden temporary file beside `path`
// (".NAME" + kTempMark + six random letters and digits, made anew, never
// opened through a link), and commit() syncs it, renames it over `path` and
// syncs the folder. Until the rename the old file stays as it was; a Writer
// destroyed uncommitted, or whose commit failed, leaves nothing behind.
// Symbolic links are followed, a dangling one to the file it names, and an
// existing file keeps its permissions. A read-only file, a folder, a device
// or a pipe is not replaced.
class Writer
{
public:
    explicit Writer(const QString &path);
    // The file `name` in the folder open as `folder` (the caller checked what
    // it is), with nothing followed: a link of that name is replaced, never
    // written through. A new file there is for its owner alone.
    Writer(int folder, const QString &name);
    ~Writer();
    Writer(const Writer &) = delete;
    Writer &operator=(const Writer &) = delete;

    // The temporary file could be made: device() takes the pieces.
    bool isOpen() const;
    // Buffered; once a write to the disk has failed (a full disk) every
    // later one fails too, so the failure cannot go unseen at commit().
    QIODevice *device() const;
    // Whether a write has failed so far (a writer can stop early).
    bool failed() const;
    // Flushes, syncs, renames over `path` and syncs the folder; false when
    // any step failed or a write had. Once only.
    bool commit();
    // Whether the new file took the old one's place: also true when only the
    // folder's sync failed after the rename (the new name may not survive a
    // power cut).
    bool replaced() const;
    // Why the writer could not open, a write or commit() failed: one line.
    QString why() const;
    // After a commit that replaced the file: its descriptor, still holding
    // the exclusive flock the write took, for the caller to keep or close.
    int takeFile();

private:
    // Takes `folder`, a descriptor of the writer's own; a new file gets `mode`.
    void open(int folder, const QString &name, unsigned mode);

    struct Temp;
    std::unique_ptr<Temp> m_temp;
    bool m_replaced = false;
    QString m_why;
};

// The whole of `bytes` through a Writer. Any failed step gives false; then
// `outcome`, when given, says why and whether the new file is in place.
struct Outcome
{
    bool replaced = false;
    QString why;
};
bool write(const QString &path, const QByteArray &bytes, Outcome *outcome = nullptr);

// What marks a temporary file as ours. Each write first removes the ones in
// its folder that a killed write left behind (those no live write holds
// locked), whatever file they were meant to replace.
inline constexpr char kTempMark[] = ".quorvadine-tmp-";

// The call that makes written data durable (fdatasync by default). A test
// puts a failing one in its place (null: fdatasync again); returns the one
// it replaced.
using Sync = int (*)(int fd);
Sync replaceSync(Sync sync);

} // namespace atomicfile
