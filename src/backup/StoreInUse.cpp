#include "backup/StoreInUse.h"

#include <QFile>
#include <fcntl.h>
#include <unistd.h>

namespace vanta::backup {

namespace {
// The engine's lock bytes in the shared-memory file: eight locks from offset
// 120, then the one every open connection holds.
constexpr off_t kOpenConnectionsByte = 128;
} // namespace

qint64 storeHolder(const QString &storeFile)
{
    const int fd = ::open(QFile::encodeName(storeFile + QStringLiteral("-shm")).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return 0; // no shared memory: nobody has the store open
    struct flock probe {};
    probe.l_type = F_WRLCK;
    probe.l_whence = SEEK_SET;
    probe.l_start = kOpenConnectionsByte;
    probe.l_len = 1;
    const bool asked = ::fcntl(fd, F_GETLK, &probe) == 0;
    ::close(fd);
    return asked && probe.l_type != F_UNLCK ? qint64(probe.l_pid) : 0;
}

} // namespace vanta::backup
