#pragma once

#include <QByteArray>
#include <QString>

// Files replaced whole: a reader, a crash or a kill at any moment finds
// either the old file or the complete new one, never a part. Serves the
// script files and the recovery copy alike.
namespace atomicfile {

// Writes `bytes` to a hidden temporary file beside `path` (".NAME" + kTempMark
// + six random letters and digits), syncs it to disk, renames it over `path` and
// syncs the folder. Any failed step gives false; until the rename, the old
// file stays as it was and the temporary file is removed. A symbolic link is
// followed, and an existing file keeps its permissions.
bool write(const QString &path, const QByteArray &bytes);

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
