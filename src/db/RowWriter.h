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
    // SkipTaken: a row whose value a unique index already holds is not
    // written (and add() says so) instead of failing the transaction; two
    // registers drawing the same number learn it from the insert itself.
    enum class OnTaken { Fail, Skip };
    RowWriter(Connection &conn, const QString &table, const QStringList &columns, OnTaken taken = OnTaken::Fail);
    RowWriter(const RowWriter &) = delete;
    RowWriter &operator=(const RowWriter &) = delete;

    // True when the row was written.
    bool add(const QVariantList &values);
    int rowsWritten() const { return mRows; }

private:
    StatementLease mStmt;
    int mRows = 0;
};

} // namespace vanta::db
