#pragma once

#include "sale/Money.h"

#include <QString>
#include <array>
#include <optional>

namespace vanta::db {
class Store;
}
namespace vanta::sale {
class clsSaleItems;
}

namespace vanta::shipping {

// The sale measured for shipping (module "frmPOS").

// Shipping weight of the sale: unit weight times quantity over the lines
// (ten 2-pound items weigh 20 pounds).
double GetTotalWeight(const sale::clsSaleItems &items);
// Number of units of the sale: the lines' quantities added.
double GetItemCount(const sale::clsSaleItems &items);

// What the shipping dialog offers for the current sale.
struct ShippingOffer {
    enum class Mode { Range, Fixed };
    Mode mode = Mode::Range;
    QString title = QStringLiteral("Shipping Charges");
    // Range mode: the charges of Regular, Two Day and One Day.
    std::array<sale::Money, 3> charges{};
    // Fixed mode: the company's fixed charge and its label text.
    sale::Money fixedCharge;
    QString fixedText;
};

// Range mode for an amount under the company's option (2 weight, 3 price,
// 4 item quantity); none when the option is not one of those or the store
// has no such scheme.
std::optional<ShippingOffer> CalculateShipping(db::Store &store, qint16 option, double amount);
// Fixed mode with the company's `fixed shipping charge`.
ShippingOffer FixedShipping(db::Store &store);

// The offer for the sale by the company's shipping option; none when
// shipping is not set up (option 0 or an unknown option).
std::optional<ShippingOffer> OfferFor(db::Store &store, const sale::clsSaleItems &items, sale::Money subtotal);

} // namespace vanta::shipping
