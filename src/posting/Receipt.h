#pragma once

#include "posting/ReceiptContent.h"
#include "posting/RenderedDocument.h"

#include <QString>

namespace vanta::db {
class Store;
}

namespace vanta::posting {

// Width of the receipt roll.
inline constexpr double ReceiptWidthMm = 80.0;
// The name the page receipt's HTML gives the drawn barcode of the sale.
inline const QString ReceiptBarcodeImage = QStringLiteral("vanta-receipt-barcode");

// The receipt of a stored sale as the store's documents show it (see
// ReceiptContent). Throws VantaError when the sale is not stored.
ReceiptContent loadReceiptContent(db::Store &store, qint32 saleId, const QString &employeeName, bool copy = false);

// The receipt of a posted sale, read from the store: the store's name and
// address, sale number, date, employee, every line with quantity, unit price
// and amount, the totals, the pay type, the amount tendered and the change.
// Throws VantaError when the sale is not stored.
QString renderReceiptHtml(db::Store &store, qint32 saleId, const QString &employeeName);
QString renderReceiptHtml(const ReceiptContent &receipt);

// The same on an 80 mm roll, titled "Receipt <sale number>" ("... COPY" for
// a reprint).
RenderedDocument receiptDocument(db::Store &store, qint32 saleId, const QString &employeeName, bool copy = false);

} // namespace vanta::posting
