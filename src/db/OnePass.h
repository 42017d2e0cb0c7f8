#pragma once

#include "db/Connection.h"

namespace vanta::db {

// For one pass that reads a whole table: the connection's page cache kept
// small until the pass ends, then given its limit back. Pages read once are
// not worth keeping, and a cache filled with them would stay resident and
// push out the pages that are.
class OnePass {
public:
    explicit OnePass(Connection &conn) : mConn(conn), mLimit(conn.cacheLimitKiB())
    {
        if (mLimit > kPassKiB)
            mConn.setCacheLimitKiB(kPassKiB);
    }
    ~OnePass()
    {
        if (mLimit > kPassKiB) {
            try {
                mConn.setCacheLimitKiB(mLimit);
            } catch (...) {
                // The connection keeps the small cache: slower, never wrong.
            }
        }
    }
    OnePass(const OnePass &) = delete;
    OnePass &operator=(const OnePass &) = delete;

private:
    static constexpr int kPassKiB = 2048;
    Connection &mConn;
    int mLimit;
};

} // namespace vanta::db
