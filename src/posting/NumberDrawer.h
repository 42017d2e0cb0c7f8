#pragma once

#include "posting/SalePosting.h"

#include <QString>

namespace vanta::posting {

// Numbers for new rows of one posting. A candidate is not probed first: the
// insert itself refuses a number a unique index already holds (a committed
// row, another register's or one of this sale), and the caller draws again.
// The posting's connection holds the write lock, so it sees every committed
// row as well as its own.
class NumberDrawer {
public:
    // `what` names the row in the error raised when no number can be found.
    NumberDrawer(const IdSource &source, QString what) : mSource(source), mWhat(std::move(what)) {}

    qint32 draw();

private:
    const IdSource &mSource;
    QString mWhat;
    int mDraws = 0;
};

} // namespace vanta::posting
