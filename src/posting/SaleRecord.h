#pragma once

#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>

namespace vanta::db {
class Store;
}

namespace vanta::posting {

// The store's own details from the first `Company` row, as printed on
// receipts and reports.
struct CompanyInfo {
    QString name, address, city, state, zip, phone, fax, email, web, description;
    QString logo; // the logo's image file as stored (a path)
    // The show flags; a flag left null counts as shown.
    bool showAddress = true, showCity = true, showState = true, showZip = true, showPhone = true,
         showFax = true;

    // Street line and "City, ST 12345" as far as they are shown.
    QStringList addressLines() const;
    QString shownPhone() const { return showPhone ? phone : QString(); }
    QString shownFax() const { return showFax ? fax : QString(); }
};

// One `Sold Items` row with the names it needs.
struct SoldLine {
    int lineItem = 0;
    qint32 itemIndex = 0;
    qint32 subItemId = 0;   // 0 for a plain item
    QString description;    // item name, with the option values sold
    float qty = 0;
    float price = 0;
    bool taxed = false;

    double amount() const { return double(qty) * double(price); }
};

// A posted sale as the documents show it, read from `Sales`, `Sold Items`
// and the rows they refer to.
struct SaleRecord {
    qint32 saleId = 0;
    qint16 kind = 0;
    QDateTime date;
    qint32 customerId = 0;
    QString customerName;
    QString payType;
    float total = 0, tax = 0, tendered = 0, change = 0, shipping = 0;
    double taxPercent = 0;
    qint32 soldBy = 0;
    QStringList billTo, shipTo; // non-blank address lines only
    QString poNumber, terms, shipMethod, salesRep, memoToCustomer;
    QDateTime shipDate;
    QList<SoldLine> lines;
    CompanyInfo company;

    // Sum of quantity x unit price over the lines.
    double linesTotal() const;
    // What the goods came to: total less tax and shipping.
    double subtotal() const { return double(total) - double(tax) - double(shipping); }
    // Line discounts: what the lines list above the subtotal (0 when none).
    double discount() const;
    double amountPaid() const;
    double balanceDue() const { return double(total) - amountPaid(); }
    double totalQuantity() const;
    // The day payment is due, as the terms read: "Net N" (also within
    // "2% 10 Net 30") is N days after the sale, anything else the day of
    // the sale.
    QDate dueDate() const;
};

// Reads a posted sale; throws VantaError when the store has no such sale.
SaleRecord LoadSaleRecord(db::Store &store, qint32 saleId);

} // namespace vanta::posting
