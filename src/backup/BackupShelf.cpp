#include "backup/BackupShelf.h"

#include "db/Store.h"
#include "platform/ProgramFiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QUrl>

namespace vanta::backup {

namespace {

const QString kPrefix = QStringLiteral("vanta-");
const QString kStamp = QStringLiteral("yyyyMMdd-HHmmss");

QString shelfName(const QString &location)
{
    QString name;
    QString full = location;
    if (db::Store::isServerAddress(location)) {
        name = QUrl(location).path().section(QLatin1Char('/'), -1);
    } else {
        QFileInfo info(QDir::cleanPath(QFileInfo(location).absoluteFilePath()));
        if (info.isFile())
            info = QFileInfo(info.absolutePath());
        full = info.absoluteFilePath();
        name = info.fileName();
    }
    name.replace(QRegularExpression(QStringLiteral("[^A-Za-z0-9._-]")), QStringLiteral("_"));
    if (name.isEmpty() || name.startsWith(QLatin1Char('.')))
        name.prepend(QStringLiteral("store"));
    const QByteArray hash = QCryptographicHash::hash(full.toUtf8(), QCryptographicHash::Sha256).toHex().left(8);
    return name.left(40) + QLatin1Char('-') + QString::fromLatin1(hash);
}

} // namespace

BackupShelf::BackupShelf(const QString &root, const QString &storeLocation)
    : mFolder(QDir(root).filePath(shelfName(storeLocation))),
      mSuffix(db::Store::isServerAddress(storeLocation) ? QStringLiteral(".dump") : QStringLiteral(".mdb"))
{
}

QString BackupShelf::defaultRoot()
{
    return QDir(platform::userDataFolder()).filePath(QStringLiteral("backups"));
}

QString BackupShelf::nameFor(const QDateTime &at) const
{
    return QDir(mFolder).filePath(kPrefix + at.toString(kStamp) + mSuffix);
}

QStringList BackupShelf::backups() const
{
    static const QRegularExpression named(QStringLiteral("^vanta-\\d{8}-\\d{6}\\.(mdb|dump)$"));
    QStringList found;
    const QDir dir(mFolder);
    for (const QString &name : dir.entryList({kPrefix + QLatin1Char('*') + mSuffix}, QDir::Files, QDir::Name))
        if (named.match(name).hasMatch())
            found << dir.filePath(name);
    return found;
}

QString BackupShelf::newest() const
{
    const QStringList all = backups();
    return all.isEmpty() ? QString() : all.last();
}

bool BackupShelf::hasBackupFrom(const QDate &day) const
{
    const QString stamp = kPrefix + day.toString(QStringLiteral("yyyyMMdd")) + QLatin1Char('-');
    for (const QString &path : backups())
        if (QFileInfo(path).fileName().startsWith(stamp))
            return true;
    return false;
}

void BackupShelf::prune() const
{
    const QStringList all = backups();
    for (qsizetype i = 0; i + Kept < all.size(); ++i)
        QFile::remove(all[i]);
}

} // namespace vanta::backup
