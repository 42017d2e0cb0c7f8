#include "db/Store.h"

#include "db/DbError.h"
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

void Store::create(const QString &dataFolder, const QString &key)
{
    if (!QDir().mkpath(dataFolder))
        throw DbError(EngineBase + 14, QStringLiteral("Could not create the folder '%1'.").arg(dataFolder));
    if (exists(dataFolder))
        throw DbError(EngineBase + 14, QStringLiteral("A store database already exists in '%1'.").arg(dataFolder));
    Connection conn(databaseFile(dataFolder), key, Connection::Mode::Create);
    createSchema(conn);
}

Store::Store(const QString &dataFolder, const QString &key)
    : mDataPath(dataFolder), mFilePath(databaseFile(dataFolder)), mKey(key)
{
    mMain = Database(std::make_shared<Connection>(mFilePath, mKey));
    requireStoreTables();
}

// A file that opens but lacks tables the register reads or writes is not a
// store the register can work on: refused once, naming what is missing.
void Store::requireStoreTables() const
{
    QSet<QString> present;
    for (Recordset rs = mMain.openQuery(QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table'"));
         !rs.eof(); rs.moveNext())
        present.insert(rs.text(QStringLiteral("name")).toLower());
    QStringList missing;
    for (const TableDef &t : storeTables())
        if (!t.createdByRegister && !present.contains(t.name.toLower()))
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
    mSpare.push_back(std::make_shared<Connection>(mFilePath, mKey));
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
