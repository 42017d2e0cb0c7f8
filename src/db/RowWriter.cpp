#include "db/RowWriter.h"

namespace vanta::db {

RowWriter::RowWriter(Connection &conn, const QString &table, const QStringList &columns, OnTaken taken)
{
    QStringList quoted;
    QStringList marks;
    for (const QString &c : columns) {
        quoted << quoteIdentifier(c);
        marks << QStringLiteral("?");
    }
    // The file store's engine predates ON CONFLICT; it says OR IGNORE.
    const bool skip = taken == OnTaken::Skip;
    const bool file = conn.engine() == Connection::Engine::File;
    mStmt = conn.prepare(QStringLiteral("INSERT %1INTO %2 (%3) VALUES (%4)%5")
                             .arg(skip && file ? QStringLiteral("OR IGNORE ") : QString(), quoteIdentifier(table),
                                  quoted.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")),
                                  skip && !file ? QStringLiteral(" ON CONFLICT DO NOTHING") : QString()));
}

bool RowWriter::add(const QVariantList &values)
{
    mStmt->bind(values);
    while (mStmt->step()) {
    }
    const bool written = mStmt->changedRows() > 0;
    mStmt->reset();
    if (written)
        ++mRows;
    return written;
}

} // namespace vanta::db
