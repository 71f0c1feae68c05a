#pragma once

#include <cerrno>

#include <sys/stat.h>
#include <unistd.h>

// Stand-ins for the atomic write's sync (atomicfile::replaceSync): a disk
// that reports an error for every sync, or only for its folders', as after
// the new file took the old one's name.
namespace support {

inline int failingSync(int)
{
    errno = EIO;
    return -1;
}

inline int failingFolderSync(int fd)
{
    struct stat status = {};
    return ::fstat(fd, &status) == 0 && S_ISDIR(status.st_mode) ? failingSync(fd) : ::fdatasync(fd);
}

} // namespace support
