#include "tax/SalesTax.h"

#include "db/KeptData.h"
#include "diagnostics/Trace.h"
#include "sale/clsSaleItems.h"
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
        return db::keptData<const CustomerTaxable>(store, QStringLiteral("tax::CustomerTaxable"),
                                                   {QStringLiteral("Customers")}, read,
                                                   [&](const CustomerTaxable &kept) { return kept.custId == custId; })
            ->taxable;
    });
}

bool SaleIsTaxable(db::Store &store, std::optional<qint32> selectedCustId)
{
    return diag::run(kModule, "SaleIsTaxable", false,
                     [&] { return selectedCustId.has_value() && CustomerIsTaxable(store, *selectedCustId); });
}

sale::clsSaleItems TaxableLines(db::Store &store, const sale::clsSaleItems &items)
{
    const std::shared_ptr<StoredTaxable> kept = db::keptData<StoredTaxable>(
        store, QStringLiteral("tax::StoredTaxable"), {QStringLiteral("Items"), QStringLiteral("Subitems")}, [] { return std::make_shared<StoredTaxable>(); });
    std::optional<db::Recordset> itemRs;
    std::optional<db::Recordset> subItemRs;
    const auto storedTaxable = [&](const sale::Good &good) {
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
    sale::clsSaleItems taxable;
    for (const auto &line : items)
        if (line->Taxable() && !line->good().isReturn() && storedTaxable(line->good()))
            taxable.AddSaleItem(line);
    return taxable;
}

double GetTaxFixed(db::Store &store, const sale::clsSaleItems &items)
{
    return diag::run(kModule, "GetTaxFixed", 0.0, [&] {
        const double rate = FixedTaxRate(db::asDouble(CompanyField(store, QStringLiteral("sales tax"))));
        double tax = 0;
        for (const auto &line : items)
            tax += line->Price().dollars() * sale::asWritten(line->qty()) * rate;
        return tax;
    });
}

} // namespace vanta::tax
