#include "db/Schema.h"

#include "db/Connection.h"
#include "db/Database.h"

#include <QHash>
#include <utility>
#include <vector>

namespace vanta::db {

namespace {

using T = ColumnType;

ColumnDef L(const char *n) { return {QString::fromUtf8(n), T::Long}; }
ColumnDef I(const char *n) { return {QString::fromUtf8(n), T::Integer}; }
ColumnDef S(const char *n) { return {QString::fromUtf8(n), T::Single}; }
ColumnDef D(const char *n) { return {QString::fromUtf8(n), T::Double}; }
ColumnDef B(const char *n) { return {QString::fromUtf8(n), T::Boolean}; }
ColumnDef Dt(const char *n) { return {QString::fromUtf8(n), T::Date}; }
ColumnDef X(const char *n) { return {QString::fromUtf8(n), T::Text}; }

IndexDef idx(const char *name, QStringList cols, bool unique = false)
{
    return {QString::fromUtf8(name), std::move(cols), unique};
}

IndexDef addedIdx(const char *name, QStringList cols) { return {QString::fromUtf8(name), std::move(cols), false, true}; }

QList<TableDef> buildTables()
{
    QList<TableDef> t;

    // Items and variants
    t << TableDef{"Items",
                  {L("Item Index"), X("Name"), X("desc short"), X("desc long"), X("label1"), X("label2"),
                   X("label3"), X("label4"), X("label5"), X("label6"), X("label7"), X("barcode label"),
                   X("accounting name"), L("category"), B("Hidden"), D("qty"), D("total qty sold"),
                   B("QuantityTrack"), S("LIST PRICE"), S("our cost"), B("bulkdiscount"), I("FormatID"),
                   L("uomid"), X("customUOM"), S("Weight"), B("Taxable"), L("tax rule id")},
                  {idx("Item Index", {"Item Index"}, true), idx("barcode label", {"barcode label"}),
                   idx("category", {"category"}),
                   // The store's figures by category: item numbers with their
                   // categories, read without the items' rows.
                   addedIdx("Item Category", {"Item Index", "category"})}};
    t << TableDef{"Subitems",
                  {L("SubItemID"), L("ItemID"), L("valueid1"), L("valueid2"), L("valueid3"), D("quantity"),
                   S("LIST PRICE"), B("bulkdiscount"), B("Taxable")},
                  {idx("SubItemID", {"SubItemID"}, true), idx("ItemID", {"ItemID"})}};
    t << TableDef{"Attributes", {L("AttributeID"), L("ItemID"), X("Name")},
                  {idx("AttributeID", {"AttributeID"}, true), idx("ItemID", {"ItemID"})}};
    t << TableDef{"Values",
                  {L("ValueID"), L("AttributeID"), X("Value"), S("additionalcharge"), S("additionalcost")},
                  {idx("ValueID", {"ValueID"}, true), idx("AttributeID", {"AttributeID"})}};
    t << TableDef{"UOM", {L("UOMID"), X("code"), X("UOM")}, {idx("UOMID", {"UOMID"}, true)}};
    t << TableDef{"Categories", {L("id"), L("ParentID"), X("Category")},
                  {idx("id", {"id"}, true), idx("ParentID", {"ParentID"})}};
    t << TableDef{"Pictures", {L("Item index"), X("Picture")}, {idx("Item index", {"Item index"})}};
    t << TableDef{"BulkLevelPricing", {L("Item Index"), S("Max"), S("LIST PRICE")},
                  {idx("Item Index", {"Item Index"})}};
    t << TableDef{"Format", {I("FormatID"), X("Name"), X("Format"), X("Description"), S("Increment")},
                  {idx("FormatID", {"FormatID"})}};

    // Customers and sales. Positions 0-16 of Customers are read by the
    // jurisdiction test: 2 City, 3 County, 4 Zip, 5 Country, 6 state,
    // 15 FIPS Code, 16 Used Defined Code.
    t << TableDef{"Customers",
                  {L("Cust ID"), X("Name"), X("City"), X("County"), X("Zip"), X("Country"), X("state"),
                   X("Address"), X("Company Name"), X("Salutation"), X("Alt Contact"), X("Phone"),
                   X("Alt Phone"), X("Fax"), X("Email"), X("FIPS Code"), X("Used Defined Code"),
                   X("Website"), X("Resale Number"), X("Notes"),
                   X("billing address line 1"), X("billing address line 2"), X("billing address line 3"),
                   X("billing address line 4"), X("billing address line 5"),
                   X("Shipping address Line 1"), X("Shipping address Line 2"), X("Shipping address Line 3"),
                   X("Shipping address Line 4"), X("Shipping address Line 5"),
                   X("Payment Terms"), B("Inactive"), B("Taxable"), S("credit limit"), S("balance")},
                  {idx("Cust ID", {"Cust ID"}, true), idx("Name", {"Name"}),
                   // The customer list reads its numbers in name order from this index alone.
                   addedIdx("Name Cust ID", {"Name", "Cust ID"})}};
    t << TableDef{"Sales",
                  {L("Sales ID"), S("total of sale"), S("Tax"), S("total paid"), Dt("date of sale"),
                   L("cust id"), L("paytype"), S("amount tendered"), S("Change"), S("Shipping"),
                   X("ShippingMethod"), D("tax percent"), L("sold by"), I("TypeID"),
                   X("billingaddressline1"), X("billingaddressline2"), X("billingaddressline3"),
                   X("billingaddressline4"), X("billingaddressline5"),
                   X("Shippingaddressline1"), X("Shippingaddressline2"), X("Shippingaddressline3"),
                   X("Shippingaddressline4"), X("Shippingaddressline5"),
                   B("paidinfull"), X("Paid"), X("purchaseordernumber"), X("terms"), X("Memo"),
                   X("MemotoCustomer"), Dt("due date"), Dt("shipdate"), X("SalesRepresentative"),
                   X("approvalcode"), X("transactionid")},
                  {idx("Sales ID", {"Sales ID"}, true), idx("cust id", {"cust id"}),
                   // A customer's sales newest first, a page at a time.
                   addedIdx("cust id date of sale", {"cust id", "date of sale"}),
                   // The store's figures read a day or a month of sales.
                   addedIdx("date of sale", {"date of sale"})}};
    t << TableDef{"Sold Items",
                  {L("Sold ID"), L("sales id"), I("line item"), L("Item Index"), L("subitemsid"),
                   L("Option1"), L("Option2"), L("Option3"), S("sold price"), S("qty sold"), B("taxed"),
                   S("other costs")},
                  {idx("Sold ID", {"Sold ID"}, true), idx("sales id", {"sales id"})}};
    t << TableDef{"PayTypes", {L("id"), X("paytype")}, {idx("id", {"id"}, true)}};
    t << TableDef{"PaymentTerms", {X("PaymentTerms")}, {}};
    t << TableDef{"ShippingMethods", {L("ShippingID"), X("ShippingMethods")},
                  {idx("ShippingID", {"ShippingID"})}};
    t << TableDef{"States", {X("state")}, {}};

    // Tax
    t << TableDef{"Company",
                  {X("Name"), X("Address"), X("City"), X("state"), X("Zip Code"), X("Phone"), X("Fax"),
                   X("EMAIL"), X("Web Page"), X("Logo"), X("Description"), B("Show Address"), B("show city"),
                   B("show state"), B("show zip code"), B("show phone"), B("show fax"), I("tax option"),
                   D("sales tax"), I("shipping tax rule"), B("taxable shipping"), I("shipping option"),
                   D("fixed shipping charge")},
                  {}};
    t << TableDef{"Tax Rule Definitions", {L("Rule ID"), L("type ID")}, {idx("Rule ID", {"Rule ID"})}};
    t << TableDef{"Tax Types", {L("id"), I("jurisdiction type"), I("Round"), I("agency")},
                  {idx("id", {"id"}, true)}};
    t << TableDef{"Tax splits", {L("Type id"), D("Split"), B("Percentage"), D("Value")},
                  {idx("Type id", {"Type id"})}};
    t << TableDef{"jurisdictions", {L("TypeID"), X("Jurisdiction")}, {idx("TypeID", {"TypeID"})}};
    t << TableDef{"Tax Agencies", {I("id"), X("Name")}, {idx("id", {"id"}, true)}};
    t << TableDef{"Tax Holder", {L("Sale ID"), X("Tax agency"), D("total")},
                  {idx("SaleAgency", {"Sale ID", "Tax agency"}, true)}};

    // Shipping
    t << TableDef{"ShippingTypes", {L("ShippingTypeID"), X("ShippingType"), X("Format"), S("Interval")},
                  {idx("ShippingTypeID", {"ShippingTypeID"})}};
    t << TableDef{"ShippingCharges", {L("ShippingTypeID"), S("Max"), S("Regular"), S("TwoDay"), S("OneDay")},
                  {idx("ShippingTypeID", {"ShippingTypeID"})}};

    // Employees
    t << TableDef{"Employees",
                  {L("Employee ID"), X("First Name"), X("Last Name"), X("Middle Initial"), X("Password"),
                   B("Active")},
                  {idx("Employee ID", {"Employee ID"}, true)}};
    t << TableDef{"Permissions",
                  {L("Employee ID"), B("Add Items"), B("Edit Items"), B("Delete Items"), B("Sell Items"),
                   B("Add Customers"), B("Edit Customers"), B("Delete Customers"), B("Add Owners"),
                   B("Edit Owners"), B("Delete Owners"), B("Edit Company Info"), B("Edit Employees"),
                   B("Setup Web"), B("Upload Files"), B("Perform Database Utilities"), B("Import Info"),
                   B("DownloadSales"), B("SalesRelated")},
                  {idx("Employee ID", {"Employee ID"}, true)}};

    // What each sold line was paid (its subtotal after the discount, and
    // its tax by agency), and which sold lines came back: what a return
    // refunds.
    t << TableDef{"Sold Line Paid",
                  {L("Sold ID"), L("sales id"), D("subtotal"), S("discount")},
                  {idx("Sold ID", {"Sold ID"}, true)},
                  false,
                  true};
    t << TableDef{"Sold Line Tax",
                  {L("Sold ID"), L("sales id"), X("Tax agency"), D("total")},
                  {idx("Sold ID", {"Sold ID"})},
                  false,
                  true};
    t << TableDef{"Returned Items",
                  {L("Returned ID"), L("sales id"), L("original sales id"), L("Sold ID"), S("qty")},
                  {idx("Returned ID", {"Returned ID"}, true), idx("Sold ID", {"Sold ID"}),
                   idx("original sales id", {"original sales id"})},
                  false,
                  true};
    // What each agency collected on a sale by jurisdiction (refunds below
    // 0): the rows of a sale add up to its `Tax Holder` rows agency by agency.
    t << TableDef{"Tax Jurisdictions",
                  {L("Sale ID"), X("Tax agency"), X("Jurisdiction"), D("total")},
                  {idx("Sale ID", {"Sale ID"})},
                  false,
                  true};
    // Who approved what on a sale for the cashier (a refund to another pay
    // type than the sale returned was paid with, say).
    t << TableDef{"Sale Approvals",
                  {L("sales id"), L("Employee ID"), X("approved for"), Dt("approved at")},
                  {idx("sales id", {"sales id"})},
                  false,
                  true};

    // A register's shifts: opened with the float in the drawer, closed by
    // its Z report (numbered per register; 0 while open, so the unique
    // index lets each register keep one shift open at a time). The Z
    // report's figures are kept as written, so that a copy prints the same.
    t << TableDef{"Shifts",
                  {L("Shift ID"), X("Register"), L("Z Number"), Dt("opened at"), L("opened by"), D("float"),
                   Dt("closed at"), L("closed by"), D("counted cash"), D("expected cash"), B("closed after crash"),
                   X("Z Report")},
                  {idx("Shift ID", {"Shift ID"}, true), idx("RegisterZ", {"Register", "Z Number"}, true)},
                  false,
                  true};
    // Cash paid into or out of the drawer, drawer openings without a sale
    // and sales cancelled, each in the shift it happened in.
    t << TableDef{"Cash Movements",
                  {L("Shift ID"), X("kind"), D("amount"), X("reason"), L("Employee ID"), Dt("at")},
                  {idx("Shift ID", {"Shift ID"})},
                  false,
                  true};
    // The shift each sale was posted in, and payments on account taken.
    t << TableDef{"Shift Sales", {L("sales id"), L("Shift ID")},
                  {idx("sales id", {"sales id"}, true), idx("Shift ID", {"Shift ID"})},
                  false,
                  true};
    t << TableDef{"Account Payments", {L("sales id"), L("Shift ID"), D("amount"), Dt("paid at")},
                  {idx("Shift ID", {"Shift ID"}), idx("sales id", {"sales id"})},
                  false,
                  true};

    // Sale numbers a register set aside on the server for sales rung up
    // while the server is away; a number's row goes when its sale is posted.
    t << TableDef{"Offline Sale Numbers",
                  {L("sales id"), X("Register"), Dt("set aside at")},
                  {idx("sales id", {"sales id"}, true)},
                  false,
                  true};

    // Mail
    t << TableDef{"Pop3Settings",
                  {X("HostName"), X("UserName"), X("Password"), X("Email"), L("MailPort"), X("SMTP")},
                  {},
                  true};
    return t;
}

QString physicalIndexName(const QString &table, const IndexDef &index)
{
    return QStringLiteral("ix_%1__%2").arg(table, index.name);
}

} // namespace

const QList<TableDef> &storeTables()
{
    static const QList<TableDef> tables = buildTables();
    return tables;
}

const TableDef *findTable(const QString &name)
{
    static const QHash<QString, int> byName = [] {
        QHash<QString, int> h;
        const auto &t = storeTables();
        for (int i = 0; i < t.size(); ++i)
            h.insert(t[i].name.toLower(), i);
        return h;
    }();
    const int i = byName.value(name.toLower(), -1);
    return i < 0 ? nullptr : &storeTables()[i];
}

QStringList indexColumns(const QString &table, const QString &index)
{
    if (const TableDef *t = findTable(table)) {
        for (const IndexDef &ix : t->indexes)
            if (ix.name.compare(index, Qt::CaseInsensitive) == 0)
                return ix.columns;
        for (const ColumnDef &c : t->columns)
            if (c.name.compare(index, Qt::CaseInsensitive) == 0)
                return {c.name};
    }
    return {};
}

QString declaredType(ColumnType type)
{
    switch (type) {
    case T::Long: return QStringLiteral("INTEGER");
    case T::Integer: return QStringLiteral("SMALLINT");
    case T::Single: return QStringLiteral("FLOAT");
    case T::Double: return QStringLiteral("DOUBLE");
    case T::Currency: return QStringLiteral("CURRENCY");
    case T::Boolean: return QStringLiteral("BOOLEAN");
    case T::Date: return QStringLiteral("DATETIME");
    case T::Text: return QStringLiteral("TEXT");
    }
    return QStringLiteral("TEXT");
}

ColumnType columnTypeFromDeclared(const QString &declared)
{
    const QString d = declared.toUpper();
    if (d.startsWith(QLatin1String("SMALLINT")))
        return T::Integer;
    if (d.contains(QLatin1String("INT")) || d == QLatin1String("LONG"))
        return T::Long;
    if (d.startsWith(QLatin1String("FLOAT")) || d.startsWith(QLatin1String("SINGLE"))
        || d.startsWith(QLatin1String("REAL")))
        return T::Single;
    if (d.startsWith(QLatin1String("DOUBLE")) || d.startsWith(QLatin1String("NUMERIC")))
        return T::Double;
    if (d.startsWith(QLatin1String("CURRENCY")) || d.startsWith(QLatin1String("MONEY")))
        return T::Currency;
    if (d.startsWith(QLatin1String("BOOL")) || d == QLatin1String("BIT"))
        return T::Boolean;
    if (d.startsWith(QLatin1String("DATE")))
        return T::Date;
    return T::Text;
}

namespace {

struct ServerType {
    ColumnType type;
    const char *domain;
    const char *base;
};

// Booleans are 0/1 numbers and dates ISO text, as on the file store.
constexpr ServerType kServerTypes[] = {
    {T::Long, "vanta_long", "integer"},        {T::Integer, "vanta_integer", "smallint"},
    {T::Single, "vanta_single", "double precision"}, {T::Double, "vanta_double", "double precision"},
    {T::Currency, "vanta_currency", "double precision"}, {T::Boolean, "vanta_boolean", "smallint"},
    {T::Date, "vanta_date", "text"},           {T::Text, "vanta_text", "text"},
};

// Domains and the case-blind collation the file store's NOCASE stands for.
void createServerTypes(Connection &conn)
{
    for (const ServerType &t : kServerTypes)
        if (conn.scalar(QStringLiteral("SELECT count(*) FROM pg_type t JOIN pg_namespace n ON n.oid = t.typnamespace "
                                       "WHERE t.typname = '%1' AND n.nspname = current_schema()")
                            .arg(QLatin1String(t.domain))).toInt() == 0)
            conn.execute(QStringLiteral("CREATE DOMAIN %1 AS %2").arg(QLatin1String(t.domain), QLatin1String(t.base)));
    conn.execute(QStringLiteral("CREATE COLLATION IF NOT EXISTS nocase "
                                "(provider = icu, locale = 'und-u-ks-level2', deterministic = false)"));
}

} // namespace

QString serverType(ColumnType type)
{
    for (const ServerType &t : kServerTypes)
        if (t.type == type)
            return QLatin1String(t.domain);
    return QStringLiteral("vanta_text");
}

std::optional<ColumnType> columnTypeFromServerType(const QString &typeName)
{
    for (const ServerType &t : kServerTypes)
        if (typeName == QLatin1String(t.domain))
            return t.type;
    return std::nullopt;
}

QString createTableSql(const TableDef &table, const Connection &conn)
{
    const bool server = conn.engine() == Connection::Engine::Server;
    QStringList cols;
    for (const ColumnDef &c : table.columns)
        cols << quoteIdentifier(c.name) + QLatin1Char(' ') + (server ? serverType(c.type) : declaredType(c.type));
    return QStringLiteral("CREATE TABLE IF NOT EXISTS %1 (%2%3)")
        .arg(quoteIdentifier(table.name), cols.join(QStringLiteral(", ")), conn.extraColumns());
}

namespace {

// The table and its indexes, where missing.
void createIndex(Connection &conn, const TableDef &t, const IndexDef &ix)
{
    QStringList cols;
    for (const QString &c : ix.columns)
        cols << quoteIdentifier(c);
    conn.execute(QStringLiteral("CREATE %1INDEX IF NOT EXISTS %2 ON %3 (%4)")
                     .arg(ix.unique ? QStringLiteral("UNIQUE ") : QString(),
                          quoteIdentifier(physicalIndexName(t.name, ix)), quoteIdentifier(t.name),
                          cols.join(QStringLiteral(", "))));
}

void createTable(Connection &conn, const TableDef &t)
{
    conn.execute(createTableSql(t, conn));
    for (const IndexDef &ix : t.indexes)
        createIndex(conn, t, ix);
}

} // namespace

void createSchema(Connection &conn)
{
    Transaction tx(conn);
    if (conn.engine() == Connection::Engine::Server)
        createServerTypes(conn);
    for (const TableDef &t : storeTables())
        if (!t.createdByRegister)
            createTable(conn, t);
    conn.setUpChangeNotes();
    tx.commit();
    conn.forgetSchema();
}

namespace {

bool indexExists(Connection &conn, const QString &physicalName)
{
    const QString sql = conn.engine() == Connection::Engine::Server
                            ? QStringLiteral("SELECT count(*) FROM pg_indexes WHERE schemaname = current_schema() "
                                             "AND indexname = ?")
                            : QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name = ?");
    return conn.scalar(sql, {physicalName}).toLongLong() > 0;
}

// The added indexes of the tables every store has, each with its table.
std::vector<std::pair<const TableDef *, const IndexDef *>> addedIndexes()
{
    std::vector<std::pair<const TableDef *, const IndexDef *>> out;
    for (const TableDef &t : storeTables())
        for (const IndexDef &ix : t.indexes)
            if (!t.addedLater && ix.addedLater)
                out.emplace_back(&t, &ix);
    return out;
}

} // namespace

QStringList missingAddedTables(Connection &conn)
{
    QStringList missing;
    for (const TableDef &t : storeTables())
        if (t.addedLater && !conn.tableExists(t.name))
            missing << t.name;
    for (const auto &[table, index] : addedIndexes())
        if (conn.tableExists(table->name) && !indexExists(conn, physicalIndexName(table->name, *index)))
            missing << QStringLiteral("%1 (%2)").arg(table->name, index->columns.join(QStringLiteral(", ")));
    if (!conn.changeNotesReady())
        missing << QStringLiteral("notes of changes");
    return missing;
}

void createAddedTables(Connection &conn)
{
    if (missingAddedTables(conn).isEmpty())
        return;
    Transaction tx(conn);
    for (const TableDef &t : storeTables())
        if (t.addedLater)
            createTable(conn, t);
    for (const auto &[table, index] : addedIndexes())
        if (conn.tableExists(table->name))
            createIndex(conn, *table, *index);
    conn.forgetSchema();
    if (!conn.changeNotesReady())
        conn.setUpChangeNotes();
    tx.commit();
    conn.forgetSchema();
}

} // namespace vanta::db
