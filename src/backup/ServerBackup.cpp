#include "backup/ServerBackup.h"

#include "backup/BackupError.h"
#include "backup/FileSwap.h"
#include "db/PgConnection.h"
#include "db/StoreFileMode.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <algorithm>

namespace vanta::backup {

namespace {

// The tool on the PATH, else the newest of the server versions installed
// side by side (/usr/lib/postgresql/<version>/bin).
QString findTool(const QString &name)
{
    const QString onPath = QStandardPaths::findExecutable(name);
    if (!onPath.isEmpty())
        return onPath;
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList found = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(found.begin(), found.end(), [](const QString &a, const QString &b) { return a.toInt() > b.toInt(); });
    for (const QString &v : found) {
        const QString tool = versions.filePath(v + QStringLiteral("/bin/") + name);
        if (QFileInfo(tool).isExecutable())
            return tool;
    }
    throw BackupError(ErrToolMissing,
                      QStringLiteral("%1, the backup tool of PostgreSQL, is not installed on this computer. "
                                     "Install the package postgresql-client (sudo apt install "
                                     "postgresql-client) and try again.")
                          .arg(name));
}

// Runs a tool to its end; throws with its own words when it fails.
QByteArray runTool(const QString &tool, const QStringList &args, const QString &password, const QString &what)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!password.isEmpty())
        env.insert(QStringLiteral("PGPASSWORD"), password); // never on the command line
    env.insert(QStringLiteral("PGCONNECT_TIMEOUT"), QStringLiteral("10"));
    p.setProcessEnvironment(env);
    p.start(tool, args);
    p.closeWriteChannel();
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        const QString said = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        throw BackupError(ErrBackupFailed, QStringLiteral("%1: %2")
                                               .arg(what, said.isEmpty() ? p.errorString() : said));
    }
    return p.readAllStandardOutput();
}

} // namespace

void backupServerStore(const QString &address, const QString &password, const QString &target)
{
    const QString dump = findTool(QStringLiteral("pg_dump"));
    const QString restore = findTool(QStringLiteral("pg_restore"));
    const QString toolAddress = db::PgConnection::toolAddress(address);
    const QString partial = partialName(target);
    removeWithSidecars(partial);
    try {
        db::createStoreFile(partial); // pg_dump writes into it and keeps its mode
        runTool(dump,
                {QStringLiteral("--format=custom"), QStringLiteral("--no-password"),
                 QStringLiteral("--file=") + partial, QStringLiteral("--dbname=") + toolAddress},
                password, QStringLiteral("pg_dump could not back up the store"));
        const QByteArray contents = runTool(restore, {QStringLiteral("--list"), partial}, QString(),
                                            QStringLiteral("The backup '%1' cannot be read back").arg(target));
        if (!contents.contains("TABLE DATA"))
            throw BackupError(ErrBackupDamaged,
                              QStringLiteral("The backup '%1' holds no tables: is '%2' the store's database?")
                                  .arg(target, address));
        commitRename(partial, target);
    } catch (...) {
        QFile::remove(partial);
        throw;
    }
}

} // namespace vanta::backup
