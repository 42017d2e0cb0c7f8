#include "db/Recordset.h"

#include "db/DbError.h"
#include "db/Schema.h"

#include <QDateTime>
#include <cmath>

namespace vanta::db {

namespace {

const QString kRowId = QStringLiteral("__rowid__");

QString whereEquals(const QStringList &columns, int count)
{
    QStringList parts;
    for (int i = 0; i < count; ++i)
        parts << quoteIdentifier(columns[i]) + QStringLiteral(" = ?");
    return parts.join(QStringLiteral(" AND "));
}

QString orderBy(const QStringList &columns)
{
    QStringList parts;
    for (const QString &c : columns)
        parts << quoteIdentifier(c);
    parts << QStringLiteral("rowid");
    return parts.join(QStringLiteral(", "));
}

} // namespace

bool asBool(const QVariant &v)
{
    if (v.isNull())
        return false;
    if (v.typeId() == QMetaType::QString) {
        const QString s = v.toString().trimmed();
        if (s.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            || s.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0)
            return true;
        bool ok = false;
        const double d = s.toDouble(&ok);
        return ok && d != 0.0;
    }
    return v.toDouble() != 0.0;
}

float asSingle(const QVariant &v) { return v.isNull() ? 0.0f : float(v.toDouble()); }

double asDouble(const QVariant &v) { return v.isNull() ? 0.0 : v.toDouble(); }

qint32 asLong(const QVariant &v)
{
    if (v.isNull())
        return 0;
    if (v.typeId() == QMetaType::Double)
        return qint32(std::llround(v.toDouble()));
    return qint32(v.toLongLong());
}

// --------------------------------------------------------------- creation

Recordset Recordset::table(std::shared_ptr<Connection> conn, const QString &table)
{
    Recordset rs;
    rs.mConn = std::move(conn);
    const QStringList &cols = rs.mConn->tableColumns(table);
    if (cols.isEmpty())
        throw DbError(ErrItemNotFound, QStringLiteral("The store database has no table '%1'.").arg(table));
    rs.mTable = table;
    rs.mColumns = cols;
    rs.mOffset = 1;
    rs.mSql = rs.mConn->cachedSql(QStringLiteral("table\x1f") + table, [&] {
        return QStringLiteral("SELECT rowid AS %1, * FROM %2 ORDER BY rowid").arg(kRowId, quoteIdentifier(table));
    });
    return rs;
}

Recordset Recordset::query(std::shared_ptr<Connection> conn, const QString &sql, const QVariantList &params)
{
    Recordset rs;
    rs.mConn = std::move(conn);
    rs.runSelect(sql, params);
    return rs;
}

Recordset::Recordset(Recordset &&) noexcept = default;
Recordset &Recordset::operator=(Recordset &&) noexcept = default;
Recordset::~Recordset() = default;

// ------------------------------------------------------------- navigation

void Recordset::runSelect(const QString &sql, const QVariantList &params)
{
    mStmt.release();
    mSql = sql;
    mParams = params;
    mStmt = mConn->prepare(sql);
    mStmt->bind(params);
    if (mTable.isEmpty())
        mColumns = mStmt->columnNames();
    mOpened = true;
    mVisited = 0;
    mDeleted = false;
    mPending = Pending::None;
    fetch();
}

void Recordset::fetch()
{
    mDeleted = false;
    if (mStmt && mStmt->step()) {
        // Columns are read from the statement when first asked for: a seek
        // that wants two fields of a wide row converts two values, not all.
        const size_t n = size_t(mStmt->columnCount());
        mRow.assign(n, QVariant());
        mLoaded.assign(n, 0);
        mEof = false;
        ++mVisited;
    } else {
        mEof = true;
        mRow.clear();
        mLoaded.clear();
        mStmt.release();
    }
}

const QVariant &Recordset::rowValue(size_t pos)
{
    if (!mLoaded[pos] && mStmt) {
        mRow[pos] = mStmt->column(int(pos));
        mLoaded[pos] = 1;
    }
    return mRow[pos];
}

void Recordset::loadWholeRow()
{
    for (size_t i = 0; i < mRow.size(); ++i)
        rowValue(i);
}

void Recordset::ensureOpen()
{
    if (!mOpened)
        runSelect(mSql, mParams);
}

void Recordset::setIndex(const QString &indexName)
{
    if (mTable.isEmpty())
        throw DbError(ErrNotUpdatable, QStringLiteral("A query cannot be sought by index."));
    QStringList cols = indexColumns(mTable, indexName);
    if (cols.isEmpty())
        throw DbError(ErrItemNotFound,
                      QStringLiteral("'%1' is not an index of table '%2'.").arg(indexName, mTable));
    mIndexName = indexName;
    mIndexColumns = cols;
    mStmt.release();
    mOpened = false;
    mSql = mConn->cachedSql(QStringLiteral("index\x1f") + mTable + QLatin1Char('\x1f') + indexName.toLower(), [&] {
        return QStringLiteral("SELECT rowid AS %1, * FROM %2 ORDER BY %3")
            .arg(kRowId, quoteIdentifier(mTable), orderBy(mIndexColumns));
    });
    mParams.clear();
}

bool Recordset::seek(const QVariant &key) { return seek(QVariantList{key}); }

bool Recordset::seek(const QVariantList &keys)
{
    if (mIndexColumns.isEmpty())
        throw DbError(ErrItemNotFound, QStringLiteral("Seek on table '%1' without an index.").arg(mTable));
    const int n = int(std::min(keys.size(), mIndexColumns.size()));
    const QString &sql = mConn->cachedSql(
        QStringLiteral("seek\x1f%1\x1f%2\x1f%3").arg(mTable, mIndexName.toLower()).arg(n), [&] {
            return QStringLiteral("SELECT rowid AS %1, * FROM %2 WHERE %3 ORDER BY %4")
                .arg(kRowId, quoteIdentifier(mTable), whereEquals(mIndexColumns, n), orderBy(mIndexColumns));
        });
    runSelect(sql, n == keys.size() ? keys : keys.mid(0, n));
    mNoMatch = mEof;
    return !mNoMatch;
}

bool Recordset::findFirst(const QString &column, const QVariant &value)
{
    if (mTable.isEmpty())
        throw DbError(ErrNotUpdatable, QStringLiteral("Find on a query is not supported."));
    const int pos = columnPos(column) - mOffset;
    const QString sql = QStringLiteral("SELECT rowid AS %1, * FROM %2 WHERE %3 = ? ORDER BY rowid")
                            .arg(kRowId, quoteIdentifier(mTable), quoteIdentifier(mColumns[pos]));
    runSelect(sql, {value});
    mNoMatch = mEof;
    return !mNoMatch;
}

bool Recordset::eof()
{
    ensureOpen();
    return mEof;
}

void Recordset::moveNext()
{
    ensureOpen();
    if (mEof)
        throw DbError(ErrNoCurrentRecord, QStringLiteral("No current record."));
    mPending = Pending::None;
    fetch();
}

void Recordset::moveFirst()
{
    runSelect(mSql, mParams);
}

int Recordset::recordCount()
{
    ensureOpen();
    if (mTable.isEmpty())
        return mVisited;
    // Count the rows of the current view (all rows, or the rows of the seek).
    QString sql = QStringLiteral("SELECT count(*) FROM ") + quoteIdentifier(mTable);
    const int where = int(mSql.indexOf(QLatin1String(" WHERE ")));
    if (where >= 0) {
        const int order = int(mSql.lastIndexOf(QLatin1String(" ORDER BY ")));
        sql += mSql.mid(where, order - where);
    }
    return int(mConn->scalar(sql, mParams).toLongLong());
}

// ----------------------------------------------------------------- fields

int Recordset::fieldCount() const { return int(mColumns.size()); }

QString Recordset::fieldName(int pos) const { return mColumns.value(pos); }

bool Recordset::hasField(const QString &name) const
{
    for (const QString &c : mColumns)
        if (c.compare(name, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

int Recordset::columnPos(const QString &name) const
{
    for (int i = 0; i < mColumns.size(); ++i)
        if (mColumns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i + mOffset;
    throw DbError(ErrItemNotFound, QStringLiteral("Item not found in this collection: field '%1'%2.")
                                       .arg(name, mTable.isEmpty() ? QString()
                                                                   : QStringLiteral(" of table '%1'").arg(mTable)));
}

void Recordset::requireRow() const
{
    if (mEof || mDeleted)
        throw DbError(ErrNoCurrentRecord, QStringLiteral("No current record."));
}

QVariant Recordset::field(const QString &name)
{
    const int pos = columnPos(name);
    if (mPending != Pending::None)
        return mBuffer[size_t(pos)];
    ensureOpen();
    requireRow();
    return rowValue(size_t(pos));
}

QVariant Recordset::field(int pos)
{
    if (pos < 0 || pos >= fieldCount())
        throw DbError(ErrItemNotFound, QStringLiteral("Item not found in this collection: field %1.").arg(pos));
    if (mPending != Pending::None)
        return mBuffer[size_t(pos + mOffset)];
    ensureOpen();
    requireRow();
    return rowValue(size_t(pos + mOffset));
}

// ----------------------------------------------------------------- writing

QVariant Recordset::convertForColumn(int pos, const QVariant &value) const
{
    if (value.isNull())
        return QVariant();
    const QString type = mConn->columnType(mTable, mColumns[pos - mOffset]);
    const ColumnType kind = columnTypeFromDeclared(type);
    switch (kind) {
    case ColumnType::Long:
    case ColumnType::Integer: {
        if (value.typeId() == QMetaType::Bool)
            return QVariant(qlonglong(value.toBool() ? 1 : 0));
        bool ok = false;
        const double d = value.toDouble(&ok);
        if (!ok)
            throw DbError(EngineBase + 20, QStringLiteral("Data type conversion error: '%1' is not a whole number (field '%2').")
                                               .arg(value.toString(), mColumns[pos - mOffset]));
        return QVariant(qlonglong(std::llround(d)));
    }
    case ColumnType::Boolean:
        return QVariant(qlonglong(asBool(value) ? 1 : 0));
    case ColumnType::Single:
    case ColumnType::Double:
    case ColumnType::Currency: {
        bool ok = false;
        double d = value.toDouble(&ok);
        if (!ok)
            throw DbError(EngineBase + 20, QStringLiteral("Data type conversion error: '%1' is not a number (field '%2').")
                                               .arg(value.toString(), mColumns[pos - mOffset]));
        if (kind == ColumnType::Single)
            d = double(float(d));
        return QVariant(d);
    }
    case ColumnType::Date:
        if (value.typeId() == QMetaType::QDateTime)
            return QVariant(value.toDateTime().toString(Qt::ISODate));
        return QVariant(value.toString());
    case ColumnType::Text:
        return QVariant(value.toString());
    }
    return value;
}

void Recordset::addNew()
{
    if (mTable.isEmpty())
        throw DbError(ErrNotUpdatable, QStringLiteral("A query recordset cannot be written."));
    mBuffer.assign(size_t(mColumns.size() + mOffset), QVariant());
    mDirty.assign(mBuffer.size(), false);
    mPending = Pending::Add;
}

void Recordset::edit()
{
    if (mTable.isEmpty())
        throw DbError(ErrNotUpdatable, QStringLiteral("A query recordset cannot be written."));
    ensureOpen();
    requireRow();
    loadWholeRow();
    mBuffer = mRow;
    mDirty.assign(mBuffer.size(), false);
    mPending = Pending::Edit;
}

void Recordset::setField(const QString &name, const QVariant &value)
{
    if (mPending == Pending::None)
        throw DbError(ErrUpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    const int pos = columnPos(name);
    mBuffer[size_t(pos)] = convertForColumn(pos, value);
    mDirty[size_t(pos)] = true;
}

void Recordset::update()
{
    if (mPending == Pending::None)
        throw DbError(ErrUpdateWithoutEdit, QStringLiteral("Update or CancelUpdate without AddNew or Edit."));
    QStringList cols;
    QVariantList values;
    for (size_t i = size_t(mOffset); i < mBuffer.size(); ++i) {
        if (!mDirty[i])
            continue;
        cols << quoteIdentifier(mColumns[int(i) - mOffset]);
        values << mBuffer[i];
    }
    if (mPending == Pending::Add) {
        QString sql;
        if (cols.isEmpty()) {
            sql = QStringLiteral("INSERT INTO %1 DEFAULT VALUES").arg(quoteIdentifier(mTable));
        } else {
            QStringList marks;
            for (int i = 0; i < cols.size(); ++i)
                marks << QStringLiteral("?");
            sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                      .arg(quoteIdentifier(mTable), cols.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
        }
        mConn->execute(sql, values);
    } else if (!cols.isEmpty()) {
        for (QString &c : cols)
            c += QStringLiteral(" = ?");
        values << rowValue(0);
        mConn->execute(QStringLiteral("UPDATE %1 SET %2 WHERE rowid = ?")
                           .arg(quoteIdentifier(mTable), cols.join(QStringLiteral(", "))),
                       values);
        mRow = mBuffer;
        mLoaded.assign(mRow.size(), 1);
    }
    mPending = Pending::None;
}

void Recordset::cancelUpdate() { mPending = Pending::None; }

void Recordset::remove()
{
    if (mTable.isEmpty())
        throw DbError(ErrNotUpdatable, QStringLiteral("A query recordset cannot be written."));
    ensureOpen();
    requireRow();
    mConn->execute(QStringLiteral("DELETE FROM %1 WHERE rowid = ?").arg(quoteIdentifier(mTable)), {rowValue(0)});
    mDeleted = true;
}

void Recordset::close()
{
    mStmt.release();
    mEof = true;
    mRow.clear();
    mPending = Pending::None;
}

} // namespace vanta::db
