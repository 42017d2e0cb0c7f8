#include "db/TableCopy.h"

#include "db/RowWriter.h"

namespace vanta::db {

QString selectInOrder(const QString &table, const QStringList &columns)
{
    QStringList quoted;
    for (const QString &c : columns)
        quoted << quoteIdentifier(c);
    return QStringLiteral("SELECT %1 FROM %2 ORDER BY rowid").arg(quoted.join(QStringLiteral(", ")),
                                                                   quoteIdentifier(table));
}

qint64 copyRows(Connection &from, Connection &to, const QString &table)
{
    const QStringList columns = from.tableColumns(table);
    RowWriter writer(to, table, columns);
    StatementLease rows = from.prepare(selectInOrder(table, columns));
    rows->bind({});
    while (rows->step()) {
        QVariantList values;
        for (int i = 0; i < rows->columnCount(); ++i)
            values << rows->column(i);
        writer.add(values);
    }
    return writer.rowsWritten();
}

} // namespace vanta::db
