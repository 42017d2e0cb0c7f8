#pragma once

#include "db/Database.h"

#include <QtGlobal>

namespace vanta::storegen {

// Fills an empty store database with the small demo store "Vanta Corner Store":
// company record, customers, employees and permissions, pay types, terms,
// shipping methods, states, units and formats, a category tree, two dozen
// items (bulk levels, options and variants, hidden and out-of-stock items),
// tax agencies, types, brackets, jurisdictions and rules, and the shipping
// schemes. Everything is written in one transaction; a store that already
// holds master data is refused (VantaError) and left as it was.
//
// Demo logons (employee number / password; passwords match in any case):
//   1 / admin    Dana K Morgan, manager: every permission
//   2 / cashier  Sam T Rivera, cashier: "Sell Items" only
//   3 / trainee  Lee Chen, no permissions row (every flag false)
//   4 / retired  Pat J Quinn, inactive: the logon is refused
//
// The company uses tax rules (tax option 3) and also stores a fixed rate of
// 7.25, so switching `tax option` to 2 gives the fixed-rate method on the
// same data. Shipping is charged by weight.
void fillDemoStore(const db::Database &db);

// Fills an empty store database with a large store of the same shape for
// benchmarks: the demo store's company, employees, pay types, lists, units,
// tax and shipping tables, then `items` generated items (about a tenth with
// bulk levels, one in a hundred bulk without levels, one in twenty with
// options and variants; 520 categories in three levels) and `customers` customers counting "CASH SALE".
// The same seed gives the same store. Item numbers run 1..items, variant
// numbers follow above them, customer numbers run 1..customers; barcodes are
// unique 12-digit codes with a UPC check digit. One transaction.
// The most items or customers a large store takes: keeps item and variant
// numbers well inside 32 bits.
inline constexpr int LargeStoreMaxRows = 5'000'000;

void fillLargeStore(const db::Database &db, int items, int customers, quint32 seed);

// Well-known rows of the demo store, for tests and examples.
namespace demo {
inline constexpr qint32 CashSaleCustomer = 1;      // "CASH SALE", active, taxable, in every local jurisdiction
inline constexpr qint32 CreditCustomer = 2;        // credit limit 5000, balance 1250.40, invoice customer
inline constexpr qint32 OutOfStateCustomer = 5;    // Missouri: no Illinois tax types apply
inline constexpr qint32 InactiveCustomer = 6;
inline constexpr qint32 ExemptCustomer = 4;        // not taxable

inline constexpr qint32 ManagerEmployee = 1;
inline constexpr qint32 CashierEmployee = 2;
inline constexpr qint32 UnprivilegedEmployee = 3;  // no permissions row
inline constexpr qint32 InactiveEmployee = 4;

inline constexpr qint32 PlainItem = 1001;          // Claw Hammer, 12.99, taxable, rule 1
inline constexpr qint32 OutOfStockItem = 1003;     // qty 0
inline constexpr qint32 BulkItem = 1004;           // levels 1-9 at 5.00, 10-49 at 4.50, 50 up at 4.00
inline constexpr qint32 BulkByWeightItem = 1006;   // tenths of a pound
inline constexpr qint32 BulkWithoutLevels = 1012;  // bulk, no BulkLevelPricing rows
inline constexpr qint32 HiddenItem = 1015;
inline constexpr qint32 TrackedVariantItem = 1016; // T-shirt: size x colour, stock per variant
inline constexpr qint32 UntrackedVariantItem = 1017; // cap: colour, plus an option without values
inline constexpr qint32 NonTaxableItem = 1021;     // gift card
inline constexpr qint32 FirstVariant = 5001;       // T-shirt S / Black
} // namespace demo

// Ids of the shared master data (both stores).
namespace seed {
enum TaxRule : qint32 { RuleNone = 0, RuleGeneral = 1, RuleGrocery = 2, RuleBeverage = 3, RuleShipping = 4 };
enum Uom : qint32 { UomCustom = 0, UomEach = 1, UomPound = 2, UomOunce = 3, UomPack = 4, UomFoot = 5,
                    UomGallon = 6, UomDozen = 7 };
enum Format : qint32 { FormatWhole = 1, FormatTenths = 2, FormatHalves = 3, FormatHundredths = 4 };
} // namespace seed

} // namespace vanta::storegen
