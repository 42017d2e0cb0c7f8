#include "posting/ReportFields.h"

#include "platform/Currency.h"
#include "posting/DocumentFormat.h"

namespace vanta::posting {

namespace {

QHash<QString, QString> lineFields(const SoldLine &l)
{
    return {
        {QStringLiteral("Line.Number"), QString::number(l.lineItem)},
        {QStringLiteral("Line.ItemNumber"), QString::number(l.subItemId != 0 ? l.subItemId : l.itemIndex)},
        {QStringLiteral("Line.Description"), l.description},
        {QStringLiteral("Line.Quantity"), documentQuantity(l.qty)},
        {QStringLiteral("Line.Price"), formatCurrency(l.price)},
        {QStringLiteral("Line.Amount"), formatCurrency(l.amount())},
        {QStringLiteral("Line.Taxed"), l.taxed ? QStringLiteral("T") : QString()},
    };
}

} // namespace

ReportData saleReportData(const SaleRecord &s, const QString &salesRep)
{
    const CompanyInfo &c = s.company;
    const QString memo = s.memoToCustomer == QLatin1String("None") ? QString() : s.memoToCustomer;
    ReportData data;
    data.fields = {
        {QStringLiteral("Company.Name"), c.name},
        {QStringLiteral("Company.Address"), c.addressLines().join(QLatin1Char('\n'))},
        {QStringLiteral("Company.Phone"), c.shownPhone()},
        {QStringLiteral("Company.Fax"), c.shownFax()},
        {QStringLiteral("Company.Email"), c.email},
        {QStringLiteral("Company.Web"), c.web},
        {QStringLiteral("Company.Description"), c.description},
        {QStringLiteral("Sale.Number"), QString::number(s.saleId)},
        {QStringLiteral("Sale.Date"), documentDate(s.date)},
        {QStringLiteral("Sale.DateTime"), documentDateTime(s.date)},
        {QStringLiteral("Sale.DueDate"), documentDate(s.dueDate().startOfDay())},
        {QStringLiteral("Sale.ShipDate"), documentDate(s.shipDate)},
        {QStringLiteral("Sale.PONumber"), s.poNumber},
        {QStringLiteral("Sale.Terms"), s.terms},
        {QStringLiteral("Sale.ShipMethod"), s.shipMethod},
        {QStringLiteral("Sale.SalesRep"), salesRep},
        {QStringLiteral("Sale.PayType"), s.payType},
        {QStringLiteral("Sale.Customer"), s.customerName},
        {QStringLiteral("Sale.CustomerNumber"), QString::number(s.customerId)},
        {QStringLiteral("Sale.BillTo"), s.billTo.join(QLatin1Char('\n'))},
        {QStringLiteral("Sale.ShipTo"), (s.shipTo.isEmpty() ? s.billTo : s.shipTo).join(QLatin1Char('\n'))},
        {QStringLiteral("Sale.Subtotal"), formatCurrency(s.subtotal())},
        {QStringLiteral("Sale.Discount"), s.discount() > 0 ? formatCurrency(-s.discount()) : QString()},
        {QStringLiteral("Sale.Shipping"), formatCurrency(s.shipping)},
        {QStringLiteral("Sale.Tax"), formatCurrency(s.tax)},
        {QStringLiteral("Sale.TaxPercent"), formatPlain(s.taxPercent)},
        {QStringLiteral("Sale.Total"), formatCurrency(s.total)},
        {QStringLiteral("Sale.AmountPaid"), formatCurrency(s.amountPaid())},
        {QStringLiteral("Sale.BalanceDue"), formatCurrency(s.balanceDue())},
        {QStringLiteral("Sale.Tendered"), formatCurrency(s.tendered)},
        {QStringLiteral("Sale.Change"), formatCurrency(s.change)},
        {QStringLiteral("Sale.MemoToCustomer"), memo},
        {QStringLiteral("Sale.TotalQuantity"), documentQuantity(s.totalQuantity())},
        {QStringLiteral("Sale.LineCount"), QString::number(s.lines.size())},
    };
    data.lineFields = lineFields(SoldLine{}).keys();
    for (const SoldLine &l : s.lines)
        data.lines << lineFields(l);
    return data;
}

} // namespace vanta::posting
