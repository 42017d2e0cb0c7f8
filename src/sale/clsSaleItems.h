#pragma once

#include "sale/OrderedCollection.h"
#include "sale/clsSaleItem.h"

#include <QString>
#include <memory>

namespace vanta::sale {

// The lines of one sale in insertion order, each keyed by its item and option
// values ("Key" + item + option 1 + option 2 + option 3, e.g. Key12000), so
// that adding the same variant again can find the existing line.
class clsSaleItems {
public:
    using Line = std::shared_ptr<clsSaleItem>;
    using const_iterator = OrderedCollection<clsSaleItem>::const_iterator;

    // The four numbers joined without separators ("12000"): what
    // RemoveSaleItem takes and what follows "Key" in a line's key.
    static QString KeySuffix(qint32 itemIndex, qint32 option1, qint32 option2, qint32 option3);
    static QString KeyOf(qint32 itemIndex, qint32 option1, qint32 option2, qint32 option3);
    static QString KeyOf(const clsSaleItem &line);

    void Clear();
    qint16 Count() const;

    // The line at a 1-based position or under a key. An invalid index is
    // retried once with "000" appended (Key12 finds Key12000); when that fails
    // too the collection's VantaError reaches the caller.
    Line Item(int position) const;
    Line Item(const QString &key) const;

    // Enumerates the lines in order.
    const_iterator begin() const { return mCol.begin(); }
    const_iterator end() const { return mCol.end(); }

    // Appends the line under its key; a second line with the same key throws
    // the collection's duplicate-key error (test SaleItemExists first).
    void AddSaleItem(Line line);
    // Removes the line keyed "Key" + suffix; a missing key throws.
    void RemoveSaleItem(const QString &keySuffix);
    // True when a line has exactly these four values (compared one by one,
    // not through the joined key).
    bool SaleItemExists(qint32 itemIndex, qint32 option1, qint32 option2, qint32 option3) const;

private:
    OrderedCollection<clsSaleItem> mCol;
};

} // namespace vanta::sale
