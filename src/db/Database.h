#pragma once

#include "db/Connection.h"
#include "db/Recordset.h"

#include <QList>
#include <memory>

namespace vanta::db {

// A field of a table made by createTable: Text(50) or Long.
struct FieldSpec {
    enum class Kind { Text50, Long } kind = Kind::Text50;
    QString name;
    bool allowEmpty = true;
};

// An open store database: the handle that record operations go through.
class Database {
public:
    Database() = default;
    explicit Database(std::shared_ptr<Connection> conn) : mConn(std::move(conn)) {}

    bool isOpen() const { return mConn != nullptr; }
    Connection &connection() const;
    const std::shared_ptr<Connection> &shared() const { return mConn; }

    Recordset openTable(const QString &table) const;
    Recordset openQuery(const QString &sql, const QVariantList &params = {}) const;
    int execute(const QString &sql, const QVariantList &params = {}) const;
    QVariant scalar(const QString &sql, const QVariantList &params = {}) const;
    bool tableExists(const QString &table) const;
    void createTable(const QString &name, const QList<FieldSpec> &fields) const;
    // Release read locks / refresh the cache. Each statement already reads the
    // newest committed data, so there is nothing left to do here.
    void idle(int /*flags*/) const {}
    void close() { mConn.reset(); }

private:
    std::shared_ptr<Connection> mConn;
};

// Rolls back unless committed: one unit of writes on one connection.
class Transaction {
public:
    explicit Transaction(Connection &conn);
    ~Transaction();
    Transaction(const Transaction &) = delete;
    Transaction &operator=(const Transaction &) = delete;
    void commit();
    void rollback();
    bool active() const { return mActive; }

private:
    Connection &mConn;
    bool mActive = false;
};

} // namespace vanta::db
