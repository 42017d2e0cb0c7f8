#pragma once

#include <libpq-fe.h>

namespace vanta::db {

// A server result, cleared when it goes.
struct PgResult {
    PGresult *r = nullptr;
    explicit PgResult(PGresult *res) : r(res) {}
    ~PgResult() { PQclear(r); }
    PgResult(const PgResult &) = delete;
    PgResult &operator=(const PgResult &) = delete;
    bool ok() const
    {
        const ExecStatusType s = PQresultStatus(r);
        return s == PGRES_COMMAND_OK || s == PGRES_TUPLES_OK || s == PGRES_EMPTY_QUERY;
    }
};

} // namespace vanta::db
