#pragma once

#include "sale/SaleTaxAmounts.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace vanta::sale {
class Sale;
}

namespace vanta::posting {

// Sale kinds stored in `Sales`.`TypeID`.
enum SaleKind : qint16 { OrdinarySale = 0, InvoiceSale = 3 };

// The register's amounts in whole cents, as shown; posting stores each as a
// single-precision number, as the money columns hold them.
struct SaleAmounts {
    qint64 total = 0;    // total due
    qint64 tax = 0;      // sales tax and shipping tax
    qint64 tendered = 0; // amount tendered
    qint64 change = 0;   // change due
    qint64 shipping = 0;
};

// What the invoice dialog collects for an invoice sale.
struct InvoiceDetails {
    QString purchaseOrderNumber;
    QString terms;
    QString shippingMethod;
    QStringList billingLines;  // five lines
    QStringList shippingLines; // five lines
    QString memo;
    QString memoToCustomer;
    QString salesRepresentative;
};

// Everything posting reads from the register besides the sale lines.
struct PostingRequest {
    qint16 kind = OrdinarySale;
    qint32 saleId = 0;
    qint32 customerId = 0;
    qint32 payTypeId = 0;
    qint32 employeeId = 0;
    SaleAmounts amounts;
    // The tax charged (amounts.tax) split among the agencies that collect
    // it, as `Tax Holder` records it.
    std::vector<sale::AgencyTax> taxByAgency;
    std::optional<InvoiceDetails> invoice; // for InvoiceSale
    // A manager's approval of something on the sale, recorded with it.
    struct Approved {
        qint32 employeeId = 0;
        QString what;
    };
    std::optional<Approved> approval;
    // The register's open shift the sale is posted in (0: none).
    qint32 shiftId = 0;
};

// What posting needs of the register's sale: its number, customer, pay
// type and amounts as shown, and its tax by agency.
PostingRequest requestFor(const sale::Sale &sale, qint16 kind, qint32 employeeId);

} // namespace vanta::posting
