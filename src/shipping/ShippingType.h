#pragma once

#include <QtGlobal>

namespace vanta::db {
class Store;
}

namespace vanta::shipping {

// The company's `shipping option`: 1 fixed charge, 2 by weight, 3 by price,
// 4 by item quantity; 0 when `Company` has no row (shipping not configured).
qint16 GetShippingType(db::Store &store);

} // namespace vanta::shipping
