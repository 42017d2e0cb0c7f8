#include "db/StoreFileMode.h"

#include "db/DbError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vanta::db {

int newStoreFileMode(const QString &folder)
{
    struct stat st {};
    if (::stat(QFile::encodeName(folder).constData(), &st) == 0 && (st.st_mode & S_ISGID))
        return 0660;
    return 0600;
}

void createStoreFile(const QString &path)
{
    const int mode = newStoreFileMode(QFileInfo(path).absolutePath());
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0) {
        if (errno == EEXIST)
            return;
        throw DbError(EngineBase + 14, QStringLiteral("Could not create the store database '%1': %2")
                                           .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
    }
    ::fchmod(fd, mode); // the mode exactly, whatever the process's umask takes away
    ::close(fd);
}

bool readableByEveryone(const QString &path)
{
    struct stat st {};
    QString at = QFileInfo(path).absoluteFilePath();
    if (::stat(QFile::encodeName(at).constData(), &st) != 0 || !(st.st_mode & S_IROTH))
        return false;
    for (QString folder = QFileInfo(at).absolutePath();; folder = QFileInfo(folder).absolutePath()) {
        if (::stat(QFile::encodeName(folder).constData(), &st) != 0 || !(st.st_mode & S_IXOTH))
            return false;
        if (QDir(folder).isRoot())
            return true;
    }
}

} // namespace vanta::db
