#include "db/Database.h"

#include "db/DbError.h"

namespace vanta::db {

Connection &Database::connection() const
{
    if (!mConn)
        throw DbError(ErrFileNotFound, QStringLiteral("No store database is open."));
    return *mConn;
}

Recordset Database::openTable(const QString &table) const
{
    connection();
    return Recordset::table(mConn, table);
}

Recordset Database::openQuery(const QString &sql, const QVariantList &params) const
{
    connection();
    return Recordset::query(mConn, sql, params);
}

int Database::execute(const QString &sql, const QVariantList &params) const
{
    return connection().execute(sql, params);
}

QVariant Database::scalar(const QString &sql, const QVariantList &params) const
{
    return connection().scalar(sql, params);
}

bool Database::tableExists(const QString &table) const { return connection().tableExists(table); }

void Database::createTable(const QString &name, const QList<FieldSpec> &fields) const
{
    QStringList cols;
    for (const FieldSpec &f : fields) {
        QString col = quoteIdentifier(f.name);
        if (f.kind == FieldSpec::Kind::Long) {
            col += QStringLiteral(" INTEGER");
        } else {
            col += QStringLiteral(" VARCHAR(50) CHECK (length(%1) <= 50%2)")
                       .arg(quoteIdentifier(f.name),
                            f.allowEmpty ? QString() : QStringLiteral(" AND %1 <> ''").arg(quoteIdentifier(f.name)));
        }
        cols << col;
    }
    connection().execute(QStringLiteral("CREATE TABLE %1 (%2%3)")
                             .arg(quoteIdentifier(name), cols.join(QStringLiteral(", ")),
                                  connection().extraColumns()));
    connection().forgetSchema();
}

Transaction::Transaction(Connection &conn) : mConn(conn)
{
    mConn.begin();
    mActive = true;
}

Transaction::~Transaction()
{
    if (mActive)
        mConn.rollback();
}

void Transaction::commit()
{
    if (!mActive)
        return;
    mConn.commit();
    mActive = false;
}

void Transaction::rollback()
{
    if (mActive)
        mConn.rollback();
    mActive = false;
}

} // namespace vanta::db
