#include "shipping/ShippingCharges.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::shipping {

namespace {
const char *const kModule = "clsShippingCharges";

// Reads one scheme's ranges: the finite ones in ascending order, each
// starting one interval above the last, then the open-ended one. A scheme
// without an open-ended row has its last finite range made the top range.
void loadRanges(const db::Database &db, clsShippingType &type)
{
    db::Recordset rs = db.openQuery(
        QStringLiteral("SELECT * FROM ShippingCharges WHERE ShippingTypeID = ? ORDER BY \"Max\""),
        {type.ShippingTypeID});
    float nextMin = 0;
    std::optional<clsShippingRange> open;
    for (; !rs.eof(); rs.moveNext()) {
        clsShippingRange r;
        r.Max = db::asSingle(rs.field(QStringLiteral("Max")));
        r.Regular = sale::Money::fromSingle(db::asSingle(rs.field(QStringLiteral("Regular"))));
        r.TwoDay = sale::Money::fromSingle(db::asSingle(rs.field(QStringLiteral("TwoDay"))));
        r.OneDay = sale::Money::fromSingle(db::asSingle(rs.field(QStringLiteral("OneDay"))));
        if (r.Max == -1.0f) {
            if (!open)
                open = r;
            continue;
        }
        r.Min = nextMin;
        type.Add(r);
        nextMin = r.Max + type.Interval;
    }
    if (open) {
        open->Min = nextMin;
        type.Add(*open);
    } else {
        type.openTop();
    }
}
} // namespace

const clsShippingRange *clsShippingType::rangeFor(double amount) const
{
    const float a = float(amount);
    for (const clsShippingRange &r : mRanges)
        if (r.Max == -1.0f || a <= r.Max)
            return &r;
    return nullptr;
}

clsShippingCharges::clsShippingCharges(db::Store &store)
{
    diag::run(kModule, "Class_Initialize", [&] {
        const db::Database db = store.ownConnection();
        db::Recordset rs = db.openTable(QStringLiteral("ShippingTypes"));
        for (; !rs.eof(); rs.moveNext()) {
            clsShippingType type;
            type.Format = rs.text(QStringLiteral("Format"));
            type.ShippingType = rs.text(QStringLiteral("ShippingType"));
            type.ShippingTypeID = db::asLong(rs.field(QStringLiteral("ShippingTypeID")));
            type.Interval = db::asSingle(rs.field(QStringLiteral("Interval")));
            loadRanges(db, type);
            mTypes.push_back(std::move(type));
        }
    });
}

const clsShippingType *clsShippingCharges::Item(const QString &key) const
{
    for (const clsShippingType &t : mTypes)
        if (t.ShippingType == key)
            return &t;
    return nullptr;
}

const clsShippingType *clsShippingCharges::forOption(qint16 option) const
{
    qint32 id = -1;
    switch (option) {
    case 2: id = clsShippingType::ByWeight; break;
    case 3: id = clsShippingType::ByPrice; break;
    case 4: id = clsShippingType::ByItemCount; break;
    default: return nullptr;
    }
    for (const clsShippingType &t : mTypes)
        if (t.ShippingTypeID == id)
            return &t;
    return nullptr;
}

} // namespace vanta::shipping
