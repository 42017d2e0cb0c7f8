#include "platform/ProgramFiles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QStringList>

namespace vanta::platform {

QString programFilesFolder(const QString &name)
{
    const QDir program(QCoreApplication::applicationDirPath());
    const QStringList candidates{program.filePath(name),
                                 program.filePath(QStringLiteral("../share/vanta-pos/") + name)};
    for (const QString &c : candidates)
        if (QFileInfo(c).isDir())
            return QDir::cleanPath(c);
    return candidates.front();
}

QString companionProgram(const QString &name)
{
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo(beside).isExecutable() ? beside : name;
}

QString userDataFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation))
        .filePath(QStringLiteral("vanta-pos"));
}

} // namespace vanta::platform
