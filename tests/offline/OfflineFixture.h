#pragma once

#include "offline/OfflineNumbers.h"
#include "offline/QueuedSale.h"
#include "offline/SaleQueue.h"
#include "posting/KillTestSale.h"
#include "storegen/DemoStore.h"
#include "support/SaleFixtures.h"

#include <QTemporaryDir>

namespace vanta::test {

// A cash sale of the kill test's four lines under the number, sold at
// `soldAt` by the demo cashier.
inline offline::QueuedSale queuedCashSale(qint32 number,
                                         const QDateTime &soldAt = QDateTime(QDate(2026, 12, 1), QTime(9, 30)))
{
    offline::QueuedSale sale;
    sale.soldAt = soldAt;
    for (const auto &line : killtest::killSale(false, true))
        sale.lines.push_back(*line);
    posting::PostingRequest &r = sale.request;
    r.saleId = number;
    r.customerId = storegen::demo::CashSaleCustomer;
    r.payTypeId = 1;
    r.employeeId = storegen::demo::CashierEmployee;
    r.amounts = {7164, 467, 8000, 836, 0};
    r.taxByAgency = {{QStringLiteral("State"), 400}, {QStringLiteral("County"), 67}};
    return sale;
}

// The demo store (on the file store, or on the test server in the server
// run), with a register's folder for its waiting sales and its offline
// sale numbers.
class OfflineTest : public SaleStoreTest {
protected:
    void SetUp() override
    {
        SaleStoreTest::SetUp();
        storegen::fillDemoStore(db());
    }

    qint64 count(const QString &sql, const QVariantList &params = {})
    {
        return db().scalar(sql, params).toLongLong();
    }

    QTemporaryDir registerFolder;
    QString queueFolder = registerFolder.path() + QStringLiteral("/queue");
    QString numbersFile = registerFolder.path() + QStringLiteral("/numbers");
};

} // namespace vanta::test
