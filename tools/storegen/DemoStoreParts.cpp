#include "storegen/DemoStoreParts.h"

#include "db/Schema.h"
#include "diagnostics/VantaError.h"

namespace vanta::storegen::seed {

namespace {

QVariant orNull(const QString &text) { return text.isEmpty() ? QVariant() : QVariant(text); }

struct Employee {
    qint32 id;
    const char *first;
    const char *middle; // nullptr: no middle initial on file
    const char *last;
    const char *password;
    bool active;
};

const Employee kEmployees[] = {
    {1, "Dana", "K", "Morgan", "admin", true},
    {2, "Sam", "T", "Rivera", "cashier", true},
    {3, "Lee", nullptr, "Chen", "trainee", true},
    {4, "Pat", "J", "Quinn", "retired", false},
};

const char *const kStates[] = {
    "AK", "AL", "AR", "AZ", "CA", "CO", "CT", "DC", "DE", "FL", "GA", "HI", "IA", "ID", "IL", "IN", "KS",
    "KY", "LA", "MA", "MD", "ME", "MI", "MN", "MO", "MS", "MT", "NC", "ND", "NE", "NH", "NJ", "NM", "NV",
    "NY", "OH", "OK", "OR", "PA", "RI", "SC", "SD", "TN", "TX", "UT", "VA", "VT", "WA", "WI", "WV", "WY",
};

constexpr double kNoUpperBound = 999999; // top bracket of a tax type

} // namespace

void requireEmptyStore(Connection &conn)
{
    for (const char *table : {"Company", "Items", "Customers", "Employees"}) {
        const QString name = QString::fromLatin1(table);
        if (!conn.tableExists(name))
            throw VantaError(3265, QStringLiteral("The store database has no table '%1'.").arg(name),
                             QStringLiteral("vanta-admin"));
        if (conn.scalar(QStringLiteral("SELECT count(*) FROM ") + quoteIdentifier(name)).toInt() > 0)
            throw VantaError(3022, QStringLiteral("The store database already holds data (table '%1').").arg(name),
                             QStringLiteral("vanta-admin"));
    }
}

void writeSharedMasterData(Connection &conn)
{
    writeCompany(conn);
    writeCashSaleCustomer(conn);
    writeEmployees(conn);
    writePayTypes(conn);
    writeReferenceLists(conn);
    writeUnits(conn);
    writeTaxTables(conn);
    writeShippingTables(conn);
}

void writeCompany(Connection &conn)
{
    RowWriter company(conn, QStringLiteral("Company"),
                      {"Name", "Address", "City", "state", "Zip Code", "Phone", "Fax", "EMAIL", "Web Page",
                       "Logo", "Description", "Show Address", "show city", "show state", "show zip code",
                       "show phone", "show fax", "tax option", "sales tax", "shipping tax rule",
                       "taxable shipping", "shipping option", "fixed shipping charge"});
    company.add({"Vanta Corner Store", "120 Main Street", "Springfield", "IL", "62701", "(217) 555-0142",
                 "(217) 555-0143", "orders@vantacorner.example", "www.vantacorner.example", QVariant(),
                 "Hardware, groceries and garden supplies since 1987", true, true, true, true, true, false,
                 3, 7.25, qint32(RuleShipping), true, 2, 5.95});
}

void writeCashSaleCustomer(Connection &conn)
{
    CustomerRow c;
    c.id = demo::CashSaleCustomer;
    c.name = QStringLiteral("CASH SALE");
    c.address = QStringLiteral("120 Main Street");
    c.city = QStringLiteral("Springfield");
    c.county = QStringLiteral("Sangamon");
    c.state = QStringLiteral("IL");
    c.zip = QStringLiteral("62701");
    c.phone = QStringLiteral("(217) 555-0142");
    c.fips = QStringLiteral("17167");
    c.userCode = QStringLiteral("ZONE A");
    c.notes = QStringLiteral("Walk-in customers");
    c.terms = QStringLiteral("Due on receipt");
    c.addressLines = false; // no billing or shipping address on file
    CustomerWriter(conn).add(c);
}

void writeEmployees(Connection &conn)
{
    RowWriter employees(conn, QStringLiteral("Employees"),
                        {"Employee ID", "First Name", "Last Name", "Middle Initial", "Password", "Active"});
    for (const Employee &e : kEmployees)
        employees.add({e.id, e.first, e.last, e.middle ? QVariant(e.middle) : QVariant(), e.password, e.active});

    // Every flag column of Permissions, in stored order.
    QStringList flags;
    for (const ColumnDef &c : findTable(QStringLiteral("Permissions"))->columns)
        if (c.name != QLatin1String("Employee ID"))
            flags << c.name;
    RowWriter permissions(conn, QStringLiteral("Permissions"), QStringList{"Employee ID"} + flags);
    auto grant = [&](qint32 employee, auto allowed) {
        QVariantList row{employee};
        for (const QString &f : flags)
            row << allowed(f);
        permissions.add(row);
    };
    const auto sellOnly = [](const QString &f) { return f == QLatin1String("Sell Items"); };
    grant(demo::ManagerEmployee, [](const QString &) { return true; });
    grant(demo::CashierEmployee, sellOnly);
    grant(demo::InactiveEmployee, sellOnly);
    // demo::UnprivilegedEmployee has no row at all.
}

void writePayTypes(Connection &conn)
{
    RowWriter payTypes(conn, QStringLiteral("PayTypes"), {"id", "paytype"});
    qint32 id = 0;
    for (const char *p : {"Cash", "Check", "Credit Card", "INVOICE", "Internet Sale"})
        payTypes.add({++id, p});
}

void writeReferenceLists(Connection &conn)
{
    RowWriter terms(conn, QStringLiteral("PaymentTerms"), {"PaymentTerms"});
    for (const char *t : {"Due on receipt", "Net 10", "Net 30", "2% 10 Net 30", "COD"})
        terms.add({t});

    RowWriter methods(conn, QStringLiteral("ShippingMethods"), {"ShippingID", "ShippingMethods"});
    qint32 id = 0;
    for (const char *m : {"UPS Ground", "UPS 2nd Day Air", "FedEx Priority Overnight", "USPS Priority Mail",
                          "Customer Pickup"})
        methods.add({++id, m});

    RowWriter states(conn, QStringLiteral("States"), {"state"});
    for (const char *s : kStates)
        states.add({s});
}

void writeUnits(Connection &conn)
{
    RowWriter uom(conn, QStringLiteral("UOM"), {"UOMID", "code", "UOM"});
    uom.add({qint32(UomEach), "ea", "Each"});
    uom.add({qint32(UomPound), "lb", "Pound"});
    uom.add({qint32(UomOunce), "oz", "Ounce"});
    uom.add({qint32(UomPack), "pk", "Pack"});
    uom.add({qint32(UomFoot), "ft", "Foot"});
    uom.add({qint32(UomGallon), "gal", "Gallon"});
    uom.add({qint32(UomDozen), "dz", "Dozen"});

    RowWriter format(conn, QStringLiteral("Format"), {"FormatID", "Name", "Format", "Description", "Increment"});
    format.add({qint32(FormatWhole), "Whole units", "0", "Counted in whole units", 1.0});
    format.add({qint32(FormatTenths), "Tenths of a pound", "0.0", "Weighed in tenths of a pound", 0.1});
    format.add({qint32(FormatHalves), "Halves", "0.0", "Sold in halves", 0.5});
    format.add({qint32(FormatHundredths), "Hundredths", "0.00", "Measured in hundredths", 0.01});
}

void writeTaxTables(Connection &conn)
{
    enum Agency : qint32 { State = 1, County = 2, City = 3, Deposit = 4 };
    RowWriter agencies(conn, QStringLiteral("Tax Agencies"), {"id", "Name"});
    agencies.add({qint32(State), "Illinois Department of Revenue"});
    agencies.add({qint32(County), "Sangamon County Treasurer"});
    agencies.add({qint32(City), "City of Springfield"});
    agencies.add({qint32(Deposit), "Container Deposit Fund"});

    // Jurisdiction types: 0 state, 1 city, 3 county, 7 everywhere.
    enum Type : qint32 { StateGeneral = 1, CountyGeneral = 2, CityGeneral = 3, ContainerDeposit = 4,
                         StateGrocery = 5, StateShipping = 6 };
    RowWriter types(conn, QStringLiteral("Tax Types"), {"id", "jurisdiction type", "Round", "agency"});
    types.add({qint32(StateGeneral), 0, 4, qint32(State)});
    types.add({qint32(CountyGeneral), 3, 4, qint32(County)});
    types.add({qint32(CityGeneral), 1, 5, qint32(City)});
    types.add({qint32(ContainerDeposit), 7, 4, qint32(Deposit)});
    types.add({qint32(StateGrocery), 0, 4, qint32(State)});
    types.add({qint32(StateShipping), 0, 4, qint32(State)});

    RowWriter splits(conn, QStringLiteral("Tax splits"), {"Type id", "Split", "Percentage", "Value"});
    splits.add({qint32(StateGeneral), kNoUpperBound, true, 6.25});
    splits.add({qint32(CountyGeneral), kNoUpperBound, true, 1.0});
    splits.add({qint32(CityGeneral), 10.0, true, 1.0}); // small items at the lower city rate
    splits.add({qint32(CityGeneral), kNoUpperBound, true, 1.5});
    splits.add({qint32(ContainerDeposit), kNoUpperBound, false, 0.05}); // flat, per line
    splits.add({qint32(StateGrocery), kNoUpperBound, true, 1.0});
    splits.add({qint32(StateShipping), 100.0, true, 5.0}); // shipping is taxed bracket by bracket
    splits.add({qint32(StateShipping), kNoUpperBound, true, 7.0});

    RowWriter places(conn, QStringLiteral("jurisdictions"), {"TypeID", "Jurisdiction"});
    places.add({qint32(StateGeneral), "IL"});
    places.add({qint32(CountyGeneral), "Sangamon"});
    places.add({qint32(CityGeneral), "Springfield"});
    places.add({qint32(StateGrocery), "IL"});
    places.add({qint32(StateShipping), "IL"});

    RowWriter rules(conn, QStringLiteral("Tax Rule Definitions"), {"Rule ID", "type ID"});
    for (qint32 t : {StateGeneral, CountyGeneral, CityGeneral})
        rules.add({qint32(RuleGeneral), t});
    for (qint32 t : {CountyGeneral, StateGrocery})
        rules.add({qint32(RuleGrocery), t});
    for (qint32 t : {StateGeneral, CountyGeneral, CityGeneral, ContainerDeposit})
        rules.add({qint32(RuleBeverage), t});
    rules.add({qint32(RuleShipping), qint32(StateShipping)});
}

void writeShippingTables(Connection &conn)
{
    RowWriter types(conn, QStringLiteral("ShippingTypes"), {"ShippingTypeID", "ShippingType", "Format", "Interval"});
    types.add({0, "By Weight", "0.0", 0.1});
    types.add({1, "By Quantity", "0", 1.0});
    types.add({2, "By Price", "0.00", 0.01});

    // Ascending upper bounds, the open-ended top range (-1) last.
    RowWriter charges(conn, QStringLiteral("ShippingCharges"),
                      {"ShippingTypeID", "Max", "Regular", "TwoDay", "OneDay"});
    charges.add({0, 1.0, 4.95, 9.95, 19.95});
    charges.add({0, 5.0, 7.95, 14.95, 29.95});
    charges.add({0, 20.0, 12.95, 24.95, 44.95});
    charges.add({0, -1.0, 19.95, 39.95, 69.95});
    charges.add({1, 5.0, 5.95, 11.95, 24.95});
    charges.add({1, 10.0, 8.95, 16.95, 34.95});
    charges.add({1, -1.0, 14.95, 27.95, 49.95});
    charges.add({2, 49.99, 6.95, 12.95, 24.95});
    charges.add({2, 99.99, 9.95, 17.95, 32.95});
    charges.add({2, -1.0, 0.0, 9.95, 19.95}); // regular shipping is free from $100
}

QString upcWithCheckDigit(const QString &elevenDigits)
{
    int sum = 0;
    for (int i = 0; i < elevenDigits.size(); ++i)
        sum += elevenDigits.at(i).digitValue() * (i % 2 == 0 ? 3 : 1);
    return elevenDigits + QString::number((10 - sum % 10) % 10);
}

// ------------------------------------------------------------------ customers

CustomerWriter::CustomerWriter(Connection &conn)
    : mRows(conn, QStringLiteral("Customers"),
            {"Cust ID", "Name", "City", "County", "Zip", "Country", "state", "Address", "Company Name",
             "Phone", "Email", "FIPS Code", "Used Defined Code", "Resale Number", "Notes",
             "billing address line 1", "billing address line 2", "billing address line 3",
             "billing address line 4", "billing address line 5",
             "Shipping address Line 1", "Shipping address Line 2", "Shipping address Line 3",
             "Shipping address Line 4", "Shipping address Line 5",
             "Payment Terms", "Inactive", "Taxable", "credit limit", "balance"})
{
}

void CustomerWriter::add(const CustomerRow &c)
{
    QVariantList lines;
    if (c.addressLines) {
        const QString attention = c.company.isEmpty() ? c.name : c.company;
        const QString cityLine = QStringLiteral("%1, %2 %3").arg(c.city, c.state, c.zip);
        lines = {attention, c.address, cityLine, c.country, QVariant()};
    } else {
        lines = {QVariant(), QVariant(), QVariant(), QVariant(), QVariant()};
    }
    mRows.add(QVariantList{c.id, c.name, orNull(c.city), orNull(c.county), orNull(c.zip), orNull(c.country),
                           orNull(c.state), orNull(c.address), c.company, c.phone, c.email, orNull(c.fips),
                           orNull(c.userCode), c.resaleNumber, c.notes}
              + lines + lines
              + QVariantList{c.terms, c.inactive, c.taxable, c.creditLimit, c.balance});
}

// ------------------------------------------------------------------ catalogue

CatalogueWriter::CatalogueWriter(Connection &conn)
    : mCategories(conn, QStringLiteral("Categories"), {"id", "ParentID", "Category"}),
      mItems(conn, QStringLiteral("Items"),
             {"Item Index", "Name", "desc short", "desc long", "label1", "label2", "label3", "label4", "label5",
              "label6", "label7", "barcode label", "accounting name", "category", "Hidden", "qty",
              "total qty sold", "QuantityTrack", "LIST PRICE", "our cost", "bulkdiscount", "FormatID", "uomid",
              "customUOM", "Weight", "Taxable", "tax rule id"}),
      mLevels(conn, QStringLiteral("BulkLevelPricing"), {"Item Index", "Max", "LIST PRICE"}),
      mAttributes(conn, QStringLiteral("Attributes"), {"AttributeID", "ItemID", "Name"}),
      mValues(conn, QStringLiteral("Values"), {"ValueID", "AttributeID", "Value", "additionalcharge", "additionalcost"}),
      mVariants(conn, QStringLiteral("Subitems"),
                {"SubItemID", "ItemID", "valueid1", "valueid2", "valueid3", "quantity", "LIST PRICE",
                 "bulkdiscount", "Taxable"})
{
}

void CatalogueWriter::addCategory(qint32 id, qint32 parentId, const QString &name)
{
    mCategories.add({id, parentId, name});
}

void CatalogueWriter::addItem(const ItemRow &i)
{
    QVariantList row{i.index, i.name, i.descShort, i.descLong};
    for (int k = 0; k < 7; ++k)
        row << (k < i.labels.size() ? QVariant(i.labels[k]) : QVariant(QString()));
    row << i.barcode << i.accountingName << i.category << i.hidden << i.qty << i.totalSold << i.quantityTrack
        << i.price << i.cost << i.bulk << i.formatId << i.uomId << i.customUom << i.weight << i.taxable
        << i.taxRule;
    mItems.add(row);
}

void CatalogueWriter::addLevel(qint32 item, double max, double price) { mLevels.add({item, max, price}); }

void CatalogueWriter::addAttribute(qint32 id, qint32 item, const QString &name)
{
    mAttributes.add({id, item, name});
}

void CatalogueWriter::addValue(qint32 id, qint32 attribute, const QString &value, double charge, double cost)
{
    mValues.add({id, attribute, value, charge, cost});
}

void CatalogueWriter::addVariant(qint32 id, qint32 item, qint32 value1, qint32 value2, qint32 value3,
                                 double quantity, double price, bool taxable)
{
    mVariants.add({id, item, value1, value2, value3, quantity, price, false, taxable});
}

} // namespace vanta::storegen::seed
