#pragma once

#include <QtGlobal>

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// Whether stock of the item is tracked; false for an unknown index (sub-items
// are not consulted).
bool CheckQTY(db::Store &store, qint32 itemIndex);
// Whether stock of the item, or of a sub-item's root item, is tracked; false
// when the index names neither.
bool TrackQty(db::Store &store, qint32 index);
// The register's quantity on hand of an item or, when no item has the index,
// of the sub-item with it; 0 when neither exists.
float RegisterCheckQTY(db::Store &store, qint32 index);

} // namespace vanta::sale
