#include "backup/FileSwap.h"

#include "backup/BackupError.h"

#include <QFile>
#include <QFileInfo>
#include <QStringList>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace vanta::backup {

namespace {

void syncPath(const QString &path, int flags)
{
    const int fd = ::open(QFile::encodeName(path).constData(), flags | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

QString systemError() { return QString::fromLocal8Bit(std::strerror(errno)); }

} // namespace

const QStringList &storeSidecars()
{
    static const QStringList sidecars = {QStringLiteral("-wal"), QStringLiteral("-shm"),
                                         QStringLiteral("-journal")};
    return sidecars;
}

void removeWithSidecars(const QString &path)
{
    QFile::remove(path);
    for (const QString &suffix : storeSidecars())
        QFile::remove(path + suffix);
}

void commitRename(const QString &from, const QString &to)
{
    syncPath(from, O_RDONLY);
    if (std::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) != 0)
        throw BackupError(ErrBackupFailed,
                          QStringLiteral("Could not name the file '%1' '%2': %3").arg(from, to, systemError()));
    syncPath(QFileInfo(to).absolutePath(), O_RDONLY | O_DIRECTORY);
}

QString partialName(const QString &path) { return path + QStringLiteral(".partial"); }

} // namespace vanta::backup
