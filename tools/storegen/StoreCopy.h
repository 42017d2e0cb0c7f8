#pragma once

#include "db/Store.h"

#include <QString>
#include <functional>

namespace vanta::storegen {

// Copies every table of a file store into a server store that holds no
// rows yet (its tables are made when missing), in one transaction on the
// server: rows in stored order, then each copied row read back and compared
// with its source, value by value, before the commit. A target with rows in
// any store table is refused and left as it was; a difference rolls the
// whole copy back. Throws VantaError naming the table and row.
struct CopyReport {
    int tables = 0;
    qint64 rows = 0;
};
CopyReport copyStoreToServer(db::Store &source, const QString &serverAddress,
                             const std::function<void(const QString &table, qint64 rows)> &progress = {});

} // namespace vanta::storegen
