#pragma once

#include <QString>

namespace vanta::db {

class Store;

// The item a scanned or typed code stands for: the `Item Index` of the item
// whose `barcode label` is exactly the code; else, for a numeric code, the
// item with that `Item Index` or the variant with that `SubItemID`; -1 when
// none.
qint32 FindItemByCode(Store &store, const QString &code);
// The second half of FindItemByCode, for a code known to be no barcode
// label: the item or variant a numeric code names; -1 when none.
qint32 FindItemByNumber(Store &store, const QString &code);

} // namespace vanta::db
