#pragma once

#include "db/Store.h"
#include "support/PgServer.h"

#include <QTemporaryDir>
#include <memory>
#include <stdexcept>

namespace vanta::test {

// A fresh, empty store database in a temporary data folder, removed with the
// fixture. With VANTA_TEST_STORE=pg in the environment the store is a new
// database of the test run's PostgreSQL server instead, and path() is its
// address: suites that reach the store only through its location run
// unchanged against the server store.
class TempStore {
public:
    TempStore() : location(onServer() ? serverDatabase() : dir.path())
    {
        db::Store::create(location);
        store = std::make_unique<db::Store>(location);
    }
    QString path() const { return location; }
    // A change committed on a connection of its own, as another register's.
    void commitElsewhere(const QString &sql) const
    {
        db::Database other = store->separateConnection();
        db::Transaction tx(other.connection());
        other.execute(sql);
        tx.commit();
    }
    const db::Database &db() const { return store->database(); }

    static bool onServer() { return qEnvironmentVariable("VANTA_TEST_STORE") == QLatin1String("pg"); }

    QTemporaryDir dir;
    QString location;
    std::unique_ptr<db::Store> store;

private:
    static QString serverDatabase()
    {
        PgServer *server = PgServer::shared();
        if (!server)
            throw std::runtime_error("VANTA_TEST_STORE=pg but no test server: " + PgServer::whyNot().toStdString());
        return server->newDatabase();
    }
};

} // namespace vanta::test
