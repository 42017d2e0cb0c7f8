#pragma once

#include "db/Connection.h"

#include <QHash>
#include <QString>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::lookup {

// One item as the finder lists it.
struct CatalogueItem {
    qint32 index = 0;
    QString name;
    QString descShort;
    double qty = 0;
    float price = 0;
    bool hidden = false;
    bool quantityTrack = false;
    qint32 category = 0;
    qint32 uomId = 0;
    QString uom;          // the `UOM` row's text when uomid names one
    bool uomFound = false;
    QString customUom;

    // The unit column of the list: the unit's text, "-" when uomid names no
    // unit, the custom unit when uomid is 0, or "None" when that is empty.
    QString listUnit() const;
    // The unit written into tree texts: the unit's text or the custom unit;
    // none when uomid names no unit.
    std::optional<QString> treeUnit() const;
};

// The store's items read once for the finder, in name order (without regard
// to case), with a case-folded copy of the thirteen searched columns kept in
// one buffer, so that a substring search is one pass over memory instead of
// thirteen LIKE tests per row.
class ItemCatalogue {
public:
    explicit ItemCatalogue(db::Store &store);

    // The store's catalogue, read again only when the store has changed
    // since it was last read (kept with the store's connection). When only
    // stock quantities changed (as after a posting), the kept catalogue is
    // copied with the new quantities instead of being built again.
    static std::shared_ptr<const ItemCatalogue> current(db::Store &store);

    // The catalogue with the store's current quantities when nothing else
    // of any item or unit differs from `previous`; none otherwise.
    static std::shared_ptr<const ItemCatalogue> withNewQuantities(db::Store &store, const ItemCatalogue &previous);

    const std::vector<CatalogueItem> &items() const { return mItems; }
    int size() const { return int(mItems.size()); }
    const CatalogueItem &at(int position) const { return mItems[size_t(position)]; }
    // Position of an item index; -1 when the store has no such item.
    int positionOf(qint32 itemIndex) const { return mPos.value(itemIndex, -1); }

    // Positions, in name order, of the items any of whose searched columns
    // contains the text (every character literal, letters in any case), or
    // whose index is the number the text starts with. Double quotes in the
    // text are dropped. Hidden items never, items with negative stock never,
    // and with `inStockOnly` only items with stock above 0.
    std::vector<int> search(const QString &text, bool inStockOnly) const;

    // The same folding the searched columns went through.
    static std::string fold(const QString &text);

private:
    ItemCatalogue() = default;
    // `previous` with the quantities of the items the store's connection
    // itself changed, re-read one by one, when its writes since then only
    // changed items in place and nothing but their stock; none otherwise.
    static std::shared_ptr<const ItemCatalogue> withOwnWrites(db::Store &store,
                                                              const std::shared_ptr<const ItemCatalogue> &previous,
                                                              const std::vector<db::Connection::RowWrite> &writes);

    std::vector<CatalogueItem> mItems;
    std::vector<quint64> mRowHash; // every column but the quantity, per item
    quint64 mUnitsHash = 0;
    std::string mText;           // searched columns, folded, each followed by '\x01'
    std::vector<size_t> mStart;  // item i's text: mStart[i] .. mStart[i + 1]
    QHash<qint32, int> mPos;
};

} // namespace vanta::lookup
