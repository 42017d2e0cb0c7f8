#pragma once

#include "db/Connection.h"

#include <QString>
#include <QStringList>
#include <QVariantList>

namespace vanta::db {

// Appends rows to one table through a single prepared INSERT that is kept for
// the writer's lifetime: the fast path for filling a store with many rows
// inside one transaction. Values are bound in the order of the columns given.
class RowWriter {
public:
    RowWriter(Connection &conn, const QString &table, const QStringList &columns);
    RowWriter(const RowWriter &) = delete;
    RowWriter &operator=(const RowWriter &) = delete;

    void add(const QVariantList &values);
    int rowsWritten() const { return mRows; }

private:
    StatementLease mStmt;
    int mRows = 0;
};

} // namespace vanta::db
