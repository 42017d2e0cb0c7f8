#pragma once

#include <QString>
#include <optional>

namespace vanta::posting {

// The code a receipt prints as its barcode: the sale number after a prefix
// no item code starts with ("SALE#778"), so that the register tells a
// receipt scanned for a return from an item scanned for a sale.
QString receiptCode(qint32 saleId);

// The sale a scanned or typed receipt code names: "SALE#778", or the
// number alone when `plainNumber` (typed where a sale number is asked for).
// None for anything else.
std::optional<qint32> saleOfReceiptCode(const QString &code, bool plainNumber = false);

} // namespace vanta::posting
