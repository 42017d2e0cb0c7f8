#include "db/Store.h"

#include "db/DbError.h"
#include "db/FileConnection.h"
#include "db/PgConnection.h"
#include "db/Schema.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>

namespace vanta::db {

QString Store::databaseFile(const QString &dataFolder)
{
    QDir dir(dataFolder);
    const QString exact = dir.filePath(fileName());
    if (QFileInfo(exact).isFile())
        return exact;
    const QStringList entries = dir.entryList(QDir::Files);
    for (const QString &e : entries)
        if (e.compare(fileName(), Qt::CaseInsensitive) == 0)
            return dir.filePath(e);
    return exact;
}

bool Store::exists(const QString &dataFolder) { return QFileInfo(databaseFile(dataFolder)).isFile(); }

bool Store::isServerAddress(const QString &location)
{
    return location.startsWith(QLatin1String("postgresql://"), Qt::CaseInsensitive)
           || location.startsWith(QLatin1String("postgres://"), Qt::CaseInsensitive);
}

void Store::create(const QString &location, const QString &key, const QString &serverPassword)
{
    if (isServerAddress(location)) {
        PgConnection conn(location, serverPassword);
        QStringList present;
        for (const QString &t : conn.tableNames())
            if (findTable(t))
                present << t;
        if (!present.isEmpty())
            throw DbError(EngineBase + 14, QStringLiteral("The database '%1' already holds a store (%2).")
                                               .arg(conn.path(), present.mid(0, 3).join(QStringLiteral(", "))));
        createSchema(conn);
        return;
    }
    const QString &dataFolder = location;
    if (!QDir().mkpath(dataFolder))
        throw DbError(EngineBase + 14, QStringLiteral("Could not create the folder '%1'.").arg(dataFolder));
    if (exists(dataFolder))
        throw DbError(EngineBase + 14, QStringLiteral("A store database already exists in '%1'.").arg(dataFolder));
    FileConnection conn(databaseFile(dataFolder), key, Connection::Mode::Create);
    createSchema(conn);
}

Store::Store(const QString &location, const QString &key, const QString &serverPassword)
    : mKey(key), mPassword(serverPassword), mServer(isServerAddress(location))
{
    if (mServer) {
        mFilePath = location;
    } else {
        mDataPath = location;
        mFilePath = databaseFile(location);
    }
    mMain = Database(connect());
    requireStoreTables();
}

std::shared_ptr<Connection> Store::connect() const
{
    if (mServer)
        return std::make_shared<PgConnection>(mFilePath, mPassword);
    return std::make_shared<FileConnection>(mFilePath, mKey);
}

// A file that opens but lacks tables the register reads or writes is not a
// store the register can work on: refused once, naming what is missing.
void Store::requireStoreTables() const
{
    QSet<QString> present;
    for (const QString &name : mMain.connection().tableNames())
        present.insert(name.toLower());
    QStringList missing;
    for (const TableDef &t : storeTables())
        if (!t.createdByRegister && !t.addedLater && !present.contains(t.name.toLower()))
            missing << t.name;
    if (!missing.isEmpty())
        throw DbError(ErrMissingTables, QStringLiteral("The store database '%1' lacks tables the register needs: %2.")
                                            .arg(mFilePath, missing.join(QStringLiteral(", "))));
}

void Store::requireUndamaged() const
{
    if (knownDamaged())
        throw DbError(ErrDamaged, damagedStoreMessage(mFilePath, mDamage));
}

Database Store::ownConnection()
{
    if (!mMain.connection().inTransaction())
        return mMain;
    return separateConnection();
}

Database Store::separateConnection()
{
    for (const auto &c : mSpare)
        if (c.use_count() == 1 && !c->inTransaction())
            return Database(c);
    mSpare.push_back(connect());
    return Database(mSpare.back());
}

} // namespace vanta::db

namespace vanta::db {

Store &requireStore(Store *store)
{
    if (!store)
        throw DbError(ErrFileNotFound, QStringLiteral("No store database is open."));
    return *store;
}

} // namespace vanta::db
