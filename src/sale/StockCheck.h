#pragma once

#include "sale/Good.h"

#include <QtGlobal>

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// Whether stock of the item is tracked; false for an unknown index (sub-items
// are not consulted).
bool CheckQTY(db::Store &store, qint32 itemIndex);
// Whether stock of the item, or of a variant's root item, is tracked; false
// when the good is not in the store.
bool TrackQty(db::Store &store, const Good &good);
// The register's quantity on hand of an item, or of a variant (its own
// stock); 0 when the good is not in the store.
float RegisterCheckQTY(db::Store &store, const Good &good);

} // namespace vanta::sale
