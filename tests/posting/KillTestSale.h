#pragma once

#include "sale/clsSaleItems.h"
#include "storegen/DemoStore.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace vanta::test::killtest {

// The sale the posting child posts again and again on the demo store: a
// plain item, a second plain item, a variant of the shirt (stock per
// variant) and a variant of the cap (stock on the item).
struct KillLine {
    qint32 index;
    float price;
    float qty;
    qint32 rule;
    qint32 stockItem;     // the Items row whose qty falls, 0 for none
    qint32 stockVariant;  // the Subitems row whose quantity falls, 0 for none
};

inline const std::vector<KillLine> &killLines()
{
    static const std::vector<KillLine> lines = {
        {storegen::demo::PlainItem, 12.99f, 1, storegen::seed::RuleGeneral, storegen::demo::PlainItem, 0},
        {1010, 1.25f, 3, storegen::seed::RuleBeverage, 1010, 0},
        {storegen::demo::FirstVariant, 14.99f, 1, storegen::seed::RuleGeneral, 0, storegen::demo::FirstVariant},
        {5101, 12.49f, 2, storegen::seed::RuleGeneral, storegen::demo::UntrackedVariantItem, 0},
    };
    return lines;
}

// The stock a line of the sale lowers: its item's or its variant's.
template <typename Db>
double stockOf(Db &db, const KillLine &k)
{
    return k.stockItem ? db.scalar("SELECT qty FROM Items WHERE \"Item Index\" = ?", {k.stockItem}).toDouble()
                       : db.scalar("SELECT quantity FROM Subitems WHERE SubItemID = ?", {k.stockVariant}).toDouble();
}

// Counts the sales that lack some of the sale's four lines.
inline const char *const kIncompleteSales = "SELECT count(*) FROM Sales s WHERE (SELECT count(*) FROM \"Sold Items\" i"
                                            " WHERE i.\"sales id\" = s.\"Sales ID\") <> 4";

// The lines are accepted beyond the stock on hand, as a cashier may (the
// sale is posted far more often than the demo store has stock), unless
// `guarded`. `reverse` gives the lines in the opposite order.
inline sale::clsSaleItems killSale(bool reverse = false, bool guarded = false)
{
    sale::clsSaleItems items;
    std::vector<KillLine> lines = killLines();
    if (reverse)
        std::reverse(lines.begin(), lines.end());
    for (const KillLine &k : lines) {
        auto line = std::make_shared<sale::clsSaleItem>();
        line->setGood(k.index == k.stockItem ? sale::Good::item(k.index) : sale::Good::variant(k.index));
        line->setPrice(sale::Money::fromDollars(k.price));
        line->setQty(k.qty);
        line->setTaxable(true);
        line->setTaxRuleID(k.rule);
        line->setExceedQty(!guarded);
        items.AddSaleItem(line);
    }
    return items;
}

} // namespace vanta::test::killtest
