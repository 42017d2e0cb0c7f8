#include "offline/LocalCopy.h"

#include "db/DbError.h"
#include "db/FileConnection.h"
#include "db/TableCopy.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <cstdio>

namespace vanta::offline {

namespace {

// The copy is made here, inside the copy's folder (the same file system,
// so that moving it into place is one step).
QString makingFolder(const QString &folder) { return folder + QStringLiteral("/making"); }

// Reads that see one moment of the store, ended with the scope.
struct SnapshotRead {
    explicit SnapshotRead(db::Connection &conn) : conn(conn) { conn.beginSnapshot(); }
    ~SnapshotRead() { conn.rollback(); }
    SnapshotRead(const SnapshotRead &) = delete;
    SnapshotRead &operator=(const SnapshotRead &) = delete;
    db::Connection &conn;
};

} // namespace

const QStringList &LocalCopy::tables()
{
    static const QStringList names{
        QStringLiteral("Items"),         QStringLiteral("Subitems"),           QStringLiteral("Attributes"),
        QStringLiteral("Values"),        QStringLiteral("UOM"),                QStringLiteral("Categories"),
        QStringLiteral("BulkLevelPricing"), QStringLiteral("Format"),          QStringLiteral("Customers"),
        QStringLiteral("PayTypes"),      QStringLiteral("PaymentTerms"),       QStringLiteral("ShippingMethods"),
        QStringLiteral("ShippingTypes"), QStringLiteral("ShippingCharges"),    QStringLiteral("States"),
        QStringLiteral("Company"),       QStringLiteral("Tax Rule Definitions"), QStringLiteral("Tax Types"),
        QStringLiteral("Tax splits"),    QStringLiteral("jurisdictions"),      QStringLiteral("Tax Agencies"),
        QStringLiteral("Employees"),     QStringLiteral("Permissions"),        QStringLiteral("Shifts")};
    return names;
}

QString LocalCopy::folderFor(const QString &settingsFolder, const QString &serverAddress)
{
    const QByteArray id = QCryptographicHash::hash(serverAddress.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return settingsFolder + QStringLiteral("/offline/") + QString::fromLatin1(id);
}

bool LocalCopy::make(db::Store &server, const QString &folder, const std::function<bool()> &stopped)
{
    const QString making = makingFolder(folder);
    QDir(making).removeRecursively(); // what a copy cut short left
    if (!QDir().mkpath(making))
        throw db::DbError(db::ErrReadOnly,
                          QStringLiteral("The folder '%1' for the store's local copy cannot be made.").arg(making));
    db::Store::create(making, server.key());
    {
        db::FileConnection copy(db::Store::databaseFile(making), server.key());
        db::Database source = server.separateConnection();
        db::Connection &from = source.connection();
        // One snapshot of the server for every table.
        const SnapshotRead snapshot(from);
        db::Transaction written(copy);
        for (const QString &table : tables()) {
            if (stopped && stopped())
                return false; // the half-made copy is cleared by the next one
            if (from.tableExists(table))
                db::copyRows(from, copy, table);
        }
        written.commit();
    }
    const QString target = db::Store::databaseFile(folder);
    if (std::rename(QFile::encodeName(db::Store::databaseFile(making)).constData(),
                    QFile::encodeName(target).constData())
        != 0)
        throw db::DbError(db::ErrReadOnly,
                          QStringLiteral("The store's local copy could not be moved into place as '%1'.").arg(target));
    QDir(making).removeRecursively();
    return true;
}

std::unique_ptr<db::Store> LocalCopy::open(const QString &folder, const QString &key)
{
    if (!db::Store::exists(folder))
        return nullptr;
    try {
        return std::make_unique<db::Store>(folder, key);
    } catch (const db::DbError &e) {
        if (e.number() != db::ErrNotStoreDatabase && e.number() != db::ErrDamaged
            && e.number() != db::ErrMissingTables)
            throw;
        const QString file = db::Store::databaseFile(folder);
        const QString aside =
            file + QStringLiteral(".damaged-") + QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
        const bool moved = QFile::rename(file, aside);
        throw db::DbError(db::ErrDamaged,
                          QStringLiteral("The store's local copy '%1' cannot be read (%2). %3 The register cannot "
                                         "sell without the server until it has made a new copy.")
                              .arg(file, e.description(),
                                   moved ? QStringLiteral("It was set aside as '%1'.").arg(aside)
                                         : QStringLiteral("It could not be set aside.")));
    }
}

} // namespace vanta::offline
