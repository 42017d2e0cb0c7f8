#pragma once

#include <QString>

namespace vanta::db {

class Store;

// The item a scanned or typed code stands for: the `Item Index` of the item
// whose `barcode label` is exactly the code; else, for a numeric code, the
// item with that `Item Index` or the variant with that `SubItemID`; -1 when
// none.
qint32 FindItemByCode(Store &store, const QString &code);

} // namespace vanta::db
