#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace vanta::posting {

// Sale kinds stored in `Sales`.`TypeID`.
enum SaleKind : qint16 { OrdinarySale = 0, InvoiceSale = 3 };

// The register's amounts as displayed ("$1,234.50", "20.00"); posting
// converts each text to a single-precision number.
struct DisplayedAmounts {
    QString total;    // lblTotal
    QString tax;      // lblTax
    QString tendered; // txtAmountTendered
    QString change;   // lblChangeDue
    QString shipping; // lblShipping
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
    DisplayedAmounts amounts;
    std::optional<InvoiceDetails> invoice; // for InvoiceSale
};

} // namespace vanta::posting
