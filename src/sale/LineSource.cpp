#include "sale/LineSource.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "sale/Pricing.h"
#include "sale/clsPricingLevels.h"

namespace vanta::sale {

namespace {

// The item's columns of the current row.
ItemRecord itemOfRow(db::Recordset &rs)
{
    ItemRecord r;
    r.index = db::asLong(rs.field(QStringLiteral("Item Index")));
    r.stock = db::asDouble(rs.field(QStringLiteral("qty")));
    r.name = rs.text(QStringLiteral("Name"));
    r.weight = db::asSingle(rs.field(QStringLiteral("Weight")));
    r.uomid = db::asLong(rs.field(QStringLiteral("uomid")));
    r.customUOM = rs.text(QStringLiteral("customUOM"));
    r.bulk = db::asBool(rs.field(QStringLiteral("bulkdiscount")));
    r.listPrice = Money::fromSingle(db::asSingle(rs.field(QStringLiteral("LIST PRICE"))));
    r.taxable = db::asBool(rs.field(QStringLiteral("Taxable")));
    r.taxRuleId = db::asLong(rs.field(QStringLiteral("tax rule id")));
    r.formatId = qint16(db::asLong(rs.field(QStringLiteral("FormatID"))));
    return r;
}

// The item of the first row the label lookup gives (`Item Index` is
// unique), its unit row joined to it.
const QString kItemByLabel = QStringLiteral(
    "SELECT i.*, u.\"UOMID\" AS uom_found, u.\"code\" AS uom_code, u.\"UOM\" AS uom_name "
    "FROM \"Items\" i LEFT JOIN \"UOM\" u ON u.\"UOMID\" = i.\"uomid\" AND i.\"uomid\" > 0 "
    "WHERE i.\"Item Index\" = (SELECT \"Item Index\" FROM Items WHERE \"barcode label\" = ? LIMIT 1)");

} // namespace

std::optional<ItemRecord> readItem(db::Store &store, qint32 itemIndex)
{
    db::Recordset rs = store.database().openTable(QStringLiteral("Items"));
    rs.setIndex(QStringLiteral("item index"));
    if (!rs.seek(itemIndex))
        return std::nullopt;
    ItemRecord r = itemOfRow(rs);
    r.index = itemIndex;
    return r;
}

std::optional<ItemRecord> readItemByLabel(db::Store &store, const QString &code)
{
    db::Recordset rs = store.database().openQuery(kItemByLabel, {code});
    if (rs.eof())
        return std::nullopt;
    ItemRecord r = itemOfRow(rs);
    r.unitsRead = true;
    r.unitsFound = !rs.field(QStringLiteral("uom_found")).isNull();
    if (r.unitsFound) {
        r.uomCode = rs.text(QStringLiteral("uom_code"));
        r.uomName = rs.text(QStringLiteral("uom_name"));
    }
    return r;
}

std::optional<SubItemRecord> readSubItem(db::Store &store, qint32 subItemId)
{
    db::Recordset rs = store.database().openTable(QStringLiteral("subitems"));
    rs.setIndex(QStringLiteral("subitemid"));
    if (!rs.seek(subItemId))
        return std::nullopt;
    return SubItemRecord{subItemId, db::asLong(rs.field(QStringLiteral("ItemID"))),
                         db::asDouble(rs.field(QStringLiteral("quantity")))};
}

void setUnits(db::Store &store, clsSaleItem &line, const ItemRecord &item)
{
    if (item.uomid > 0 && item.unitsRead) {
        if (item.unitsFound) {
            line.setUOM(item.uomCode);
            line.setFullUOM(item.uomName);
        }
    } else if (item.uomid > 0) {
        db::Recordset rs = store.database().openTable(QStringLiteral("UOM"));
        rs.setIndex(QStringLiteral("UOMID"));
        if (rs.seek(item.uomid)) {
            line.setUOM(rs.text(QStringLiteral("code")));
            line.setFullUOM(rs.text(QStringLiteral("UOM")));
        }
    } else {
        line.setUOM(QStringLiteral("**"));
        line.setFullUOM(item.customUOM);
    }
}

void copyItemDetails(db::Store &store, clsSaleItem &line, const ItemRecord &item)
{
    line.setWeight(item.weight);
    setUnits(store, line, item);
    line.setTaxable(item.taxable);
    line.setTaxRuleID(item.taxRuleId);
}

QString GetOptionName(db::Store &store, const QString &baseName, qint32 option1, qint32 option2, qint32 option3)
{
    return diag::run("frmPOS", "GetOptionName", QString(), [&] {
        db::Recordset rs = store.ownConnection().openTable(QStringLiteral("Values"));
        rs.setIndex(QStringLiteral("ValueID"));
        QStringList values;
        for (qint32 id : {option1, option2, option3})
            if (id != 0 && rs.seek(id))
                values << rs.text(QStringLiteral("Value"));
        return baseName + QLatin1Char('/') + values.join(QLatin1Char('/'));
    });
}

QString GetSubItemName(db::Store &store, const ItemRecord &parent, qint32 subItemId)
{
    return diag::run("frmPOS", "GetSubItemName", QString(), [&] {
        db::Recordset sub = store.database().openTable(QStringLiteral("subitems"));
        sub.setIndex(QStringLiteral("subitemid"));
        QString name = parent.name + QLatin1Char('-');
        if (sub.seek(subItemId)) {
            db::Recordset values = store.database().openTable(QStringLiteral("Values"));
            values.setIndex(QStringLiteral("valueid"));
            for (int pos = 2; pos <= 4; ++pos)
                if (values.seek(db::asLong(sub.field(pos))))
                    name += values.text(QStringLiteral("Value")) + QLatin1Char('/');
        }
        name.chop(1);
        return name.left(clsSaleItem::NameLength);
    });
}

// The price of the item's bulk level that holds q, as GetPrice gives it for
// the item, without reading the item again.
Money bulkLevelPrice(db::Store &store, const ItemRecord &item, float q)
{
    return diag::run("modPOS", "GetPrice", Money(), [&]() -> Money {
        if (q == 0)
            return {};
        clsPricingLevels levels(store);
        levels.LoadLevels(item.index, item.formatId, item.listPrice);
        const clsPricingLevels::Level level = levels.MatchingLevel(q);
        return level ? level->Price() : Money();
    });
}

Money itemUnitPrice(db::Store &store, const ItemRecord &item, float q, qint32 option1, qint32 option2,
                    qint32 option3)
{
    Money price = item.bulk ? bulkLevelPrice(store, item, q) : item.listPrice;
    if (option1 != 0)
        price += GetPriceForOptions(store, option1, option2, option3);
    return price;
}

void priceItemLine(db::Store &store, clsSaleItem &line, const ItemRecord &item)
{
    const float q = line.qty();
    const Money price = itemUnitPrice(store, item, q, line.OptionID1(), line.OptionID2(), line.OptionID3());
    line.setPrice(price);
    // A bulk level's price is its discount already.
    line.setSubtotal(lineSubtotal(price, q, item.bulk ? 0.0 : double(line.Discount())));
}

void priceSubItemLine(db::Store &store, clsSaleItem &line, const ItemRecord &parent, float q)
{
    if (!parent.bulk) {
        line.setPrice(parent.listPrice + GetPriceAdjustment(store, line.good().id));
    } else {
        const Money price = GetPrice(store, line.good(), q);
        if (price > Money())
            line.setPrice(price);
    }
    line.setSubtotal(lineSubtotal(line.Price(), q));
}

} // namespace vanta::sale
