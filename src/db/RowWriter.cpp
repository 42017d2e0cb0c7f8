#include "db/RowWriter.h"

namespace vanta::db {

RowWriter::RowWriter(Connection &conn, const QString &table, const QStringList &columns)
{
    QStringList quoted;
    QStringList marks;
    for (const QString &c : columns) {
        quoted << quoteIdentifier(c);
        marks << QStringLiteral("?");
    }
    mStmt = conn.prepare(QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)")
                             .arg(quoteIdentifier(table), quoted.join(QStringLiteral(", ")),
                                  marks.join(QStringLiteral(", "))));
}

void RowWriter::add(const QVariantList &values)
{
    mStmt->bind(values);
    while (mStmt->step()) {
    }
    mStmt->reset();
    ++mRows;
}

} // namespace vanta::db
