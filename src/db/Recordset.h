#pragma once

#include "db/Connection.h"

#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <vector>

namespace vanta::db {

// A record-at-a-time view of a table or of a query.
//
// Table recordsets support a named index, equality seeks and writing
// (add new / edit, then update; delete). Query recordsets are read-only and
// forward-only. Rows are stepped lazily; field names match in any case.
class Recordset {
public:
    static Recordset table(std::shared_ptr<Connection> conn, const QString &table);
    static Recordset query(std::shared_ptr<Connection> conn, const QString &sql,
                           const QVariantList &params = {});

    Recordset(Recordset &&) noexcept;
    Recordset &operator=(Recordset &&) noexcept;
    ~Recordset();

    // Index selection and equality seek (table recordsets only). A seek
    // positions on the first equal row in index order; noMatch() tells when
    // none was found. Later moveNext() calls visit the other equal rows.
    void setIndex(const QString &indexName);
    const QString &index() const { return mIndexName; }
    bool seek(const QVariant &key);
    bool seek(const QVariantList &keys);
    bool noMatch() const { return mNoMatch; }
    // Positions on the first row whose column equals the value (table order).
    bool findFirst(const QString &column, const QVariant &value);

    bool eof();
    void moveNext();
    void moveFirst();
    // Above 0 exactly when the recordset has rows (tables: all rows in view;
    // queries: rows visited so far).
    int recordCount();

    int fieldCount() const;
    QString fieldName(int pos) const;
    bool hasField(const QString &name) const;
    QVariant field(const QString &name);
    QVariant field(int pos);
    // A null or missing text reads as the empty string.
    QString text(const QString &name) { return field(name).toString(); }

    void addNew();
    void edit();
    void setField(const QString &name, const QVariant &value);
    void update();
    void cancelUpdate();
    void remove();
    void close();

    const QString &tableName() const { return mTable; }

private:
    Recordset() = default;
    void ensureOpen();
    void runSelect(const QString &sql, const QVariantList &params);
    void fetch();
    int columnPos(const QString &name) const; // position in the row, or throw
    QVariant convertForColumn(int pos, const QVariant &value) const;
    void requireRow() const;
    const QVariant &rowValue(size_t pos); // read from the statement on first use
    void loadWholeRow();

    std::shared_ptr<Connection> mConn;
    QString mTable;          // empty for a query recordset
    QString mIndexName;
    QStringList mIndexColumns;
    QString mSql;
    QVariantList mParams;
    StatementLease mStmt;
    bool mOpened = false;
    bool mEof = true;
    bool mNoMatch = false;
    bool mDeleted = false;
    int mVisited = 0;
    int mOffset = 0;         // 1 for table recordsets: column 0 holds the row id
    QStringList mColumns;    // field names without the row id
    std::vector<QVariant> mRow;
    std::vector<char> mLoaded;
    enum class Pending { None, Add, Edit } mPending = Pending::None;
    std::vector<QVariant> mBuffer;
    std::vector<bool> mDirty;
};

// Typed reads of stored values: any non-zero number reads true; text "True",
// "Yes" and "-1" read true too.
bool asBool(const QVariant &v);
float asSingle(const QVariant &v);
double asDouble(const QVariant &v);
qint32 asLong(const QVariant &v);

} // namespace vanta::db
