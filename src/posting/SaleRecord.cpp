#include "posting/SaleRecord.h"

#include "db/Store.h"
#include "diagnostics/VantaError.h"

#include <QRegularExpression>
#include <algorithm>

namespace vanta::posting {

namespace {

// Null flags count as shown: a store that never set them still gets its
// address printed.
bool shown(db::Recordset &rs, const char *column)
{
    const QVariant v = rs.field(QLatin1String(column));
    return v.isNull() || db::asBool(v);
}

CompanyInfo readCompany(const db::Database &db)
{
    CompanyInfo c;
    db::Recordset rs = db.openTable(QStringLiteral("Company"));
    if (rs.eof())
        return c;
    auto text = [&](const char *column) { return rs.text(QLatin1String(column)).trimmed(); };
    c.name = text("Name");
    c.address = text("Address");
    c.city = text("City");
    c.state = text("state");
    c.zip = text("Zip Code");
    c.phone = text("Phone");
    c.fax = text("Fax");
    c.email = text("EMAIL");
    c.web = text("Web Page");
    c.description = text("Description");
    c.logo = text("Logo");
    c.showAddress = shown(rs, "Show Address");
    c.showCity = shown(rs, "show city");
    c.showState = shown(rs, "show state");
    c.showZip = shown(rs, "show zip code");
    c.showPhone = shown(rs, "show phone");
    c.showFax = shown(rs, "show fax");
    return c;
}

QStringList addressLines(db::Recordset &rs, const QString &prefix)
{
    QStringList lines;
    for (int i = 1; i <= 5; ++i) {
        const QString line = rs.text(prefix + QString::number(i)).trimmed();
        if (!line.isEmpty())
            lines << line;
    }
    return lines;
}

QDateTime dateField(db::Recordset &rs, const char *column)
{
    const QVariant v = rs.field(QLatin1String(column));
    if (v.isNull())
        return {};
    if (v.typeId() == QMetaType::QDateTime)
        return v.toDateTime();
    return QDateTime::fromString(v.toString(), Qt::ISODate);
}

// A table recordset positioned by an equality seek, or nothing.
class Lookup {
public:
    Lookup(const db::Database &db, const char *table, const char *index)
        : mRs(db.openTable(QLatin1String(table)))
    {
        mRs.setIndex(QLatin1String(index));
    }
    QString text(qint32 key, const char *column)
    {
        return key != 0 && mRs.seek(key) ? mRs.text(QLatin1String(column)).trimmed() : QString();
    }

private:
    db::Recordset mRs;
};

QList<SoldLine> readLines(const db::Database &db, qint32 saleId)
{
    Lookup items(db, "Items", "Item Index");
    Lookup values(db, "Values", "ValueID");
    QList<SoldLine> lines;
    db::Recordset rs = db.openQuery(
        QStringLiteral("SELECT * FROM \"Sold Items\" WHERE \"sales id\" = ? ORDER BY \"line item\", \"Sold ID\""),
        {saleId});
    for (; !rs.eof(); rs.moveNext()) {
        SoldLine line;
        line.lineItem = db::asLong(rs.field(QStringLiteral("line item")));
        line.itemIndex = db::asLong(rs.field(QStringLiteral("Item Index")));
        line.subItemId = db::asLong(rs.field(QStringLiteral("subitemsid")));
        line.qty = db::asSingle(rs.field(QStringLiteral("qty sold")));
        line.price = db::asSingle(rs.field(QStringLiteral("sold price")));
        line.taxed = db::asBool(rs.field(QStringLiteral("taxed")));

        QString name = items.text(line.itemIndex, "Name");
        if (name.isEmpty())
            name = QStringLiteral("Item %1").arg(line.itemIndex);
        QStringList options;
        for (const char *column : {"Option1", "Option2", "Option3"}) {
            const QString value = values.text(db::asLong(rs.field(QLatin1String(column))), "Value");
            if (!value.isEmpty())
                options << value;
        }
        line.description = options.isEmpty() ? name : name + QStringLiteral(" (") + options.join(QStringLiteral(", ")) + QLatin1Char(')');
        lines << line;
    }
    return lines;
}

} // namespace

QStringList CompanyInfo::addressLines() const
{
    QStringList lines;
    if (showAddress && !address.isEmpty())
        lines << address;
    QString cityLine = showCity ? city : QString();
    if (showState && !state.isEmpty())
        cityLine += (cityLine.isEmpty() ? QString() : QStringLiteral(", ")) + state;
    if (showZip && !zip.isEmpty())
        cityLine += (cityLine.isEmpty() ? QString() : QStringLiteral(" ")) + zip;
    if (!cityLine.isEmpty())
        lines << cityLine;
    return lines;
}

double SaleRecord::linesTotal() const
{
    double sum = 0;
    for (const SoldLine &l : lines)
        sum += l.amount();
    return sum;
}

double SaleRecord::discount() const
{
    const double d = linesTotal() - subtotal();
    return d >= 0.005 ? d : 0.0;
}

double SaleRecord::amountPaid() const
{
    return std::clamp(double(tendered), 0.0, std::max(double(total), 0.0));
}

double SaleRecord::totalQuantity() const
{
    double sum = 0;
    for (const SoldLine &l : lines)
        sum += double(l.qty);
    return sum;
}

SaleRecord LoadSaleRecord(db::Store &store, qint32 saleId)
{
    const db::Database db = store.ownConnection();
    db::Recordset rs = db.openQuery(QStringLiteral("SELECT * FROM \"Sales\" WHERE \"Sales ID\" = ?"), {saleId});
    if (rs.eof())
        throw VantaError(3021, QStringLiteral("Sale %1 is not in the store database.").arg(saleId),
                         QStringLiteral("Vanta reports"));

    SaleRecord s;
    s.saleId = saleId;
    s.kind = qint16(db::asLong(rs.field(QStringLiteral("TypeID"))));
    s.date = dateField(rs, "date of sale");
    s.customerId = db::asLong(rs.field(QStringLiteral("cust id")));
    const qint32 payTypeId = db::asLong(rs.field(QStringLiteral("paytype")));
    s.total = db::asSingle(rs.field(QStringLiteral("total of sale")));
    s.tax = db::asSingle(rs.field(QStringLiteral("Tax")));
    s.tendered = db::asSingle(rs.field(QStringLiteral("amount tendered")));
    s.change = db::asSingle(rs.field(QStringLiteral("Change")));
    s.shipping = db::asSingle(rs.field(QStringLiteral("Shipping")));
    s.taxPercent = db::asDouble(rs.field(QStringLiteral("tax percent")));
    s.soldBy = db::asLong(rs.field(QStringLiteral("sold by")));
    s.billTo = addressLines(rs, QStringLiteral("billingaddressline"));
    s.shipTo = addressLines(rs, QStringLiteral("Shippingaddressline"));
    s.poNumber = rs.text(QStringLiteral("purchaseordernumber")).trimmed();
    s.terms = rs.text(QStringLiteral("terms")).trimmed();
    s.shipMethod = rs.text(QStringLiteral("ShippingMethod")).trimmed();
    s.salesRep = rs.text(QStringLiteral("SalesRepresentative")).trimmed();
    s.memoToCustomer = rs.text(QStringLiteral("MemotoCustomer")).trimmed();
    s.shipDate = dateField(rs, "shipdate");
    rs.close();

    s.customerName = Lookup(db, "Customers", "Cust ID").text(s.customerId, "Name");
    s.payType = Lookup(db, "PayTypes", "id").text(payTypeId, "paytype");
    s.lines = readLines(db, saleId);
    s.company = readCompany(db);
    return s;
}

QDate SaleRecord::dueDate() const
{
    static const QRegularExpression net(QStringLiteral("\\bnet\\s+(\\d{1,4})\\b"),
                                        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = net.match(terms);
    return m.hasMatch() ? date.date().addDays(m.captured(1).toInt()) : date.date();
}

} // namespace vanta::posting
