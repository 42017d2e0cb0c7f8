#pragma once

#include "sale/clsSaleItems.h"
#include "storegen/DemoStore.h"

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
