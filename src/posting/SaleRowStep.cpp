#include "posting/PostingSteps.h"

#include <cmath>

namespace vanta::posting {

namespace {

const QString kNone = QStringLiteral("None");

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
void copyUnlessNull(db::Recordset &sale, const QString &column, db::Recordset &customer, const QString &source)
{
    const QVariant value = customer.field(source);
    if (!value.isNull())
        sale.setField(column, value);
}

// Billing and shipping addresses of an ordinary sale; false when the
// customer is missing.
bool fillOrdinary(PostingContext &ctx, db::Recordset &sale)
{
    db::Recordset customer = indexedTable(ctx.ws, QStringLiteral("Customers"), QStringLiteral("Cust ID"));
    if (!customer.seek(ctx.request.customerId))
        return false;
    copyUnlessNull(sale, QStringLiteral("billingaddressline1"), customer, QStringLiteral("Name"));
    copyUnlessNull(sale, QStringLiteral("billingaddressline2"), customer, QStringLiteral("Address"));
    sale.setField(QStringLiteral("billingaddressline3"), cityLine(customer));
    copyUnlessNull(sale, QStringLiteral("billingaddressline4"), customer, QStringLiteral("Country"));
    sale.setField(QStringLiteral("billingaddressline5"), QStringLiteral(" "));
    sale.setField(QStringLiteral("paidinfull"), true);
    sale.setField(QStringLiteral("purchaseordernumber"), kNone);
    sale.setField(QStringLiteral("terms"), kNone);
    sale.setField(QStringLiteral("ShippingMethod"), kNone);
    for (int i = 1; i <= 5; ++i)
        sale.setField(QStringLiteral("Shippingaddressline%1").arg(i),
                      customer.field(QStringLiteral("Shipping address Line %1").arg(i)));
    sale.setField(QStringLiteral("Memo"), QString());
    sale.setField(QStringLiteral("MemotoCustomer"), kNone);
    sale.setField(QStringLiteral("Paid"), QStringLiteral("Yes"));
    sale.setField(QStringLiteral("due date"), ctx.now);
    sale.setField(QStringLiteral("SalesRepresentative"), QString::number(ctx.request.employeeId));
    return true;
}

void fillInvoice(PostingContext &ctx, db::Recordset &sale)
{
    const InvoiceDetails details = ctx.request.invoice.value_or(InvoiceDetails());
    sale.setField(QStringLiteral("paidinfull"), false);
    sale.setField(QStringLiteral("purchaseordernumber"), details.purchaseOrderNumber);
    sale.setField(QStringLiteral("terms"), details.terms);
    sale.setField(QStringLiteral("ShippingMethod"), details.shippingMethod);
    for (int i = 0; i < 5; ++i) {
        sale.setField(QStringLiteral("billingaddressline%1").arg(i + 1), details.billingLines.value(i));
        sale.setField(QStringLiteral("Shippingaddressline%1").arg(i + 1), details.shippingLines.value(i));
    }
    sale.setField(QStringLiteral("Memo"), details.memo);
    sale.setField(QStringLiteral("MemotoCustomer"), details.memoToCustomer.left(50));
    sale.setField(QStringLiteral("Paid"), QStringLiteral("No"));
    sale.setField(QStringLiteral("due date"), ctx.now);
    sale.setField(QStringLiteral("SalesRepresentative"), details.salesRepresentative);
    sale.setField(QStringLiteral("shipdate"), ctx.now);
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
    db::Recordset sale = ctx.ws.openTable(QStringLiteral("Sales"));
    sale.addNew();
    sale.setField(QStringLiteral("sales id"), r.saleId);
    sale.setField(QStringLiteral("total of sale"), ctx.total);
    sale.setField(QStringLiteral("Tax"), ctx.tax);
    sale.setField(QStringLiteral("total paid"), ctx.tendered);
    sale.setField(QStringLiteral("date of sale"), ctx.now);
    sale.setField(QStringLiteral("cust id"), r.customerId);
    sale.setField(QStringLiteral("paytype"), r.payTypeId);
    sale.setField(QStringLiteral("amount tendered"), ctx.tendered);
    sale.setField(QStringLiteral("Change"), ctx.change);
    sale.setField(QStringLiteral("Shipping"), ctx.shipping);
    sale.setField(QStringLiteral("tax percent"), TaxPercent(ctx.total, ctx.tax));
    sale.setField(QStringLiteral("sold by"), r.employeeId);
    sale.setField(QStringLiteral("TypeID"), r.kind);
    if (r.kind == OrdinarySale) {
        if (!fillOrdinary(ctx, sale)) {
            sale.cancelUpdate();
            return true;
        }
    } else if (r.kind == InvoiceSale) {
        fillInvoice(ctx, sale);
    }
    sale.setField(QStringLiteral("approvalcode"), kNone);
    sale.setField(QStringLiteral("transactionid"), kNone);
    sale.update();
    return false;
}

} // namespace vanta::posting
