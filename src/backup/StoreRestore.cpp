#include "backup/StoreRestore.h"

#include "backup/BackupError.h"
#include "backup/FileSwap.h"
#include "backup/FileBackup.h"
#include "backup/StoreInUse.h"
#include "db/DbError.h"
#include "db/Store.h"
#include "db/StoreFileMode.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace vanta::backup {

namespace {

QString storeFileOf(const QString &store)
{
    const QFileInfo info(store);
    if (info.isDir() || !info.fileName().endsWith(QLatin1String(".mdb"), Qt::CaseInsensitive))
        return db::Store::databaseFile(info.absoluteFilePath());
    return info.absoluteFilePath();
}

void refuseWhileOpen(const QString &file)
{
    if (const qint64 pid = storeHolder(file))
        throw BackupError(ErrStoreInUse, QStringLiteral("The store '%1' is open in another program (process %2). "
                                                        "Close every register that uses it and try again.")
                                             .arg(file)
                                             .arg(pid));
}

// A copy of the backup beside the store, with the mode of a new store file.
void copyBeside(const QString &backup, const QString &partial)
{
    removeWithSidecars(partial);
    db::createStoreFile(partial);
    QFile in(backup);
    QFile out(partial);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        throw BackupError(ErrBackupFailed, QStringLiteral("Could not copy the backup '%1' to '%2': %3")
                                               .arg(backup, partial, in.isOpen() ? out.errorString()
                                                                                  : in.errorString()));
    while (!in.atEnd()) {
        const QByteArray chunk = in.read(1 << 20);
        if (chunk.isEmpty() && !in.atEnd())
            throw BackupError(ErrBackupFailed, QStringLiteral("Could not read the backup '%1': %2")
                                                   .arg(backup, in.errorString()));
        if (out.write(chunk) != chunk.size())
            throw BackupError(ErrBackupFailed, QStringLiteral("Could not write '%1': %2")
                                                   .arg(partial, out.errorString()));
    }
}

// Moves the store and the engine's files beside it to the kept name
// together, so that the kept file reads as the store stood.
QString keepReplaced(const QString &file)
{
    const QString kept = file + QStringLiteral(".replaced-")
                         + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    for (const QString &suffix : storeSidecars())
        if (QFileInfo::exists(file + suffix))
            commitRename(file + suffix, kept + suffix);
    commitRename(file, kept);
    return kept;
}

} // namespace

RestoreReport restoreStoreFile(const QString &backup, const QString &key, const QString &store, bool force)
{
    const QString file = storeFileOf(store);
    const bool present = QFileInfo::exists(file);
    if (!QFileInfo(backup).isFile())
        throw BackupError(ErrBackupFailed, QStringLiteral("There is no backup '%1'.").arg(backup));
    if (present && QFileInfo(backup).canonicalFilePath() == QFileInfo(file).canonicalFilePath())
        throw BackupError(ErrBackupFailed, QStringLiteral("'%1' is the store itself, not a backup of it.").arg(backup));
    refuseWhileOpen(file);
    if (present && !force)
        throw BackupError(ErrStoreExists, QStringLiteral("'%1' already holds a store. Add --force to replace it "
                                                         "(the store it replaces is kept beside it).")
                                              .arg(file));
    if (!QDir().mkpath(QFileInfo(file).absolutePath()))
        throw BackupError(ErrBackupFailed,
                          QStringLiteral("Could not create the folder '%1'.").arg(QFileInfo(file).absolutePath()));
    const QString partial = partialName(file);
    RestoreReport report{file, QString()};
    try {
        copyBeside(backup, partial);
        requireWholeStore(partial, key, backup);
        refuseWhileOpen(file); // a register may have started meanwhile
        if (QFileInfo::exists(file))
            report.replaced = keepReplaced(file);
        else
            for (const QString &suffix : storeSidecars())
                QFile::remove(file + suffix); // stray files of no store must not be read into this one
        commitRename(partial, file);
    } catch (...) {
        removeWithSidecars(partial);
        throw;
    }
    return report;
}

} // namespace vanta::backup
