#pragma once

#include "support/SaleFixtures.h"
#include "support/SessionFixture.h"

namespace vanta::test {

// A register session over its own empty store, settings folder and
// Users.ini, with scripted boxes and dialogs; the procedure trace starts
// with trapping off so failures reach the test.
class SecurityTest : public SessionTest {
protected:
    SecurityTest() { session.openStore(ts.path()); }

    const db::Database &db() const { return ts.db(); }

    // An employee row; a null QVariant leaves the column null.
    void addEmployee(qint32 id, const QVariant &first, const QVariant &middle, const QVariant &last,
                     const QVariant &password = QVariant(), const QVariant &active = true)
    {
        insertRow(db(), "Employees", {"Employee ID", "First Name", "Middle Initial", "Last Name", "Password", "Active"},
                  {id, first, middle, last, password, active});
    }

    // A permissions row with the named flags true and every other flag false.
    void addPermissions(qint32 id, const QStringList &trueFlags)
    {
        QStringList columns{"Employee ID"};
        QVariantList values{id};
        for (const char *c : {"Add Items", "Edit Items", "Delete Items", "Sell Items", "Add Customers",
                                 "Edit Customers", "Delete Customers", "Perform Database Utilities"}) {
            columns << c;
            values << trueFlags.contains(c);
        }
        insertRow(db(), "Permissions", columns, values);
    }
};

} // namespace vanta::test
