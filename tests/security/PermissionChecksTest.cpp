#include "security/PermissionChecks.h"

#include "security/SecurityFixture.h"

using namespace vanta;
using namespace vanta::security;

using PermissionChecks = test::SecurityTest;

TEST_F(PermissionChecks, SingleFlagsReadTheEmployeesOwnRow)
{
    addPermissions(5, {"Edit Items", "Perform Database Utilities"});
    addPermissions(6, {"Edit Customers", "Sell Items"});
    test::insertRow(db(), "Permissions", {"Employee ID"}, {8}); // every flag null

    db::Store &store = session.store();
    EXPECT_TRUE(EditItems(store, 5));
    EXPECT_TRUE(PerformDatabaseUtilities(store, 5));
    EXPECT_FALSE(EditCustomer(store, 5));

    EXPECT_FALSE(EditItems(store, 6));
    EXPECT_FALSE(PerformDatabaseUtilities(store, 6));
    EXPECT_TRUE(EditCustomer(store, 6));

    // A null flag and a missing row both read as no permission.
    for (qint32 id : {8, 7, 0}) {
        EXPECT_FALSE(EditItems(store, id)) << id;
        EXPECT_FALSE(PerformDatabaseUtilities(store, id)) << id;
        EXPECT_FALSE(EditCustomer(store, id)) << id;
    }
}
