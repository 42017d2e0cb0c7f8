#include "db/Connection.h"

namespace vanta::db {

QString quoteIdentifier(const QString &name)
{
    QString q = name;
    q.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + q + QLatin1Char('"');
}

void Statement::setColumnNames(const QStringList &names)
{
    mNames = names;
    mLowerIndex.clear();
    for (int i = 0; i < names.size(); ++i) {
        const QString lower = names[i].toLower();
        if (!mLowerIndex.contains(lower))
            mLowerIndex.insert(lower, i);
    }
}

// ----------------------------------------------------------- StatementLease

StatementLease::StatementLease(Statement *cached, std::unique_ptr<Statement> owned)
    : mStmt(cached ? cached : owned.get()), mOwned(std::move(owned))
{
    if (mStmt)
        mStmt->inUse = true;
}

StatementLease::StatementLease(StatementLease &&other) noexcept
    : mStmt(other.mStmt), mOwned(std::move(other.mOwned))
{
    other.mStmt = nullptr;
}

StatementLease &StatementLease::operator=(StatementLease &&other) noexcept
{
    if (this != &other) {
        release();
        mStmt = other.mStmt;
        mOwned = std::move(other.mOwned);
        other.mStmt = nullptr;
    }
    return *this;
}

StatementLease::~StatementLease() { release(); }

void StatementLease::release()
{
    if (mStmt) {
        mStmt->reset();
        mStmt->inUse = false;
    }
    mStmt = nullptr;
    mOwned.reset();
}

// --------------------------------------------------------------- Connection

void Connection::clearStatements()
{
    mCacheBySql.clear();
    mCache.clear();
}

StatementLease Connection::prepare(const QString &sql)
{
    if (Statement *s = mCacheBySql.value(sql, nullptr)) {
        if (!s->inUse)
            return StatementLease(s, nullptr);
        // The cached copy is being stepped by another recordset: use a private one.
        return StatementLease(nullptr, makeStatement(sql));
    }
    auto stmt = makeStatement(sql);
    Statement *raw = stmt.get();
    mCache.push_back(std::move(stmt));
    mCacheBySql.insert(sql, raw);
    return StatementLease(raw, nullptr);
}

int Connection::execute(const QString &sql, const QVariantList &params)
{
    StatementLease st = prepare(sql);
    st->bind(params);
    while (st->step()) {
    }
    return st->changedRows();
}

QVariant Connection::scalar(const QString &sql, const QVariantList &params)
{
    StatementLease st = prepare(sql);
    st->bind(params);
    if (st->step() && st->columnCount() > 0)
        return st->column(0);
    return QVariant();
}

const Connection::TableInfo &Connection::tableInfo(const QString &table)
{
    const QString key = table.toLower();
    auto it = mTables.find(key);
    if (it != mTables.end())
        return *it;
    return *mTables.insert(key, loadTableInfo(table));
}

const QStringList &Connection::tableColumns(const QString &table) { return tableInfo(table).columns; }

QString Connection::columnType(const QString &table, const QString &column)
{
    return tableInfo(table).lowerTypes.value(column.toLower());
}

bool Connection::tableExists(const QString &table) { return !tableInfo(table).columns.isEmpty(); }

void Connection::forgetSchema() { mTables.clear(); }

} // namespace vanta::db
