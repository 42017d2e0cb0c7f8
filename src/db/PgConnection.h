#pragma once

#include "db/Connection.h"
#include "db/ChangeNotes.h"
#include "db/PgSqlText.h"

struct pg_conn;
struct pg_result;

namespace vanta::db {

// A connection to a store on a PostgreSQL server, shared by several
// registers. The address is a libpq connection string or URI
// (postgresql://user@host/dbname). A password comes from the user's
// password file (~/.pgpass) or from `password`, never from the address.
// Connections to another host require TLS.
//
// Tables carry a trailing "rowid" column of their own (the file store's
// row number); it is left out of table columns and of result columns.
class PgConnection final : public Connection {
public:
    explicit PgConnection(const QString &address, const QString &password = QString());
    // The address as the server's own tools (pg_dump) are to be given it:
    // checked as a connection's is, with TLS asked for where the register
    // would ask for it. Throws DbError for an address that must not be used.
    static QString toolAddress(const QString &address);
    ~PgConnection() override;

    Engine engine() const override { return Engine::Server; }

    void begin() override; // READ COMMITTED; writes lock the rows they change
    void beginSnapshot() override;
    void commit() override;
    void rollback() override;
    bool inTransaction() const override;
    QPair<qint64, qint64> changeStamp() override;
    std::optional<QPair<qint64, qint64>> tablesStamp(const QStringList &tables) override;
    void awaitNotes() override;
    std::optional<std::vector<qint64>> changedKeys(const QString &part, qint64 from, qint64 to) override;
    bool changeNotesReady() override;
    void setUpChangeNotes() override;
    void setBusyTimeout(int ms) override;
    int busyTimeout() const override { return mBusyMs; }
    QStringList tableNames() override;
    void forgetSchema() override;
    QString extraColumns() const override;

    // For the statements of this connection.
    pg_conn *handle() const { return mConn; }
    const NameCatalogue &names();
    // Reconnects a connection that was lost while no transaction was open;
    // throws DbError when the server cannot be reached, or when a
    // transaction was open: its writes are gone, and the rest of them must
    // not be made outside it.
    void ensureConnected();
    bool closing() const { return mClosing; }
    // Changes with every reconnection: statements prepared before are gone.
    int generation() const { return mGeneration; }
    QByteArray nextStatementName();
    // Kind of a result column's type: 'i' whole number, 'f' real, 'b'
    // boolean, 'x' bytes, 't' anything read as text.
    char typeKind(unsigned oid);
    [[noreturn]] void fail(pg_result *result, const QString &context);
    // Runs catalogue or control text without placeholders; throws on failure.
    void run(const char *sql);

protected:
    TableInfo loadTableInfo(const QString &table) override;
    std::unique_ptr<Statement> makeStatement(const QString &sql) override;

private:
    void loadCatalogue();
    void listen(); // for the notes of the store's changes

    pg_conn *mConn = nullptr;
    bool mCatalogueLoaded = false;
    NameCatalogue mNames;
    QHash<QString, TableInfo> mInfo; // by exact table name
    QHash<unsigned, char> mKinds;
    int mGeneration = 0;
    int mNextName = 0;
    int mBusyMs = 0;
    bool mOpenTransaction = false; // begun here and not yet ended
    bool mClosing = false;
    bool mListening = false;
    ChangeNotes mNotes; // heard since the connection was opened
};

} // namespace vanta::db
