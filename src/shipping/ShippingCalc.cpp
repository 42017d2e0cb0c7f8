#include "shipping/ShippingCalc.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
#include "shipping/ShippingCharges.h"
#include "shipping/ShippingType.h"

namespace vanta::shipping {

namespace {
const char *const kModule = "frmPOS";

QString titleFor(qint16 option)
{
    switch (option) {
    case 2: return QStringLiteral("Shipping By Weight");
    case 3: return QStringLiteral("Shipping By Price");
    case 4: return QStringLiteral("Shipping By Item QTY");
    default: return QStringLiteral("Shipping Charges");
    }
}
} // namespace

double GetTotalWeight(const sale::clsSaleItems &items)
{
    return diag::run(kModule, "GetTotalWeight", 0.0, [&] {
        double total = 0;
        for (const auto &line : items)
            total += double(line->Weight()) * double(line->qty());
        return total;
    });
}

double GetItemCount(const sale::clsSaleItems &items)
{
    return diag::run(kModule, "GetItemCount", 0.0, [&] {
        double total = 0;
        for (const auto &line : items)
            total += double(line->qty());
        return total;
    });
}

std::optional<ShippingOffer> CalculateShipping(db::Store &store, qint16 option, double amount)
{
    return diag::run(kModule, "CalculateShipping", std::optional<ShippingOffer>(), [&]() -> std::optional<ShippingOffer> {
        const clsShippingCharges charges(store);
        const clsShippingType *scheme = charges.forOption(option);
        const clsShippingRange *range = scheme ? scheme->rangeFor(amount) : nullptr;
        if (!range)
            return std::nullopt;
        ShippingOffer offer;
        offer.title = titleFor(option);
        offer.charges = {range->Regular, range->TwoDay, range->OneDay};
        return offer;
    });
}

ShippingOffer FixedShipping(db::Store &store)
{
    return diag::run(kModule, "FixedShipping", ShippingOffer(), [&] {
        db::Recordset rs = store.database().openTable(QStringLiteral("Company"));
        const QVariant stored = rs.eof() ? QVariant() : rs.field(QStringLiteral("fixed shipping charge"));
        ShippingOffer offer;
        offer.mode = ShippingOffer::Mode::Fixed;
        offer.fixedCharge = sale::Money::fromDollars(db::asDouble(stored));
        offer.fixedText = QStringLiteral("Fixed Shipping Rate = $") + QString::number(offer.fixedCharge.dollars());
        return offer;
    });
}

std::optional<ShippingOffer> OfferFor(db::Store &store, const sale::clsSaleItems &items, sale::Money subtotal)
{
    const qint16 option = GetShippingType(store);
    switch (option) {
    case 1: return FixedShipping(store);
    case 2: return CalculateShipping(store, option, GetTotalWeight(items));
    case 3: return CalculateShipping(store, option, subtotal.dollars());
    case 4: return CalculateShipping(store, option, GetItemCount(items));
    default: return std::nullopt;
    }
}

} // namespace vanta::shipping
