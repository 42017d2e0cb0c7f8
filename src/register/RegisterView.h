#pragma once

#include "register/CustomerListModel.h"
#include "sale/Sale.h"

#include <QList>

class QWidget;

namespace vanta {

// What the register's commands ask of the window that shows the sale. The
// window follows the sale by itself (it observes it); this is only what the
// sale does not say: lists to show, where the cashier's focus goes, who is
// logged on, and the window's own life.
class RegisterView {
public:
    enum class Field { Customers, PayType, Tender };

    virtual ~RegisterView() = default;

    // The parent of the dialogs the commands open.
    virtual QWidget *dialogParent() = 0;
    virtual void focus(Field field) = 0;
    // The employee logged on or the security switch changed.
    virtual void showIdentity() = 0;
    // The store's lists as read for a new sale.
    virtual void showCustomers(QList<CustomerListModel::Entry> entries) = 0;
    virtual void showPayTypes(const QList<sale::PayType> &payTypes) = 0;
    virtual void bringToFront() = 0;
    // A line about the store the register works on (selling offline, sales
    // waiting for the server), shown until replaced; empty: nothing to say.
    virtual void showStoreState(const QString &text) = 0;
    // The window has closed for good.
    virtual bool isClosed() const = 0;
    // Closes the window: a sale with lines is held (the window minimised)
    // unless `forGood`.
    virtual void closeWindow(bool forGood) = 0;
};

} // namespace vanta
