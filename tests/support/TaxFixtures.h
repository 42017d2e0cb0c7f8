#pragma once

#include "sale/clsSaleItems.h"
#include "support/SaleFixtures.h"

#include <memory>

namespace vanta::test {

// The company row's tax settings; a null shipping rule stays null.
inline void setCompanyTax(const db::Database &db, qint16 taxOption, double salesTax, bool taxableShipping = false,
                          const QVariant &shippingTaxRule = QVariant())
{
    db.execute("DELETE FROM \"Company\"");
    insertRow(db, "Company", {"Name", "tax option", "sales tax", "taxable shipping", "shipping tax rule"},
              {QStringLiteral("Store"), taxOption, salesTax, taxableShipping, shippingTaxRule});
}

// A customer with the address parts the jurisdiction types look at; an
// unset part stays null.
struct CustomerRow {
    qint32 id = 0;
    bool taxable = true;
    QVariant state{}, city{}, county{}, fips{};
};

inline void addCustomer(const db::Database &db, const CustomerRow &r)
{
    insertRow(db, "Customers", {"Cust ID", "Name", "Taxable", "state", "City", "County", "FIPS Code"},
              {r.id, QStringLiteral("Customer %1").arg(r.id), r.taxable, r.state, r.city, r.county, r.fips});
}

inline void addTaxItem(const db::Database &db, qint32 index, bool taxable)
{
    insertRow(db, "Items", {"Item Index", "Name", "Taxable"}, {index, QStringLiteral("Item %1").arg(index), taxable});
}

// A tax type, the rule that combines it, its brackets and its places.
inline void addTaxType(const db::Database &db, qint32 id, qint16 jurisdictionType, qint16 round, qint16 agency = 1)
{
    insertRow(db, "Tax Types", {"id", "jurisdiction type", "Round", "agency"}, {id, jurisdictionType, round, agency});
}

inline void addRuleRow(const db::Database &db, qint32 ruleId, qint32 typeId)
{
    insertRow(db, "Tax Rule Definitions", {"Rule ID", "type ID"}, {ruleId, typeId});
}

inline void addSplit(const db::Database &db, qint32 typeId, double split, bool percentage, double value)
{
    insertRow(db, "Tax splits", {"Type id", "Split", "Percentage", "Value"}, {typeId, split, percentage, value});
}

// Brackets of a tax type as {split, percentage, value}, stored in the order
// given.
struct Split {
    double split;
    bool percentage;
    double value;
};
inline void addSplits(const db::Database &db, qint32 typeId, std::initializer_list<Split> splits)
{
    for (const Split &s : splits)
        addSplit(db, typeId, s.split, s.percentage, s.value);
}

inline void addJurisdiction(const db::Database &db, qint32 typeId, const QVariant &name)
{
    insertRow(db, "jurisdictions", {"TypeID", "Jurisdiction"}, {typeId, name});
}

// A sale line; `option` tells apart lines of the same item.
struct SaleLine {
    qint32 item = 0;
    float price = 0;
    float qty = 1;
    bool taxable = true;
    qint32 rule = 0;
    qint32 option = 0;
    bool variant = false; // `item` is a variant's id
};

inline sale::clsSaleItems saleOf(std::initializer_list<SaleLine> lines)
{
    sale::clsSaleItems items;
    for (const SaleLine &l : lines) {
        auto line = std::make_shared<sale::clsSaleItem>();
        line->setGood({l.variant ? sale::Good::Kind::Variant : sale::Good::Kind::Item, l.item, {l.option, 0, 0}});
        line->setPrice(sale::Money::fromDollars(l.price));
        line->setQty(l.qty);
        line->setTaxable(l.taxable);
        line->setTaxRuleID(l.rule);
        items.AddSaleItem(line);
    }
    return items;
}

} // namespace vanta::test
