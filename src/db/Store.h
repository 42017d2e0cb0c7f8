#pragma once

#include "db/Database.h"
#include "db/StoreCheck.h"

#include <QHash>
#include <QString>
#include <memory>
#include <vector>

namespace vanta::db {

// The store database of one data folder, or of a PostgreSQL server that
// several registers share (a location "postgresql://user@host/dbname"): the
// long-lived connection the register works through, plus spare connections
// for work that needs a connection of its own (a posting's transaction,
// checks that must not see uncommitted rows). Opening an encrypted file
// costs tens of milliseconds of key derivation and a server connection a
// round trip or more, so connections are kept and reused.
class Store {
public:
    static QString defaultKey() { return QStringLiteral("4093"); }
    static QString fileName() { return QStringLiteral("vanta.mdb"); }
    // The store file of a data folder: "vanta.mdb" matched without regard to
    // case; the exact spelling when none exists yet.
    static QString databaseFile(const QString &dataFolder);
    static bool exists(const QString &dataFolder);
    // A PostgreSQL connection string (postgresql:// or postgres://) rather
    // than a data folder.
    static bool isServerAddress(const QString &location);
    // Writes a new, empty store database (every table and index). A server
    // store is made in an existing, empty database; one that already holds
    // store tables is refused.
    static void create(const QString &location, const QString &key = defaultKey(),
                       const QString &serverPassword = QString());

    // Opens the store of the data folder or server address; throws DbError
    // on failure. The password of a server store comes from the password
    // file (~/.pgpass) unless given here.
    explicit Store(const QString &location, const QString &key = defaultKey(),
                   const QString &serverPassword = QString());

    bool onServer() const { return mServer; }
    // The data folder; empty for a server store.
    const QString &dataPath() const { return mDataPath; }
    // The store file, or the server address.
    const QString &filePath() const { return mFilePath; }

    // The long-lived connection.
    const Database &database() const { return mMain; }
    // A connection of its own: the main connection while it holds no open
    // transaction (its reads then see exactly what a fresh connection sees),
    // otherwise a spare one.
    Database ownConnection();
    // A connection that no one else is using: for a workspace's transaction or
    // for reads that must not see another workspace's uncommitted rows.
    Database separateConnection();

    // Damage found in the file (by a check of its pages, say): once known, no
    // sale is written into it.
    void markDamaged(const QString &problem) { mDamage = problem; }
    bool knownDamaged() const { return !mDamage.isEmpty(); }
    // Throws DbError (damaged) when the file is known to be damaged.
    void requireUndamaged() const;
    const QString &key() const { return mKey; }
    // The server password given when the store was opened (none: ~/.pgpass).
    const QString &serverPassword() const { return mPassword; }

    // Data derived from the store and kept with it (an in-memory index, say),
    // by a key of the user's choosing; none when nothing was kept.
    std::shared_ptr<void> attachment(const QString &key) const { return mAttached.value(key); }
    void attach(const QString &key, std::shared_ptr<void> data) { mAttached.insert(key, std::move(data)); }

private:
    void requireStoreTables() const;
    std::shared_ptr<Connection> connect() const;

    QHash<QString, std::shared_ptr<void>> mAttached;
    QString mDataPath;
    QString mFilePath;
    QString mKey;
    QString mDamage;
    QString mPassword;
    bool mServer = false;
    Database mMain;
    std::vector<std::shared_ptr<Connection>> mSpare;
};

// The open store; throws DbError (file not found) when there is none.
Store &requireStore(Store *store);

// A workspace: a connection on which a unit of writes is begun, committed or
// rolled back. It takes the main connection when that holds no transaction:
// a connection keeps its page cache over its own commits, while a commit on
// another connection empties it, and reading the store's pages again means
// decrypting them again. Readers that must not see the unit's uncommitted
// rows ask for ownConnection(), which then hands out a spare.
class Workspace {
public:
    explicit Workspace(Store &store) : mDb(store.ownConnection()) {}
    const Database &database() const { return mDb; }
    void beginTrans() { mDb.connection().begin(); }
    void commitTrans() { mDb.connection().commit(); }
    void rollback() { mDb.connection().rollback(); }

private:
    Database mDb;
};

} // namespace vanta::db
