#pragma once

#include "db/RowWriter.h"
#include "storegen/DemoStore.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// Building blocks shared by the demo store and the large benchmark store:
// the master data both carry, and writers for the rows each generates.
namespace vanta::storegen::seed {

using namespace vanta::db;

// Refuses (VantaError) a store that already holds master data, so a store is
// never filled twice.
void requireEmptyStore(Connection &conn);

// Company record, CASH SALE customer, employees and permissions, pay types,
// payment terms, shipping methods, states, units and formats, tax tables and
// shipping tables, in that order.
void writeSharedMasterData(Connection &conn);

void writeCompany(Connection &conn);
void writeCashSaleCustomer(Connection &conn);
void writeEmployees(Connection &conn);
void writePayTypes(Connection &conn);
void writeReferenceLists(Connection &conn);
void writeUnits(Connection &conn);
void writeTaxTables(Connection &conn);
void writeShippingTables(Connection &conn);

// Eleven digits followed by their UPC-A check digit.
QString upcWithCheckDigit(const QString &elevenDigits);

struct CustomerRow {
    qint32 id = 0;
    QString name;
    QString company;
    QString address;
    QString city;
    QString county;  // empty is stored as null
    QString state;
    QString zip;
    QString country = QStringLiteral("USA");
    QString phone;
    QString email;
    QString fips;
    QString userCode; // the store's own delivery zone code
    QString resaleNumber;
    QString notes;
    QString terms;
    bool inactive = false;
    bool taxable = true;
    bool addressLines = true; // billing and shipping lines from the address
    QVariant creditLimit;     // null when the customer has none on file
    QVariant balance;
};

class CustomerWriter {
public:
    explicit CustomerWriter(Connection &conn);
    void add(const CustomerRow &c);

private:
    RowWriter mRows;
};

struct ItemRow {
    qint32 index = 0;
    QString name{};
    QString descShort{};
    QString descLong{};
    QStringList labels{}; // up to seven search labels
    QString barcode{};
    QString accountingName{};
    qint32 category = 0;
    bool hidden = false;
    double qty = 0;
    double totalSold = 0;
    bool quantityTrack = false;
    double price = 0;
    double cost = 0;
    bool bulk = false;
    qint32 formatId = FormatWhole;
    qint32 uomId = UomEach;
    QString customUom{};
    double weight = 0;
    bool taxable = true;
    qint32 taxRule = RuleGeneral;
};

// Items with their bulk levels, options, option values and variants.
class CatalogueWriter {
public:
    explicit CatalogueWriter(Connection &conn);
    void addCategory(qint32 id, qint32 parentId, const QString &name);
    void addItem(const ItemRow &item);
    // Levels go in ascending Max; the open top level (-1) last.
    void addLevel(qint32 item, double max, double price);
    void addAttribute(qint32 id, qint32 item, const QString &name);
    void addValue(qint32 id, qint32 attribute, const QString &value, double charge, double cost);
    void addVariant(qint32 id, qint32 item, qint32 value1, qint32 value2, qint32 value3, double quantity,
                    double price, bool taxable);

private:
    RowWriter mCategories;
    RowWriter mItems;
    RowWriter mLevels;
    RowWriter mAttributes;
    RowWriter mValues;
    RowWriter mVariants;
};

} // namespace vanta::storegen::seed
