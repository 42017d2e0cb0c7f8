#pragma once

#include "register/RegisterActions.h"
#include "register/SaleKeeper.h"
#include "security/SecuritySwitch.h"
#include "storegen/DemoStore.h"
#include "support/LogonScript.h"
#include "support/SessionFixture.h"

#include <memory>
#include <vector>

namespace vanta::test {

// Stands in for the register window: records what the commands ask of it.
class RecordingView : public RegisterView {
public:
    explicit RecordingView(const sale::Sale &sale) : mSale(sale) {}

    QWidget *dialogParent() override { return nullptr; }
    void focus(Field field) override { focused = field; }
    void showIdentity() override { ++identityShown; }
    void showCustomers(QList<CustomerListModel::Entry> entries) override { customers = std::move(entries); }
    void showPayTypes(const QList<sale::PayType> &types) override { payTypes = types; }
    void bringToFront() override {}
    void showStoreState(const QString &text) override { storeState = text; }
    bool isClosed() const override { return closed; }
    // A sale with lines is held, as the window holds it.
    void closeWindow(bool forGood) override
    {
        closeRequests.push_back(forGood);
        closed = closed || forGood || mSale.empty();
    }

    std::optional<Field> focused;
    int identityShown = 0;
    QList<CustomerListModel::Entry> customers;
    QList<sale::PayType> payTypes;
    std::vector<bool> closeRequests;
    bool closed = false;
    QString storeState;

private:
    const sale::Sale &mSale;
};

// The register's commands on their own copy of the demo store, with no
// window: the sale, the session and the recording view show what they did.
class ActionsTest : public SessionTest {
protected:
    ActionsTest() { storegen::fillDemoStore(ts.db()); }

    RegisterActions &start(bool security = false)
    {
        security::SaveSecurity(settings, security);
        keeper = std::make_unique<SaleKeeper>(session.sale, [this] { return session.journal(); }, session.prompt);
        actions = std::make_unique<RegisterActions>(session, view, *keeper, ts.path());
        actions->start();
        return *actions;
    }
    // Starts with security on and logs the employee on through the logon
    // dialog.
    RegisterActions &startAs(const QString &number, const QString &password)
    {
        logOnNext(number, password);
        start(true);
        EXPECT_TRUE(session.loggedOn());
        return *actions;
    }
    void logOnNext(const QString &number, const QString &password)
    {
        dialogs.then([number, password](QDialog &dlg) { return logOnWith(dlg, number, password); });
    }
    sale::PayType payType(const QString &name) const
    {
        for (const sale::PayType &p : view.payTypes)
            if (p.name == name)
                return p;
        ADD_FAILURE() << qPrintable(name);
        return {};
    }
    qint64 totalDue() const { return session.sale.totals().totalDue(); }

    RecordingView view{session.sale};
    std::unique_ptr<SaleKeeper> keeper;
    std::unique_ptr<RegisterActions> actions;
};

} // namespace vanta::test
