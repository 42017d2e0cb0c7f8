#pragma once

#include "storegen/DemoStore.h"
#include "support/SaleFixtures.h"
#include "support/SessionFixture.h"

namespace vanta::test {

// A register session over its own copy of the demo store, with scripted
// boxes and dialogs; trapping starts off so that failures reach the test.
class InvoiceTest : public SessionTest {
protected:
    InvoiceTest()
    {
        storegen::fillDemoStore(ts.db());
        session.openStore(ts.path());
    }

    // A customer with the given columns; every other column stays null.
    void addCustomer(qint32 id, const QString &name, const QVariantMap &columns = {})
    {
        insertRow(ts.db(), "Customers", QStringList{"Cust ID", "Name"} + columns.keys(),
                  QVariantList{id, name} + columns.values());
    }
};

} // namespace vanta::test
