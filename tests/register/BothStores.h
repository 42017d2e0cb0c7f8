#pragma once

#include "register/RegisterFixture.h"
#include "support/PgServer.h"

#include <QByteArray>

namespace vanta::test {

// Picks the store engine of a register test while its store is made: the
// file store, or a database of the test server (parameter true).
class StoreEngineChoice {
protected:
    explicit StoreEngineChoice(bool server)
        : mHad(qEnvironmentVariableIsSet("VANTA_TEST_STORE")), mBefore(qgetenv("VANTA_TEST_STORE")),
          mServerMissing(server && !PgServer::shared())
    {
        if (server && !mServerMissing)
            qputenv("VANTA_TEST_STORE", "pg");
        else
            qunsetenv("VANTA_TEST_STORE");
    }
    // The store is made: later tests find the environment as it was.
    void restoreEngineChoice()
    {
        if (mHad)
            qputenv("VANTA_TEST_STORE", mBefore);
        else
            qunsetenv("VANTA_TEST_STORE");
    }

    bool mHad;
    QByteArray mBefore;
    bool mServerMissing;
};

// The register fixture on the engine the test's parameter names.
class RegisterOnBothStores : protected StoreEngineChoice,
                             public RegisterTest,
                             public ::testing::WithParamInterface<bool> {
protected:
    RegisterOnBothStores() : StoreEngineChoice(GetParam()) { restoreEngineChoice(); }
    void SetUp() override
    {
        if (mServerMissing)
            GTEST_SKIP() << "no PostgreSQL test server: " << qPrintable(PgServer::whyNot());
        RegisterTest::SetUp();
    }
};

inline std::string storeEngineName(const ::testing::TestParamInfo<bool> &info)
{
    return info.param ? "Server" : "File";
}

} // namespace vanta::test
