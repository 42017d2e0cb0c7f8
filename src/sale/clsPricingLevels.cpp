#include "sale/clsPricingLevels.h"

#include "db/DbError.h"
#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "sale/clsFormats.h"

#include <optional>

namespace vanta::sale {

namespace {

const char *const kModule = "clsPricingLevels";

// Minimums are derived from the previous level's Max, so the rows are read in
// ascending Max with the open-ended row (-1) last; table order breaks ties.
const QString kLevelRows = QStringLiteral(
    "SELECT * FROM \"BulkLevelPricing\" WHERE \"Item Index\" = ? "
    "ORDER BY CASE WHEN \"Max\" = -1 THEN 1 ELSE 0 END, \"Max\", rowid");

} // namespace

clsPricingLevels::clsPricingLevels(db::Store &store) : mStore(store) {}

std::shared_ptr<clsFormat> clsPricingLevels::Format() const
{
    return diag::run(kModule, "Format_Get", std::shared_ptr<clsFormat>(), [&] { return mFormat; });
}

float clsPricingLevels::Increment() const
{
    return diag::run(kModule, "Increment_Get", 0.0f, [&] { return mIncrement; });
}

qint32 clsPricingLevels::ITEMINDEX() const
{
    return diag::run(kModule, "ITEMINDEX_Get", qint32(0), [&] { return mItemIndex; });
}

int clsPricingLevels::Count() const
{
    return diag::run(kModule, "Count", 0, [&] { return mCol.count(); });
}

clsPricingLevels::Level clsPricingLevels::Item(int position) const
{
    return diag::run(kModule, "Item", Level(), [&] { return mCol.item(position); });
}

clsPricingLevels::Level clsPricingLevels::MatchingLevel(float qty) const
{
    for (const Level &level : mCol)
        if (level->Contains(qty))
            return level;
    return nullptr;
}

void clsPricingLevels::LoadLevels(qint32 itemIndex)
{
    diag::run(kModule, "LoadLevels", [&] {
        const db::Database db = mStore.ownConnection();
        db::Recordset items = db.openTable(QStringLiteral("Items"));
        items.setIndex(QStringLiteral("Item Index"));
        std::optional<ItemPricing> item;
        if (items.seek(itemIndex))
            item = ItemPricing{qint16(db::asLong(items.field(QStringLiteral("FormatID")))),
                               Money::fromSingle(db::asSingle(items.field(QStringLiteral("LIST PRICE"))))};
        items.close();
        load(db, itemIndex, item);
    });
}

void clsPricingLevels::LoadLevels(qint32 itemIndex, qint16 formatId, Money listPrice)
{
    diag::run(kModule, "LoadLevels",
              [&] { load(mStore.ownConnection(), itemIndex, ItemPricing{formatId, listPrice}); });
}

void clsPricingLevels::load(const db::Database &db, qint32 itemIndex, const std::optional<ItemPricing> &item)
{
    mCol.clear();
    mFormat.reset();
    mIncrement = 0;
    mItemIndex = itemIndex;

    if (item) {
        // The formats change seldom: they are kept with the store while it is unchanged.
        const std::shared_ptr<const clsFormats> formats = db::keptData<const clsFormats>(
            mStore, QStringLiteral("sale::clsFormats"), {QStringLiteral("Format")}, [&] { return std::make_shared<const clsFormats>(mStore); });
        for (const auto &format : *formats)
            if (format->FormatID() == item->formatId) {
                mFormat = std::make_shared<clsFormat>(*format);
                mIncrement = format->Increment();
                break;
            }
    }

    float nextMin = mIncrement;
    Level openEnded;
    db::Recordset rows = db.openQuery(kLevelRows, {itemIndex});
    for (; !rows.eof(); rows.moveNext()) {
        auto level = std::make_shared<clsPricingLevel>();
        const float max = db::asSingle(rows.field(QStringLiteral("Max")));
        level->setMax(max);
        level->setPrice(Money::fromSingle(db::asSingle(rows.field(QStringLiteral("LIST PRICE")))));
        if (max == clsPricingLevel::Unbounded) {
            openEnded = level;
        } else {
            level->setMin(nextMin);
            mCol.add(level);
            nextMin = max + mIncrement;
        }
    }
    rows.close();

    if (mCol.count() > 0) {
        // Finite levels without an open-ended row: the last finite level
        // stays the highest.
        if (openEnded) {
            openEnded->setMin(nextMin);
            mCol.add(openEnded);
        }
        return;
    }
    // No finite level: write the default set at the list price. A missing
    // item has no list price: nothing is written.
    if (!item)
        throw db::DbError(db::ErrNoCurrentRecord, QStringLiteral("No current record."));
    writeDefaultLevels(db, item->listPrice);
}

void clsPricingLevels::writeDefaultLevels(const db::Database &db, Money listPrice)
{
    // One unit of writes: a failure leaves neither rows nor levels behind. When
    // the connection already holds a transaction, its owner commits.
    std::optional<db::Transaction> tx;
    if (!db.connection().inTransaction())
        tx.emplace(db.connection());
    try {
        db::Recordset rs = db.openTable(QStringLiteral("BulkLevelPricing"));
        Save(rs, listPrice, 0, 5);
        Save(rs, listPrice, 6, 10);
        Save(rs, listPrice, 11, 15);
        Save(rs, listPrice, 16, -1);
        if (tx)
            tx->commit();
    } catch (...) {
        mCol.clear();
        throw;
    }
}

// Traced without trapping: a failed row must reach LoadLevels so that the
// default set is rolled back as a whole.
void clsPricingLevels::Save(db::Recordset &rs, Money price, qint32 minimum, qint32 maximum)
{
    diag::ProcGuard guard(kModule, "Save");
    rs.addNew();
    rs.setField(QStringLiteral("Item Index"), mItemIndex);
    rs.setField(QStringLiteral("LIST PRICE"), price.single());
    rs.setField(QStringLiteral("Max"), maximum);
    rs.update();

    auto level = std::make_shared<clsPricingLevel>();
    level->setMin(float(minimum));
    level->setMax(float(maximum));
    level->setPrice(price);
    mCol.add(std::move(level));
}

} // namespace vanta::sale
