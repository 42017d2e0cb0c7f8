#pragma once

#include "customers/CustomerTransactions.h"

#include <QWidget>

class QPushButton;
class QTableView;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
class DialogRunner;
} // namespace vanta::platform

namespace vanta {

class SaleListModel;

// The transaction list of the customer form (`trans1`): the customer's
// sales, newest first, with date, sale number, pay type, total, paid and the
// amount still open. "Open Sale" shows a sale's lines; "Record Payment"
// takes a payment against an open invoice sale and raises BalancesChanged.
class TransactionList : public QWidget {
    Q_OBJECT
public:
    TransactionList(db::Store &store, platform::Prompt &prompt, platform::DialogRunner &dialogs,
                    QWidget *parent = nullptr);

    // Lists the sales of the customer for the employee.
    void ShowTransactions(qint32 &employeeId, qint32 &custId);
    void refresh();
    qint32 custId() const { return mCustId; }
    QTableView *view() const { return lvSales; }
    const std::vector<customers::SaleSummary> &sales() const;
    // Selects the row of a sale (false when it is not listed).
    bool selectSale(qint32 saleId);
    // Payments are taken in the register's shift (0: none open).
    void takePaymentsIn(qint32 shiftId) { mShiftId = shiftId; }

    void cmdOpenSale_Click();
    void cmdPayment_Click();

signals:
    // Customer balances changed (a payment was recorded).
    void BalancesChanged();

private:
    const customers::SaleSummary *currentSale() const;
    void message(const QString &text, bool exclamation = true);

    db::Store &mStore;
    platform::Prompt &mPrompt;
    platform::DialogRunner &mDialogs;
    qint32 mEmployeeId = 0;
    qint32 mCustId = 0;
    qint32 mShiftId = 0;
    SaleListModel *mModel;
    QTableView *lvSales;
    QPushButton *cmdOpenSale;
    QPushButton *cmdPayment;
};

} // namespace vanta
