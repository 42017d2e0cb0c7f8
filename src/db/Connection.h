#pragma once

#include <QHash>
#include <QPair>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>
#include <memory>
#include <string_view>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace vanta::db {

class Connection;

// One prepared statement, cached by its SQL text on its connection and reused
// (reset + rebind) instead of being prepared per call.
class Statement {
public:
    Statement(Connection &conn, const QString &sql);
    ~Statement();
    Statement(const Statement &) = delete;
    Statement &operator=(const Statement &) = delete;

    void bind(const QVariantList &params);
    bool step(); // true while a row is available
    void reset();
    int columnCount() const;
    QVariant column(int i) const;
    // Plain reads of the current row for bulk loads, without a QVariant:
    // text as UTF-8 bytes (empty for null) and numbers (0 for null).
    std::string_view utf8(int i) const;
    double real(int i) const;
    bool isNull(int i) const;
    bool isNumber(int i) const; // an integer or real value, not text
    const QStringList &columnNames() const { return mNames; }
    // Position of a column by name in any case, -1 when absent.
    int columnIndex(const QString &name) const;
    const QString &sql() const { return mSql; }

    bool inUse = false;

private:
    Connection &mConn;
    QString mSql;
    sqlite3_stmt *mStmt = nullptr;
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

// One open connection to an encrypted store file.
class Connection {
public:
    enum class Mode { OpenExisting, Create };
    // Opens the file with the key and proves the key by reading the schema.
    // Throws DbError for a missing file, a wrong key or a non-database file.
    Connection(const QString &path, const QString &key, Mode mode = Mode::OpenExisting);
    ~Connection();
    Connection(const Connection &) = delete;
    Connection &operator=(const Connection &) = delete;

    const QString &path() const { return mPath; }
    sqlite3 *handle() const { return mDb; }

    StatementLease prepare(const QString &sql);
    // Runs a statement that returns no rows; returns the number of changed rows.
    int execute(const QString &sql, const QVariantList &params = {});
    // First column of the first row, or a null value when there is none.
    QVariant scalar(const QString &sql, const QVariantList &params = {});

    void begin();    // BEGIN IMMEDIATE: the write lock is taken at once
    void commit();
    void rollback(); // never throws
    bool inTransaction() const;
    // Changes whenever rows of the file may have changed: a commit by any
    // other connection or a change made through this one. Data read earlier
    // with the same stamp is still current.
    QPair<qint64, qint64> changeStamp();
    // How long a statement waits for another program's lock before it fails.
    void setBusyTimeout(int ms);

    // Column names of a table in stored order (cached), empty for no table.
    const QStringList &tableColumns(const QString &table);
    // Declared type of a table column (cached with the columns).
    QString columnType(const QString &table, const QString &column);
    bool tableExists(const QString &table);
    void forgetSchema(); // after a table was created or changed

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

    [[noreturn]] void fail(int rc, const QString &context) const;

private:
    struct TableInfo {
        QStringList columns;
        QHash<QString, QString> lowerTypes;
    };
    const TableInfo &tableInfo(const QString &table);

    QString mPath;
    sqlite3 *mDb = nullptr;
    std::vector<std::unique_ptr<Statement>> mCache;
    QHash<QString, Statement *> mCacheBySql;
    QHash<QString, TableInfo> mTables;
    QHash<QString, QString> mSqlText;
};

// Quotes an identifier for SQL ("Item Index" -> "Item Index" in double quotes).
QString quoteIdentifier(const QString &name);

} // namespace vanta::db
