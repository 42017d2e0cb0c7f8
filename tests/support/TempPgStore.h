#pragma once

#include "db/Store.h"
#include "support/PgServer.h"

#include <gtest/gtest.h>
#include <memory>

// Skips the current test, saying why, when the test server is not there.
#define VANTA_REQUIRE_PG_SERVER()                                                                          \
    do {                                                                                                   \
        if (!vanta::test::PgServer::shared())                                                              \
            GTEST_SKIP() << "no PostgreSQL test server: " << qPrintable(vanta::test::PgServer::whyNot()); \
    } while (0)

namespace vanta::test {

// A fresh, empty store in a new database of the test server. Use after
// VANTA_REQUIRE_PG_SERVER().
class TempPgStore {
public:
    TempPgStore() : address(PgServer::shared()->newDatabase())
    {
        db::Store::create(address);
        store = std::make_unique<db::Store>(address);
    }
    const db::Database &db() const { return store->database(); }

    QString address;
    std::unique_ptr<db::Store> store;
};

// A test on a fresh server store, skipped when the test server is not
// there; a fixture's own SetUp() calls this one first and returns when the
// test is skipped.
class PgStoreTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!PgServer::shared())
            GTEST_SKIP() << "no PostgreSQL test server: " << qPrintable(PgServer::whyNot());
        pg = std::make_unique<TempPgStore>();
    }
    std::unique_ptr<TempPgStore> pg;
};

} // namespace vanta::test
