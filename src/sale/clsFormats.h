#pragma once

#include "sale/OrderedCollection.h"
#include "sale/clsFormat.h"

namespace vanta::db {
class Store;
}

namespace vanta::sale {

// Every unit format of the store, read in table order when created.
class clsFormats {
public:
    using Entry = std::shared_ptr<clsFormat>;
    using const_iterator = OrderedCollection<clsFormat>::const_iterator;

    explicit clsFormats(db::Store &store);

    int Count() const;
    Entry Item(int position) const; // 1-based
    const_iterator begin() const { return mCol.begin(); }
    const_iterator end() const { return mCol.end(); }

private:
    OrderedCollection<clsFormat> mCol;
};

} // namespace vanta::sale
