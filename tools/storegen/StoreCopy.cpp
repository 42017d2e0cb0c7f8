#include "storegen/StoreCopy.h"

#include "db/DbError.h"
#include "db/PgConnection.h"
#include "db/Schema.h"
#include "db/TableCopy.h"
#include "diagnostics/VantaError.h"

#include <cmath>

namespace vanta::storegen {

using namespace vanta::db;

namespace {

const QString kSource = QStringLiteral("vanta-admin");

// Tables to copy: the store's own, and the register-made ones present.
QList<TableDef> tablesOf(Connection &source)
{
    QList<TableDef> tables;
    for (const TableDef &t : storeTables())
        if (source.tableExists(t.name))
            tables << t;
    return tables;
}

// Values that the two engines hold alike: numbers by value, text by text.
bool sameValue(const QVariant &a, const QVariant &b)
{
    if (a.isNull() || b.isNull())
        return a.isNull() == b.isNull();
    const auto numeric = [](const QVariant &v) {
        const int t = v.typeId();
        return t == QMetaType::LongLong || t == QMetaType::Int || t == QMetaType::Double;
    };
    if (numeric(a) && numeric(b))
        return a.toDouble() == b.toDouble();
    return a.toString() == b.toString();
}

void refuseRows(Connection &target, const QList<TableDef> &tables)
{
    for (const TableDef &t : tables) {
        if (!target.tableExists(t.name))
            continue;
        const qint64 rows = target.scalar(QStringLiteral("SELECT count(*) FROM ") + quoteIdentifier(t.name))
                                .toLongLong();
        if (rows > 0)
            throw VantaError(3204,
                             QStringLiteral("The server store '%1' is not empty: table '%2' holds %3 rows. "
                                            "Copy into a new, empty database.")
                                 .arg(target.path(), t.name).arg(rows),
                             kSource);
    }
}

void createMissingTables(Connection &target, const QList<TableDef> &tables)
{
    bool missing = false;
    for (const TableDef &t : storeTables())
        missing = missing || (!t.createdByRegister && !target.tableExists(t.name));
    if (missing)
        createSchema(target);
    for (const TableDef &t : tables)
        if (!target.tableExists(t.name)) {
            target.execute(createTableSql(t, target));
            target.forgetSchema();
        }
    // The tables made here tell of their changes like the rest.
    target.setUpChangeNotes();
}

void checkTable(Connection &source, Connection &target, const TableDef &table, qint64 expected)
{
    const QStringList columns = source.tableColumns(table.name);
    StatementLease a = source.prepare(selectInOrder(table.name, columns));
    StatementLease b = target.prepare(selectInOrder(table.name, columns));
    a->bind({});
    b->bind({});
    qint64 row = 0;
    for (;;) {
        const bool moreA = a->step();
        const bool moreB = b->step();
        if (!moreA && !moreB)
            break;
        ++row;
        if (moreA != moreB)
            throw VantaError(3204, QStringLiteral("Table '%1' differs after the copy: %2 rows expected.")
                                       .arg(table.name).arg(expected),
                             kSource);
        for (int i = 0; i < columns.size(); ++i)
            if (!sameValue(a->column(i), b->column(i)))
                throw VantaError(3204,
                                 QStringLiteral("Table '%1', row %2, column '%3' differs after the copy: "
                                                "'%4' became '%5'.")
                                     .arg(table.name).arg(row).arg(columns[i], a->column(i).toString(),
                                                                   b->column(i).toString()),
                                 kSource);
    }
}

} // namespace

CopyReport copyStoreToServer(Store &source, const QString &serverAddress,
                             const std::function<void(const QString &, qint64)> &progress)
{
    if (source.onServer())
        throw VantaError(3204, QStringLiteral("The store to copy must be a store file."), kSource);
    Connection &from = source.database().connection();
    const QList<TableDef> tables = tablesOf(from);
    PgConnection to(serverAddress);
    refuseRows(to, tables);
    createMissingTables(to, tables);
    Transaction tx(to);
    refuseRows(to, tables); // no register wrote in between
    CopyReport report;
    for (const TableDef &t : tables) {
        const qint64 rows = copyRows(from, to, t.name);
        checkTable(from, to, t, rows);
        report.rows += rows;
        ++report.tables;
        if (progress)
            progress(t.name, rows);
    }
    tx.commit();
    return report;
}

} // namespace vanta::storegen
