#pragma once

#include "sale/Sale.h"
#include "sale/clsSaleItem.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace vanta::journal {

// The current sale as the register shows it, everything needed to put it
// back on the register after a crash: the lines as edited, the customer,
// the pay type, the shipping and the tax shown.
struct OpenSale {
    using Shipping = sale::SaleShipping;

    qint32 saleId = 0;
    QDateTime changed; // when the sale was last changed
    std::vector<sale::clsSaleItem> lines;
    std::optional<qint32> customerId; // `Cust ID`
    std::optional<qint32> payTypeId;  // `PayTypes`.`id`
    Shipping shipping;
    float salesTax = 0;
    float shippingTax = 0;
    // Read from a record of the first form, which did not say whether a
    // line sells an item or a variant: every line reads as an item until
    // the store tells (see unfinishedSale).
    bool kindsGuessed = false;

    bool empty() const { return lines.empty(); }
    bool operator==(const OpenSale &) const = default;
};

// The record of a sale as the journal keeps it, and back. An empty record
// stands for "no open sale". Decoding throws JournalError on a record it
// cannot read whole.
QByteArray encodeOpenSale(const OpenSale &sale);
// The register's sale as the journal keeps it, changed at `changed`.
OpenSale openSaleOf(const sale::Sale &sale, const QDateTime &changed);
std::optional<OpenSale> decodeOpenSale(const QByteArray &record);

} // namespace vanta::journal
