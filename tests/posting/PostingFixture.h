#pragma once

#include "platform/Currency.h"
#include "posting/SalePosting.h"
#include "support/RecordingDocuments.h"
#include "support/SaleFixtures.h"
#include "support/SessionFixture.h"
#include "tax/SaleTax.h"

#include <deque>

namespace vanta::test {

// A register session on its own store with a small catalogue:
//   customer 10: full address, two shipping lines, balance 100
//   customer 11: no city, address or country; state IL, zip 62703
//   item 100 (qty 10, sold 5, cost 2.50), option value 41 (cost 1.25)
//   item 200 counts stock per variant; variant 2001 = values 11, 21 (costs
//   0.75, 0.40), quantity 6
//   item 300 does not; variant 3001 = value 31, quantity 8
//   variant 4001 whose parent item 400 is missing
// The company records no tax (tax option 0).
class PostingTest : public SessionTest {
protected:
    PostingTest()
    {
        session.openStore(ts.path());
        session.identity.employeeNumber = 2;
        seedCatalogue();
    }

    db::Store &store() { return session.store(); }
    const db::Database &db() { return store().database(); }

    void seedCatalogue()
    {
        const QStringList customer = {"Cust ID", "Name", "Address", "City", "state", "Zip", "Country",
                                      "Shipping address Line 1", "Shipping address Line 2", "balance",
                                      "credit limit", "Taxable"};
        insertRow(db(), "Customers", customer,
                  {10, "Ann Buyer", "1 Main St", "Springfield", "IL", "62701", "USA", "Ship 1", "Ship 2", 100,
                   5000, true});
        insertRow(db(), "Customers", customer,
                  {11, "No City", QVariant(), QVariant(), "IL", "62703", QVariant(), QVariant(), QVariant(),
                   QVariant(), QVariant(), true});
        const QStringList item = {"Item Index", "Name", "qty", "total qty sold", "QuantityTrack", "our cost",
                                  "Taxable"};
        insertRow(db(), "Items", item, {100, "Hammer", 10, 5, false, 2.5, true});
        insertRow(db(), "Items", item, {200, "T-Shirt", 50, 0, true, 4, true});
        insertRow(db(), "Items", item, {300, "Cap", 30, 1, false, 3, false});
        addSubItem(db(), 2001, 200, 11, 21, 0, 6);
        addSubItem(db(), 3001, 300, 31, 0, 0, 8);
        addSubItem(db(), 4001, 400, 0, 0, 0, 1);
        const std::pair<qint32, double> optionCosts[] = {{11, 0.75}, {21, 0.40}, {31, 0.0}, {41, 1.25}};
        for (const auto &[id, cost] : optionCosts)
            insertRow(db(), "Values", {"ValueID", "additionalcost"}, {id, cost});
        insertRow(db(), "Company", {"Name", "tax option", "sales tax"}, {"Store", 0, 7.0});
    }

    static sale::clsSaleItems::Line line(qint32 item, float price, float qty, qint32 o1 = 0, qint32 o2 = 0,
                                         bool taxable = true)
    {
        auto l = std::make_shared<sale::clsSaleItem>();
        // The store's variants are numbered from 1000 up.
        l->setGood({item >= 1000 ? sale::Good::Kind::Variant : sale::Good::Kind::Item, item, {o1, o2, 0}});
        l->setPrice(sale::Money::fromDollars(price));
        l->setQty(qty);
        l->setTaxable(taxable);
        l->setTaxRuleID(1);
        return l;
    }
    // Two hammers (item 100) at $10.00 less 10 % ($18.00) and three caps
    // (variant 3001) at $10.00, marked tax exempt.
    static std::vector<sale::clsSaleItems::Line> hammersAndCaps()
    {
        const sale::clsSaleItems::Line hammers = line(100, 10, 2);
        hammers->setDiscount(10);
        hammers->setSubtotal(sale::Money::fromCents(1800));
        const sale::clsSaleItems::Line caps = line(3001, 10, 3, 31, 0, false);
        caps->setSubtotal(sale::Money::fromCents(3000));
        return {hammers, caps};
    }
    void sell(const std::vector<sale::clsSaleItems::Line> &lines)
    {
        for (const auto &l : lines)
            session.sale.addLine(l);
    }

    // An amount written as the register shows it, in cents.
    static qint64 cents(const QString &text) { return toCents(parseCurrency(text)); }

    // The tax by agency is worked out from the register's lines, as the
    // register does.
    posting::PostingRequest request(qint16 kind, qint32 saleId, qint32 customer, const QString &total,
                                    const QString &tax, const QString &tendered, const QString &change)
    {
        posting::PostingRequest r;
        r.kind = kind;
        r.saleId = saleId;
        r.customerId = customer;
        r.payTypeId = 3;
        r.employeeId = 2;
        r.amounts = {cents(total), cents(tax), cents(tendered), cents(change), 0};
        r.taxByAgency = tax::ComputeSaleTax(store(), session.sale.lines(), customer, 0).agencies;
        return r;
    }

    // Sold-line numbers offered in this order, then counting up from 9000.
    posting::PostingOptions offering(std::deque<qint32> ids)
    {
        posting::PostingOptions o;
        o.newId = [ids, next = 9000]() mutable {
            if (ids.empty())
                return next++;
            const qint32 id = ids.front();
            ids.pop_front();
            return id;
        };
        return o;
    }

    // The first row of a query as column -> value.
    QVariantMap row(const QString &sql, const QVariantList &params = {})
    {
        QVariantMap out;
        db::Recordset rs = db().openQuery(sql, params);
        if (!rs.eof())
            for (int i = 0; i < rs.fieldCount(); ++i)
                out.insert(rs.fieldName(i), rs.field(i));
        return out;
    }

    // The named values of a row as text, a null as "<null>": many columns
    // checked in one comparison.
    static QStringList texts(const QVariantMap &row, const QStringList &names)
    {
        QStringList out;
        for (const QString &name : names)
            out << (row.value(name).isNull() ? QStringLiteral("<null>") : valueText(row.value(name)));
        return out;
    }

    // Every row of the tables a posting writes, one line of text each.
    std::string snapshot()
    {
        QStringList rows;
        for (const char *table : {"Sales", "Sold Items", "Items", "Subitems", "Tax Holder", "Customers"}) {
            db::Recordset rs = db().openQuery(QStringLiteral("SELECT * FROM \"%1\" ORDER BY rowid").arg(table));
            for (; !rs.eof(); rs.moveNext()) {
                QStringList values;
                for (int i = 0; i < rs.fieldCount(); ++i)
                    values << (rs.field(i).isNull() ? QStringLiteral("<null>") : rs.field(i).toString());
                rows << QString::fromUtf8(table) + QLatin1Char(':') + values.join(QLatin1Char('|'));
            }
        }
        return rows.join(QLatin1Char('\n')).toStdString();
    }

    RecordingDocuments docs;
};

} // namespace vanta::test
