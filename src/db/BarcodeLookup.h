#pragma once

#include <QString>
#include <optional>

namespace vanta::db {

class Store;

// A good a code names: the `Item Index` of an item, or the `SubItemID` of a
// variant (the two tables number apart).
struct CodedGood {
    qint32 id = 0;
    bool variant = false;
    bool operator==(const CodedGood &) const = default;
};

// The good a scanned or typed code stands for: the item whose `barcode
// label` is exactly the code; else, for a numeric code, the item with that
// `Item Index` or, when there is none, the variant with that `SubItemID`;
// none when nothing matches.
std::optional<CodedGood> FindItemByCode(Store &store, const QString &code);
// The second half of FindItemByCode, for a code known to be no barcode
// label: the item or variant a numeric code names.
std::optional<CodedGood> FindItemByNumber(Store &store, const QString &code);

} // namespace vanta::db
