#pragma once

#include "posting/SaleRecord.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace vanta::posting {

// What a receipt says, whatever it is printed on: the page receipt (HTML)
// and the receipt printer's byte stream are both made from this.
struct ReceiptContent {
    // A label with its value on the right ("Subtotal", "$65.97").
    struct Row {
        QString label;
        QString value;
        bool strong = false; // the total: bold and larger
    };
    // One sold line: its name, then "qty @ price" and the amount.
    struct Line {
        QString description;
        QString detail;
        QString amount;
        bool taxed = false;
    };

    qint32 saleId = 0;
    bool copy = false;      // a reprint: marked "COPY"
    QString storeName;      // empty when the store has none
    QStringList storeLines; // address lines and "Tel ..."
    QString logoPath;       // the store logo's image file, empty when none
    QList<Row> details;     // sale number, date, cashier, customer
    QList<Line> lines;
    QList<Row> totals;      // discounts, subtotal, shipping, tax, TOTAL
    QList<Row> payment;     // pay type and change
    bool anyTaxed = false;  // explains the "T" mark
    QStringList footer;     // memo, thanks, web address
    QString barcode;        // the sale's code, printed as a barcode for returns
};

// The text that marks a reprinted receipt.
inline const QString ReceiptCopyMark = QStringLiteral("COPY");
// How the receipt of a sale rung up while the server was away says so.
inline const QString ReceiptOfflineMark = QStringLiteral("offline");
// The note under the totals when a line is marked taxed.
inline const QString TaxedNote = QStringLiteral("T = taxable item");

// The receipt of a stored sale. `dataFolder` resolves a logo file named
// relative to the store's folder (or its "Pictures" folder).
ReceiptContent buildReceiptContent(const SaleRecord &sale, const QString &employeeName, const QString &dataFolder,
                                   bool copy);

} // namespace vanta::posting
