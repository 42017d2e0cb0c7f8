#pragma once

#include "db/DemoStore.h"
#include "sale/clsSaleItems.h"

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
        {db::demo::PlainItem, 12.99f, 1, db::seed::RuleGeneral, db::demo::PlainItem, 0},
        {1010, 1.25f, 3, db::seed::RuleBeverage, 1010, 0},
        {db::demo::FirstVariant, 14.99f, 1, db::seed::RuleGeneral, 0, db::demo::FirstVariant},
        {5101, 12.49f, 2, db::seed::RuleGeneral, db::demo::UntrackedVariantItem, 0},
    };
    return lines;
}

inline sale::clsSaleItems killSale()
{
    sale::clsSaleItems items;
    for (const KillLine &k : killLines()) {
        auto line = std::make_shared<sale::clsSaleItem>();
        line->setITEMINDEX(k.index);
        line->setPrice(k.price);
        line->setQty(k.qty);
        line->setTaxable(true);
        line->setTaxRuleID(k.rule);
        items.AddSaleItem(line);
    }
    return items;
}

} // namespace vanta::test::killtest
