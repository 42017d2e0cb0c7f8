#include "backup/FileBackup.h"

#include "backup/BackupError.h"
#include "backup/FileSwap.h"
#include "db/CipherSettings.h"
#include "db/DbError.h"
#include "db/FileConnection.h"
#include "db/StoreFileMode.h"

#include <QFile>
#include <QFileInfo>
#include <QThread>
#include <sqlcipher/sqlite3.h>

namespace vanta::backup {

namespace {

// Pages copied per step (1 KB each), and the rest between steps that lets
// the register's own threads and other programs have the disk.
constexpr int kPagesPerStep = 512;
constexpr int kRestMs = 1;

// The copy's own connection, closed however the copy ends.
struct CopyHandle {
    sqlite3 *db = nullptr;
    ~CopyHandle() { sqlite3_close(db); }
};

[[noreturn]] void failCopy(const QString &target, sqlite3 *db, int rc)
{
    const QString why = db ? QString::fromUtf8(sqlite3_errmsg(db)) : QString::fromUtf8(sqlite3_errstr(rc));
    const bool damaged = (rc & 0xff) == SQLITE_CORRUPT || (rc & 0xff) == SQLITE_NOTADB;
    throw BackupError(damaged ? ErrBackupDamaged : ErrBackupFailed, QStringLiteral("Could not back up the store into '%1': %2").arg(target, why));
}

void copyPages(db::FileConnection &source, const QString &key, const QString &partial, const QString &target,
               const std::atomic<bool> *cancel)
{
    db::createStoreFile(partial);
    CopyHandle copy;
    int rc = sqlite3_open_v2(QFile::encodeName(partial).constData(), &copy.db,
                             SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK)
        failCopy(target, copy.db, rc);
    db::applyCipher(copy.db, key.toUtf8(), source.cipherParams());
    // One read transaction over the whole copy: every step reads the same
    // snapshot, so postings made meanwhile neither restart the copy nor end
    // up in it half. In write-ahead-log mode a reader never holds up a writer.
    source.execute(QStringLiteral("BEGIN"));
    source.scalar(QStringLiteral("SELECT count(*) FROM sqlite_master"));
    sqlite3_backup *backup = sqlite3_backup_init(copy.db, "main", source.handle(), "main");
    if (!backup) {
        source.rollback();
        failCopy(target, copy.db, SQLITE_ERROR);
    }
    do {
        if (cancel && cancel->load()) {
            sqlite3_backup_finish(backup);
            source.rollback();
            throw BackupError(ErrBackupCancelled, QStringLiteral("The backup was stopped before it was done."));
        }
        rc = sqlite3_backup_step(backup, kPagesPerStep);
        if (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED)
            QThread::msleep(kRestMs);
    } while (rc == SQLITE_OK || rc == SQLITE_BUSY || rc == SQLITE_LOCKED);
    sqlite3_backup_finish(backup);
    source.rollback(); // ends the read transaction
    if (rc != SQLITE_DONE)
        failCopy(target, copy.db, rc);
}

} // namespace

void requireWholeStore(const QString &path, const QString &key, const QString &shownName)
{
    const QString named = shownName.isEmpty() ? path : shownName;
    QString verdict;
    try {
        db::FileConnection conn(path, key);
        sqlite3_stmt *st = nullptr;
        if (sqlite3_prepare_v2(conn.handle(), "PRAGMA integrity_check", -1, &st, nullptr) != SQLITE_OK)
            conn.fail(sqlite3_errcode(conn.handle()), QStringLiteral("PRAGMA integrity_check"));
        const int rc = sqlite3_step(st);
        verdict = rc == SQLITE_ROW ? QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(st, 0)))
                                   : QString::fromUtf8(sqlite3_errmsg(conn.handle()));
        sqlite3_finalize(st);
    } catch (const db::DbError &e) {
        throw BackupError(ErrBackupDamaged,
                          QStringLiteral("'%1' is not a whole store database: %2").arg(named, e.description()));
    }
    if (verdict.compare(QLatin1String("ok"), Qt::CaseInsensitive) != 0)
        throw BackupError(ErrBackupDamaged, QStringLiteral("'%1' fails its check (%2).")
                                                .arg(named, verdict.section(QLatin1Char('\n'), 0, 0).left(160)));
}

void backupStoreFile(const QString &source, const QString &key, const QString &target,
                     const std::atomic<bool> *cancel)
{
    const QString partial = partialName(target);
    removeWithSidecars(partial); // left by a copy that was killed
    try {
        {
            db::FileConnection from(source, key);
            copyPages(from, key, partial, target, cancel);
        }
        requireWholeStore(partial, key, target);
        commitRename(partial, target);
    } catch (...) {
        removeWithSidecars(partial);
        throw;
    }
}

} // namespace vanta::backup
