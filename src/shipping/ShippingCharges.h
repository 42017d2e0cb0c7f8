#pragma once

#include "sale/Money.h"

#include <QString>
#include <optional>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::shipping {

// One range of a shipping scheme: inclusive bounds (Max -1 is the
// open-ended top range) in the scheme's measure (pounds, dollars or units)
// and the charge of each service level.
struct clsShippingRange {
    float Min = 0;
    float Max = 0;
    sale::Money Regular;
    sale::Money TwoDay;
    sale::Money OneDay;
};

// A charging scheme (`ShippingTypes` row) with its ranges in ascending order,
// the open-ended range last.
class clsShippingType {
public:
    enum Id : qint32 { ByWeight = 0, ByItemCount = 1, ByPrice = 2 };

    qint32 ShippingTypeID = 0;
    QString ShippingType;
    QString Format;
    float Interval = 0;

    void Add(const clsShippingRange &range) { mRanges.push_back(range); }
    int Count() const { return int(mRanges.size()); }
    const clsShippingRange &Item(int position) const { return mRanges.at(size_t(position)); }
    const std::vector<clsShippingRange> &ranges() const { return mRanges; }
    // Makes the last range open-ended (for a scheme stored without one).
    void openTop()
    {
        if (!mRanges.empty())
            mRanges.back().Max = -1;
    }

    // The range that charges an amount: the first whose upper bound is at or
    // above it (or the open-ended one). An amount that falls in the gap
    // between two ranges (5.5 between 0-5 and 6-10) takes the upper range
    // instead of being charged nothing. None when the scheme has no ranges.
    const clsShippingRange *rangeFor(double amount) const;

private:
    std::vector<clsShippingRange> mRanges;
};

// Every scheme of the store, loaded when made, in `ShippingTypes` order.
class clsShippingCharges {
public:
    explicit clsShippingCharges(db::Store &store);

    int Count() const { return int(mTypes.size()); }
    const clsShippingType &Item(int position) const { return mTypes.at(size_t(position)); }
    // By its `ShippingType` text; none when absent.
    const clsShippingType *Item(const QString &key) const;
    // The scheme the company's shipping option charges by (2 weight, 3 price,
    // 4 item quantity); none for other options or when the store lacks it.
    const clsShippingType *forOption(qint16 option) const;

private:
    std::vector<clsShippingType> mTypes;
};

} // namespace vanta::shipping
