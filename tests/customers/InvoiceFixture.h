#pragma once

#include "diagnostics/Trace.h"
#include "platform/PromptNotices.h"
#include "platform/SettingsStore.h"
#include "register/RegisterSession.h"
#include "storegen/DemoStore.h"
#include "support/SaleFixtures.h"
#include "support/ScriptedDialogRunner.h"
#include "support/ScriptedPrompt.h"

#include <QTemporaryDir>

namespace vanta::test {

// A register session over its own copy of the demo store, with scripted
// boxes and dialogs; trapping starts off so that failures reach the test.
class InvoiceTest : public ::testing::Test {
protected:
    InvoiceTest() : settings(config.filePath("s")), session(prompt, dialogs, settings, config.filePath("Users.ini"))
    {
        storegen::fillDemoStore(ts.db());
        session.openStore(ts.path());
        diag::Trace::instance().reset();
        diag::Trace::instance().setNotices(&notices);
    }
    ~InvoiceTest() override { diag::Trace::instance().reset(); }

    // A customer with the given columns; every other column stays null.
    void addCustomer(qint32 id, const QString &name, const QVariantMap &columns = {})
    {
        insertRow(ts.db(), "Customers", QStringList{"Cust ID", "Name"} + columns.keys(),
                  QVariantList{id, name} + columns.values());
    }

    TempStore ts;
    QTemporaryDir config;
    test::ScriptedPrompt prompt;
    platform::PromptNotices notices{prompt};
    test::ScriptedDialogRunner dialogs;
    platform::SettingsStore settings;
    RegisterSession session;
};

} // namespace vanta::test
