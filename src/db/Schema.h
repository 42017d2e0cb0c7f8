#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace vanta::db {

class Connection;

enum class ColumnType { Long, Integer, Single, Double, Currency, Boolean, Date, Text };

struct ColumnDef {
    QString name;
    ColumnType type;
};

// A named index of our own registry: SQLite index names are global, so the
// record layer maps table + index name to columns itself.
struct IndexDef {
    QString name;
    QStringList columns;
    bool unique = false;
    // Added to a table the back-office software made (which ignores it):
    // made with every new store, and by the register when missing.
    bool addedLater = false;
};

struct TableDef {
    QString name;
    QList<ColumnDef> columns;
    QList<IndexDef> indexes;
    // Made by the register itself when missing, not by store creation.
    bool createdByRegister = false;
    // Added after the first stores were made: made with every new store,
    // and by the register when an older store lacks it; a store without it
    // still opens.
    bool addedLater = false;
};

// Every table of the store database, with its columns in stored order.
const QList<TableDef> &storeTables();
const TableDef *findTable(const QString &name);

// Columns of a named index (names in any case); a column name also serves as
// an index on that column. Empty when the table has no such index.
QStringList indexColumns(const QString &table, const QString &index);

// The declared SQL type for a column type, and back.
QString declaredType(ColumnType type);
ColumnType columnTypeFromDeclared(const QString &declared);

// On a server store each column type is a domain of its own ("vanta_single"
// over double precision, say), so the catalogue still tells single from
// double precision, booleans and dates as the file store declares them.
QString serverType(ColumnType type);
std::optional<ColumnType> columnTypeFromServerType(const QString &typeName);

// Creates every missing table and index in one transaction, and on a
// server the triggers by which the tables tell of their changes.
void createSchema(Connection &conn);
// The tables added later (with their indexes) and the indexes added later
// that the store lacks, and a server store's change triggers where any
// table lacks them, made in one transaction. Throws the engine's error
// when the store may not be changed (a read-only file, a server account
// without the right).
void createAddedTables(Connection &conn);
// What of that the store lacks: the names of the tables, then the indexes
// as "Sales (date of sale)", then "notes of changes".
QStringList missingAddedTables(Connection &conn);
QString createTableSql(const TableDef &table, const Connection &conn);

} // namespace vanta::db
