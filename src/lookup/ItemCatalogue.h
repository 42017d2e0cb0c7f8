#pragma once

#include "db/Connection.h"
#include "lookup/PositionIndex.h"
#include "lookup/SearchText.h"

#include <QHash>
#include <QPair>
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
// to case). A million items must fit in little memory, so nothing is kept
// per item on the heap: each item is one fixed-size entry, its shown texts
// (name, short description, custom unit) sit in one buffer, and a
// case-folded copy of the thirteen searched columns, each distinct text of
// an item once and repeated groups of them once for the store (SearchText),
// so that a substring search is a pass over memory instead of thirteen LIKE
// tests per row.
class ItemCatalogue {
public:
    explicit ItemCatalogue(db::Store &store);

    // The store's catalogue, read again only when the store has changed
    // since it was last read (kept with the store's connection). When only
    // stock quantities changed (as after a posting), the kept catalogue is
    // copied with the new quantities instead of being built again.
    static std::shared_ptr<const ItemCatalogue> current(db::Store &store);
    // The kept catalogue when it is current or the store's own connection
    // only changed a few items' stock since (read back at once); none when
    // the catalogue has to be read in full or compared item by item.
    static std::shared_ptr<const ItemCatalogue> currentIfQuick(db::Store &store);

    // The catalogue with the store's current quantities when nothing else
    // of any item or unit differs from `previous`; none otherwise.
    static std::shared_ptr<const ItemCatalogue> withNewQuantities(db::Store &store, const ItemCatalogue &previous);

    // The catalogue as read on a connection of the caller's (a worker
    // thread's own): `previous` with new quantities when only they changed,
    // else read in full. Throws on a database error; touches nothing shared.
    static std::shared_ptr<const ItemCatalogue> readOn(db::Connection &conn,
                                                       const std::shared_ptr<const ItemCatalogue> &previous);

    // The catalogue kept with a store, with the main connection's change
    // stamp and write mark at the moment it was read, and where the store
    // sends notes of its changes, the stamps of the items and units and of
    // the items' stock alone.
    struct Kept {
        QPair<qint64, qint64> stamp;
        qint64 writeMark = -1;
        std::shared_ptr<const ItemCatalogue> catalogue;
        std::optional<QPair<qint64, qint64>> itemsStamp;
        std::optional<QPair<qint64, qint64>> stockStamp;
    };
    static std::shared_ptr<const Kept> kept(db::Store &store);
    static void keep(db::Store &store, Kept kept);

    int size() const { return int(mQty.size()); }
    // The item at a position, texts made for the caller.
    CatalogueItem at(int position) const;
    // Single columns of an item, without making any text.
    qint32 indexAt(int position) const { return entry(position).index; }
    double qtyAt(int position) const { return mQty[size_t(position)]; }
    float priceAt(int position) const { return entry(position).price; }
    qint32 categoryAt(int position) const { return entry(position).category; }
    bool hiddenAt(int position) const { return entry(position).flags & kHidden; }
    QString nameAt(int position) const;
    // The list's unit column as a rank: equal units rank equal, and ranks
    // follow the units' texts without regard to case.
    std::vector<int> unitRanks() const;
    // Position of an item index; -1 when the store has no such item.
    int positionOf(qint32 itemIndex) const;

    // Positions, in name order, of the items any of whose searched columns
    // contains the text (every character literal, letters in any case), or
    // whose index is the number the text starts with. Double quotes in the
    // text are dropped. Hidden items never, items with negative stock never,
    // and with `inStockOnly` only items with stock above 0.
    std::vector<int> search(const QString &text, bool inStockOnly) const;

    // The same folding the searched columns went through.
    static std::string fold(const QString &text);

    // Bytes held, by part: the searched text (with its offsets and the
    // items' groups), the shown texts, and the entries with their stock,
    // fingerprints and lookup table.
    struct Footprint {
        size_t searchText = 0;
        size_t shownText = 0;
        size_t entries = 0;
    };
    Footprint footprint() const;

private:
    enum Flag : quint8 {
        kHidden = 1,
        kQuantityTrack = 2,
        kNameMasked = 4,
        kDescMasked = 8,
        kDescIsName = 16, // the short description is the name: nothing of it is kept in `shown`
        kDescInName = 32, // the short description folds to the name: its letters are the name's column
    };
    // An item's columns apart from its stock.
    struct Entry {
        qint32 index = 0;
        qint32 category = 0;
        qint32 uomId = 0;
        float price = 0;
        quint32 shown = 0; // name, short description and custom unit, one after another in `shown`
                           // (a plain ASCII name or description as the mask of its capitals over its
                           // column of the searched text)
        quint16 nameLength = 0;
        quint16 descLength = 0;
        quint16 customLength = 0;
        quint8 flags = 0;
    };
    // All but the stock: shared by catalogues that differ only in stock.
    struct Body {
        std::vector<Entry> entries;
        std::vector<quint64> rowHash; // every column but the quantity, per item
        QHash<qint32, QString> units;
        quint64 unitsHash = 0;
        std::string shown;
        SearchText text;
        PositionIndex positions;
    };
    const Entry &entry(int position) const { return mBody->entries[size_t(position)]; }
    // The name (part 0) or the short description (part 1) of an item.
    QString shown(int position, int part) const;
    static size_t shownSize(const Entry &e);
    std::string_view customUomOf(const Entry &e) const;

    ItemCatalogue() = default;
    // Reads every item, then hands the read's scratch memory back.
    void load(db::Connection &conn);
    void read(db::Connection &conn);
    // This catalogue with other stock quantities.
    std::shared_ptr<const ItemCatalogue> withQuantities(std::vector<double> qty) const;
    static std::shared_ptr<const ItemCatalogue> quantitiesFrom(db::Connection &conn, const ItemCatalogue &previous);
    // `previous` with the quantities of the items the store's connection
    // itself changed, re-read one by one, when its writes since then only
    // changed items in place and nothing but their stock; none otherwise.
    static std::shared_ptr<const ItemCatalogue> withOwnWrites(db::Store &store,
                                                              const std::shared_ptr<const ItemCatalogue> &previous,
                                                              const std::vector<db::Connection::RowWrite> &writes);
    // The kept catalogue brought up to date by the store's notes of
    // changes: as kept while no item or unit changed, with the stock of the
    // items the notes name read again; none when the notes cannot tell.
    static std::shared_ptr<const ItemCatalogue> withHeardChanges(db::Store &store, const Kept &before);
    // `previous` with the stock of the items whose rows `where` picks by
    // each of `keys`, read one by one; none when more than their stock
    // changed or an item is gone.
    static std::shared_ptr<const ItemCatalogue> withStockOf(db::Connection &conn, const ItemCatalogue &previous,
                                                            const QString &where, const std::vector<qint64> &keys);

    std::shared_ptr<const Body> mBody = std::make_shared<const Body>();
    std::vector<double> mQty; // by position
};

} // namespace vanta::lookup
