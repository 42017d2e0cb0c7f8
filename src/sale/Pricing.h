#pragma once

#include "sale/Good.h"
#include "sale/Money.h"

#include <QtGlobal>

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// Unit prices and bulk discounts of sale lines. A variant is priced from
// its parent item. Missing items, sub-items and option values yield 0.

// Unit price for the quantity: the list price, or for a bulk item the price of
// the first level holding the quantity (0 when none does), plus a variant's
// option charges (an item's chosen options are not included). A quantity of
// 0 prices at 0.
Money GetPrice(db::Store &store, const Good &good, float qty);
// Sum of the additional charges of the option values of one sub-item.
Money GetPriceAdjustment(db::Store &store, qint32 subItemId);
// Sum of the additional charges of up to three option values (0 = none).
Money GetPriceForOptions(db::Store &store, qint32 valueId1, qint32 valueId2, qint32 valueId3);
// How far below the list price the bulk level for the quantity lies, in
// percent with two decimals; 0 for non-bulk items and levels at or above list.
double GetDiscount(db::Store &store, const Good &good, double qty);

} // namespace vanta::sale
