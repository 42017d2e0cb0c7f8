#include "tax/SalesTax.h"

#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
#include "tax/RulesTax.h"
#include "tax/TaxNumbers.h"
#include "tax/TaxSettings.h"

#include <optional>
#include <map>

namespace vanta::tax {

namespace {

const char *const kModule = "frmPOS";

// Whether the good a line sells is stored as taxable: the item itself, or
// for a variant its parent item; false when it is not found.
bool storedItemTaxable(db::Recordset &items, db::Recordset &subItems, const sale::Good &good)
{
    if (good.isVariant()) {
        if (!subItems.seek(good.id) || !items.seek(subItems.field(QStringLiteral("ItemID"))))
            return false;
    } else if (!items.seek(good.id)) {
        return false;
    }
    return db::asBool(items.field(QStringLiteral("Taxable")));
}

// Answers of storedItemTaxable, kept with the store while it is unchanged.
struct StoredTaxable {
    std::map<std::pair<sale::Good::Kind, qint32>, bool> byGood;
};

// Whether a customer is taxable, kept with the store while it is unchanged.
struct CustomerTaxable {
    qint32 custId = 0;
    bool taxable = false;
};

} // namespace

bool CustomerIsTaxable(db::Store &store, qint32 custId)
{
    return diag::run(kModule, "CustomerIsTaxable", false, [&] {
        const auto read = [&] {
            db::Recordset rs = store.database().openTable(QStringLiteral("Customers"));
            rs.setIndex(QStringLiteral("Cust ID"));
            return std::make_shared<const CustomerTaxable>(
                CustomerTaxable{custId, rs.seek(custId) && db::asBool(rs.field(QStringLiteral("Taxable")))});
        };
        return db::keptData<const CustomerTaxable>(store, QStringLiteral("tax::CustomerTaxable"), read,
                                                   [&](const CustomerTaxable &kept) { return kept.custId == custId; })
            ->taxable;
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
        const std::shared_ptr<StoredTaxable> kept = db::keptData<StoredTaxable>(
            store, QStringLiteral("tax::StoredTaxable"), [] { return std::make_shared<StoredTaxable>(); });
        std::optional<db::Recordset> itemRs;
        std::optional<db::Recordset> subItemRs;
        const auto taxable = [&](const sale::Good &good) {
            const std::pair key(good.kind, good.id);
            if (const auto it = kept->byGood.find(key); it != kept->byGood.end())
                return it->second;
            if (!itemRs) {
                itemRs = store.database().openTable(QStringLiteral("Items"));
                itemRs->setIndex(QStringLiteral("Item index"));
                subItemRs = store.database().openTable(QStringLiteral("Subitems"));
                subItemRs->setIndex(QStringLiteral("subitemid"));
            }
            return kept->byGood[key] = storedItemTaxable(*itemRs, *subItemRs, good);
        };
        double tax = 0;
        for (const auto &line : items)
            if (taxable(line->good()))
                tax += double(line->Price()) * double(line->qty()) * rate;
        return tax;
    });
}

void RefreshTax(db::Store &store, const sale::clsSaleItems &items, std::optional<qint32> customer,
                TaxAmounts &amounts)
{
    diag::run(kModule, "RefreshTax", [&] {
        // The settings, customer and rules kept with the store are checked once.
        const db::StampSpan span(store);
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
        const db::StampSpan span(store);
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
