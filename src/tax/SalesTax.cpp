#include "tax/SalesTax.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
#include "tax/RulesTax.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxSettings.h"

namespace vanta::tax {

namespace {

const char *const kModule = "frmPOS";

// Whether the item a line sells is stored as taxable: the item itself, or
// for a sub-item its parent item; false when neither is found.
bool storedItemTaxable(db::Recordset &items, db::Recordset &subItems, qint32 itemIndex)
{
    if (!items.seek(itemIndex)) {
        if (!subItems.seek(itemIndex) || !items.seek(subItems.field(QStringLiteral("ItemID"))))
            return false;
    }
    return db::asBool(items.field(QStringLiteral("Taxable")));
}

} // namespace

bool CustomerIsTaxable(db::Store &store, qint32 custId)
{
    return diag::run(kModule, "CustomerIsTaxable", false, [&] {
        db::Recordset rs = store.database().openTable(QStringLiteral("Customers"));
        rs.setIndex(QStringLiteral("Cust ID"));
        return rs.seek(custId) && db::asBool(rs.field(QStringLiteral("Taxable")));
    });
}

bool SaleIsTaxable(db::Store &store, std::optional<qint32> selectedCustId)
{
    return diag::run(kModule, "SaleIsTaxable", false,
                     [&] { return selectedCustId.has_value() && CustomerIsTaxable(store, *selectedCustId); });
}

double GetTaxFixed(db::Store &store, const sale::clsSaleItems &items)
{
    return diag::run(kModule, "GetTaxFixed", 0.0, [&] {
        const double rate = FixedTaxRate(db::asDouble(CompanyField(store, QStringLiteral("sales tax"))));
        db::Recordset itemRs = store.database().openTable(QStringLiteral("Items"));
        itemRs.setIndex(QStringLiteral("Item index"));
        db::Recordset subItemRs = store.database().openTable(QStringLiteral("Subitems"));
        subItemRs.setIndex(QStringLiteral("subitemid"));
        double tax = 0;
        for (const auto &line : items)
            if (storedItemTaxable(itemRs, subItemRs, line->ITEMINDEX()))
                tax += double(line->Price()) * double(line->qty()) * rate;
        return tax;
    });
}

void RefreshTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                TaxAmounts &amounts)
{
    diag::run(kModule, "RefreshTax", [&] {
        if (!SaleIsTaxable(store, customer)) {
            amounts = TaxAmounts{};
            return;
        }
        switch (GetTaxMethod(store)) {
        case 2:
            amounts.SalesTaxAmount = float(GetTaxFixed(store, items));
            break;
        case 3:
            amounts.SalesTaxAmount = float(GetTaxFromRules(store, items, *customer));
            break;
        default:
            break;
        }
    });
}

void AddShippingTax(db::Store &store, std::optional<qint32> customer, float shippingAmount, TaxAmounts &amounts)
{
    diag::run(kModule, "AddShippingTax", [&] {
        if (!SaleIsTaxable(store, customer)) {
            amounts = TaxAmounts{};
            return;
        }
        switch (GetTaxMethod(store)) {
        case 1:
        case 2: {
            const double salesTax = db::asDouble(CompanyField(store, QStringLiteral("sales tax")));
            amounts.ShippingTaxAmount = float(double(shippingAmount) * (salesTax / 100));
            break;
        }
        case 3:
            amounts.ShippingTaxAmount = GetShippingTaxFromTaxRules(store, shippingAmount, *customer);
            break;
        default:
            break;
        }
    });
}

} // namespace vanta::tax
