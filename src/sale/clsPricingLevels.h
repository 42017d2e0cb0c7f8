#pragma once

#include "sale/OrderedCollection.h"
#include "sale/clsFormat.h"
#include "sale/clsPricingLevel.h"

#include <memory>
#include <optional>

namespace vanta::db {
class Database;
class Recordset;
class Store;
}

namespace vanta::sale {

// The bulk price levels of one item, in ascending order with the open-ended
// level last. Only each level's upper bound and price are stored; the lower
// bounds follow from the item's unit format.
class clsPricingLevels {
public:
    using Level = std::shared_ptr<clsPricingLevel>;
    using const_iterator = OrderedCollection<clsPricingLevel>::const_iterator;

    explicit clsPricingLevels(db::Store &store);

    // The item's unit format; null when the item has none that exists.
    std::shared_ptr<clsFormat> Format() const;
    float Increment() const;
    qint32 ITEMINDEX() const;
    int Count() const;
    Level Item(int position) const; // 1-based
    const_iterator begin() const { return mCol.begin(); }
    const_iterator end() const { return mCol.end(); }

    // Fills the levels of the item; an item without a finite level first gets
    // the default levels written to the store.
    void LoadLevels(qint32 itemIndex);
    // The same for an item already read: its `FormatID` and `LIST PRICE`.
    void LoadLevels(qint32 itemIndex, qint16 formatId, Money listPrice);
    // Stores a level row for the item and appends the level.
    void Save(db::Recordset &rs, Money price, qint32 minimum, qint32 maximum);

    // The first level that holds the quantity; null when none does.
    Level MatchingLevel(float qty) const;

private:
    // What the levels need of the item.
    struct ItemPricing {
        qint16 formatId = 0;
        Money listPrice;
    };
    // Fills the levels; `item` is none when the item does not exist.
    void load(const db::Database &db, qint32 itemIndex, const std::optional<ItemPricing> &item);
    void writeDefaultLevels(const db::Database &db, Money listPrice);

    db::Store &mStore;
    OrderedCollection<clsPricingLevel> mCol;
    std::shared_ptr<clsFormat> mFormat;
    float mIncrement = 0;
    qint32 mItemIndex = 0;
};

} // namespace vanta::sale
