#include "posting/PostingSteps.h"

#include "db/RowWriter.h"

#include <cmath>

namespace vanta::posting {

namespace {

const QString kNone = QStringLiteral("None");

// The columns given a value in a new row, stored with one INSERT; columns
// left out stay null.
class NewRow {
public:
    void set(const QString &column, const QVariant &value)
    {
        mColumns << column;
        mValues << value;
    }
    void insert(const db::Database &db, const QString &table) const
    {
        db::RowWriter(db.connection(), table, mColumns).add(mValues);
    }

private:
    QStringList mColumns;
    QVariantList mValues;
};

// "City, state  Zip" from the parts that are not null.
QString cityLine(db::Recordset &customer)
{
    QString line;
    const QVariant city = customer.field(QStringLiteral("City"));
    const QVariant state = customer.field(QStringLiteral("state"));
    const QVariant zip = customer.field(QStringLiteral("Zip"));
    if (!city.isNull())
        line = city.toString();
    if (!state.isNull())
        line = line.isEmpty() ? state.toString() : line + QStringLiteral(", ") + state.toString();
    if (!zip.isNull())
        line += QStringLiteral("  ") + zip.toString();
    return line;
}

// Copies a customer column to a sale column unless it is null.
void copyUnlessNull(NewRow &sale, const QString &column, db::Recordset &customer, const QString &source)
{
    const QVariant value = customer.field(source);
    if (!value.isNull())
        sale.set(column, value);
}

// Billing and shipping addresses of an ordinary sale; false when the
// customer is missing.
bool fillOrdinary(PostingContext &ctx, NewRow &sale)
{
    db::Recordset customer = indexedTable(ctx.ws, QStringLiteral("Customers"), QStringLiteral("Cust ID"));
    if (!customer.seek(ctx.request.customerId))
        return false;
    copyUnlessNull(sale, QStringLiteral("billingaddressline1"), customer, QStringLiteral("Name"));
    copyUnlessNull(sale, QStringLiteral("billingaddressline2"), customer, QStringLiteral("Address"));
    sale.set(QStringLiteral("billingaddressline3"), cityLine(customer));
    copyUnlessNull(sale, QStringLiteral("billingaddressline4"), customer, QStringLiteral("Country"));
    sale.set(QStringLiteral("billingaddressline5"), QStringLiteral(" "));
    sale.set(QStringLiteral("paidinfull"), true);
    sale.set(QStringLiteral("purchaseordernumber"), kNone);
    sale.set(QStringLiteral("terms"), kNone);
    sale.set(QStringLiteral("ShippingMethod"), kNone);
    for (int i = 1; i <= 5; ++i)
        sale.set(QStringLiteral("Shippingaddressline%1").arg(i),
                 customer.field(QStringLiteral("Shipping address Line %1").arg(i)));
    sale.set(QStringLiteral("Memo"), QString());
    sale.set(QStringLiteral("MemotoCustomer"), kNone);
    sale.set(QStringLiteral("Paid"), QStringLiteral("Yes"));
    sale.set(QStringLiteral("due date"), ctx.now);
    sale.set(QStringLiteral("SalesRepresentative"), QString::number(ctx.request.employeeId));
    return true;
}

void fillInvoice(PostingContext &ctx, NewRow &sale)
{
    const InvoiceDetails details = ctx.request.invoice.value_or(InvoiceDetails());
    sale.set(QStringLiteral("paidinfull"), false);
    sale.set(QStringLiteral("purchaseordernumber"), details.purchaseOrderNumber);
    sale.set(QStringLiteral("terms"), details.terms);
    sale.set(QStringLiteral("ShippingMethod"), details.shippingMethod);
    for (int i = 0; i < 5; ++i) {
        sale.set(QStringLiteral("billingaddressline%1").arg(i + 1), details.billingLines.value(i));
        sale.set(QStringLiteral("Shippingaddressline%1").arg(i + 1), details.shippingLines.value(i));
    }
    sale.set(QStringLiteral("Memo"), details.memo);
    sale.set(QStringLiteral("MemotoCustomer"), details.memoToCustomer.left(50));
    sale.set(QStringLiteral("Paid"), QStringLiteral("No"));
    sale.set(QStringLiteral("due date"), ctx.now);
    sale.set(QStringLiteral("SalesRepresentative"), details.salesRepresentative);
    sale.set(QStringLiteral("shipdate"), ctx.now);
}

} // namespace

db::Recordset indexedTable(const db::Database &db, const QString &table, const QString &index)
{
    db::Recordset rs = db.openTable(table);
    rs.setIndex(index);
    return rs;
}

double TaxPercent(float total, float tax)
{
    const double net = double(total) - double(tax);
    if (net == 0)
        return 0;
    return std::round(double(tax) / net * 100 * 10) / 10;
}

bool WriteSaleRow(PostingContext &ctx)
{
    const PostingRequest &r = ctx.request;
    NewRow sale;
    sale.set(QStringLiteral("sales id"), r.saleId);
    sale.set(QStringLiteral("total of sale"), ctx.total);
    sale.set(QStringLiteral("Tax"), ctx.tax);
    sale.set(QStringLiteral("total paid"), ctx.tendered);
    sale.set(QStringLiteral("date of sale"), ctx.now);
    sale.set(QStringLiteral("cust id"), r.customerId);
    sale.set(QStringLiteral("paytype"), r.payTypeId);
    sale.set(QStringLiteral("amount tendered"), ctx.tendered);
    sale.set(QStringLiteral("Change"), ctx.change);
    sale.set(QStringLiteral("Shipping"), ctx.shipping);
    sale.set(QStringLiteral("tax percent"), TaxPercent(ctx.total, ctx.tax));
    sale.set(QStringLiteral("sold by"), r.employeeId);
    sale.set(QStringLiteral("TypeID"), r.kind);
    if (r.kind == OrdinarySale) {
        if (!fillOrdinary(ctx, sale))
            return true;
    } else if (r.kind == InvoiceSale) {
        fillInvoice(ctx, sale);
    }
    sale.set(QStringLiteral("approvalcode"), kNone);
    sale.set(QStringLiteral("transactionid"), kNone);
    sale.insert(ctx.ws, QStringLiteral("Sales"));
    return false;
}

} // namespace vanta::posting
