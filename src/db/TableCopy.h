#pragma once

#include "db/Connection.h"

#include <QString>
#include <QStringList>

namespace vanta::db {

// A SELECT of a table's columns in the order its rows were stored.
QString selectInOrder(const QString &table, const QStringList &columns);

// Appends every row of `table` on `from` to the same table on `to`, in
// stored order, column by column as `from` names them; the rows copied.
// Runs inside whatever transactions the caller holds on either side.
qint64 copyRows(Connection &from, Connection &to, const QString &table);

} // namespace vanta::db
