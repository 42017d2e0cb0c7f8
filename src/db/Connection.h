#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <optional>
#include <string_view>
#include <vector>

namespace vanta::db {

class Connection;

// One prepared statement of an engine, cached by its SQL text on its
// connection and reused (reset + rebind) instead of being prepared per call.
// SQL is written with `?` placeholders and double-quoted identifiers; each
// engine translates what it must.
class Statement {
public:
    virtual ~Statement() = default;
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    virtual void bind(const QVariantList &params) = 0;
    virtual bool step() = 0; // true while a row is available
    virtual void reset() = 0;
    // Rows changed by the last run of a statement that returns none.
    virtual int changedRows() const = 0;
    int columnCount() const { return int(mNames.size()); }
    virtual QVariant column(int i) const = 0;
    // Plain reads of the current row for bulk loads, without a QVariant:
    // text as UTF-8 bytes (empty for null) and numbers (0 for null).
    virtual std::string_view utf8(int i) const = 0;
    virtual double real(int i) const = 0;
    virtual bool isNull(int i) const = 0;
    virtual bool isNumber(int i) const = 0; // an integer or real value, not text
    const QStringList &columnNames() const { return mNames; }
    // Position of a column by name in any case, -1 when absent.
    int columnIndex(const QString &name) const { return mLowerIndex.value(name.toLower(), -1); }
    const QString &sql() const { return mSql; }

    bool inUse = false;

protected:
    explicit Statement(const QString &sql) : mSql(sql) {}
    void setColumnNames(const QStringList &names);

    QString mSql;

private:
    QStringList mNames;
    QHash<QString, int> mLowerIndex;
};

// A statement borrowed from the cache for the length of one use; returned
// (reset, bindings kept harmless) when the lease ends.
class StatementLease {
public:
    StatementLease() = default;
    StatementLease(Statement *cached, std::unique_ptr<Statement> owned);
    StatementLease(StatementLease &&other) noexcept;
    StatementLease &operator=(StatementLease &&other) noexcept;
    ~StatementLease();
    Statement *operator->() const { return mStmt; }
    Statement &operator*() const { return *mStmt; }
    explicit operator bool() const { return mStmt != nullptr; }
    void release();

private:
    Statement *mStmt = nullptr;
    std::unique_ptr<Statement> mOwned;
};

// One open connection to a store database: the encrypted file of a data
// folder or a PostgreSQL server shared by several registers.
class Connection {
public:
    enum class Engine { File, Server };
    // How a file connection treats a missing file.
    enum class Mode { OpenExisting, Create };

    virtual ~Connection() = default;
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    virtual Engine engine() const = 0;
    // The file path, or the server address without a password.
    const QString &path() const { return mPath; }

    StatementLease prepare(const QString &sql);
    // Runs a statement that returns no rows; returns the number of changed rows.
    int execute(const QString &sql, const QVariantList &params = {});
    // First column of the first row, or a null value when there is none.
    QVariant scalar(const QString &sql, const QVariantList &params = {});

    virtual void begin() = 0;    // a unit of writes; the file store takes its write lock at once
    // A unit of reads that sees the store as it was at one moment throughout
    // (ended by rollback()); where begin() gives that already, begin().
    virtual void beginSnapshot() { begin(); }
    virtual void commit() = 0;
    virtual void rollback() = 0; // never throws
    virtual bool inTransaction() const = 0;
    // Changes whenever rows of the store may have changed: a commit by any
    // other connection or a change made through this one. Data read earlier
    // with the same stamp is still current.
    virtual QPair<qint64, qint64> changeStamp() = 0;
    // A stamp that changes only when rows of one of `tables` may have
    // changed (by a commit of any connection, as far as awaitNotes() last
    // caught up, or later); none where the engine cannot
    // tell tables apart, and changeStamp() stands for every table. A
    // table's part that a sale changes alone ("Items stock", "Subitems
    // stock", "Customers balance") is named on its own and left out of the
    // table's name; the first half of the stamp of one part counts its
    // changed rows.
    virtual std::optional<QPair<qint64, qint64>> tablesStamp(const QStringList &tables)
    {
        Q_UNUSED(tables);
        return std::nullopt;
    }
    // Asks the store for every note of a commit that ended before now, so
    // that tablesStamp() tells of it (one round trip where notes travel
    // apart from answers; nothing elsewhere). Opens a lost connection again.
    virtual void awaitNotes() {}
    // The keys of the rows whose `part` changed, from the stamp's count
    // `from` to `to` (both read by tablesStamp({part}) with the same second
    // half); none when they are not all known.
    virtual std::optional<std::vector<qint64>> changedKeys(const QString &part, qint64 from, qint64 to)
    {
        Q_UNUSED(part);
        Q_UNUSED(from);
        Q_UNUSED(to);
        return std::nullopt;
    }
    // Whether the store's tables tell of their changes for tablesStamp()
    // (true where there is nothing to set up); setting it up is part of
    // making the store or adding what an older one lacks.
    virtual bool changeNotesReady() { return true; }
    virtual void setUpChangeNotes() {}
    // A row written through this connection: its table, its row key, and
    // whether it was changed in place (not inserted or deleted).
    struct RowWrite {
        QString table;
        qint64 row = 0;
        bool update = false;
    };
    // The position in this connection's log of its own row writes; -1 when
    // the engine keeps none.
    virtual qint64 writeMark() const { return -1; }
    // Every row written through this connection after `mark`; none when
    // they are not all known (no log, or the oldest entries were dropped).
    // A DELETE without a condition may empty a table without a row entry.
    virtual std::optional<std::vector<RowWrite>> writesSince(qint64 mark) const
    {
        Q_UNUSED(mark);
        return std::nullopt;
    }
    // How long a statement waits for another program's lock before it fails.
    virtual void setBusyTimeout(int ms) = 0;
    virtual int busyTimeout() const = 0;
    // The limit of the engine's page cache in KiB; 0 where the engine keeps
    // no cache of its own, and setting it does nothing.
    virtual int cacheLimitKiB() const { return 0; }
    virtual void setCacheLimitKiB(int kib) { Q_UNUSED(kib); }

    // Column names of a table in stored order (cached), empty for no table.
    const QStringList &tableColumns(const QString &table);
    // Declared type of a table column (cached with the columns), in the
    // file store's terms (INTEGER, FLOAT, BOOLEAN, ...) on either engine.
    QString columnType(const QString &table, const QString &column);
    bool tableExists(const QString &table);
    // Names of every table of the store.
    virtual QStringList tableNames() = 0;
    virtual void forgetSchema(); // after a table was created or changed
    // Column definitions the engine adds to every table it creates (a row
    // number where the engine has none of its own), with a leading comma.
    virtual QString extraColumns() const { return {}; }

    // SQL text built once per key and kept (the record layer's generated
    // statements), so hot paths neither format nor hash new text.
    template <typename Make>
    const QString &cachedSql(const QString &key, Make make)
    {
        auto it = mSqlText.find(key);
        if (it == mSqlText.end())
            it = mSqlText.insert(key, make());
        return *it;
    }

protected:
    explicit Connection(const QString &path) : mPath(path) {}

    struct TableInfo {
        QStringList columns;
        QHash<QString, QString> lowerTypes;
    };
    virtual TableInfo loadTableInfo(const QString &table) = 0;
    virtual std::unique_ptr<Statement> makeStatement(const QString &sql) = 0;
    // Derived connections drop their statements before closing the handle.
    void clearStatements();

    QString mPath;

private:
    const TableInfo &tableInfo(const QString &table);

    std::vector<std::unique_ptr<Statement>> mCache;
    QHash<QString, Statement *> mCacheBySql;
    QHash<QString, TableInfo> mTables;
    QHash<QString, QString> mSqlText;
};

// Quotes an identifier for SQL ("Item Index" -> "Item Index" in double quotes).
QString quoteIdentifier(const QString &name);

} // namespace vanta::db
