#include "posting/Receipt.h"

#include "platform/Currency.h"
#include "posting/DocumentFormat.h"
#include "posting/SaleRecord.h"

#include <QSizeF>
#include <algorithm>

namespace vanta::posting {

namespace {

// A two-column row: label on the left, value on the right.
QString row(const QString &label, const QString &value, bool strong = false)
{
    const QString style = strong ? QStringLiteral(" style=\"font-size:11pt; font-weight:bold\"") : QString();
    return QStringLiteral("<tr%1><td>%2</td><td align=\"right\">%3</td></tr>\n")
        .arg(style, htmlText(label), htmlText(value));
}

QString rule()
{
    return QStringLiteral("<hr/>\n");
}

QString header(const SaleRecord &s)
{
    const CompanyInfo &c = s.company;
    QStringList lines = c.addressLines();
    if (!c.shownPhone().isEmpty())
        lines << QStringLiteral("Tel ") + c.shownPhone();
    QString html = QStringLiteral("<p align=\"center\" style=\"margin:0\">");
    if (!c.name.isEmpty())
        html += QStringLiteral("<span style=\"font-size:13pt; font-weight:bold\">%1</span><br/>").arg(htmlText(c.name));
    html += htmlLines(lines) + QStringLiteral("</p>\n");
    return html;
}

QString saleDetails(const SaleRecord &s, const QString &employeeName)
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">\n");
    html += row(QStringLiteral("Sale #"), QString::number(s.saleId));
    html += row(QStringLiteral("Date"), documentDateTime(s.date));
    html += row(QStringLiteral("Cashier"), employeeName);
    if (!s.customerName.isEmpty())
        html += row(QStringLiteral("Customer"), s.customerName);
    return html + QStringLiteral("</table>\n");
}

// Each line: its name on one row, "qty @ price" and the amount below.
QString saleLines(const SaleRecord &s)
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">\n");
    for (const SoldLine &l : s.lines) {
        html += QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>\n").arg(htmlText(l.description));
        const QString detail = QStringLiteral("%1 @ %2").arg(documentQuantity(l.qty), formatCurrency(l.price));
        html += QStringLiteral("<tr><td style=\"padding-left:8px\">%1</td><td align=\"right\">%2%3</td></tr>\n")
                    .arg(htmlText(detail), htmlText(formatCurrency(l.amount())),
                         l.taxed ? QStringLiteral(" T") : QStringLiteral("&nbsp;&nbsp;"));
    }
    return html + QStringLiteral("</table>\n");
}

QString totals(const SaleRecord &s)
{
    QString html = QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">\n");
    if (s.discount() > 0)
        html += row(QStringLiteral("Discounts"), formatCurrency(-s.discount()));
    html += row(QStringLiteral("Subtotal"), formatCurrency(s.subtotal()));
    html += row(QStringLiteral("Shipping"), formatCurrency(s.shipping));
    html += row(QStringLiteral("Tax"), formatCurrency(s.tax));
    html += row(QStringLiteral("TOTAL"), formatCurrency(s.total), true);
    html += QStringLiteral("<tr><td colspan=\"2\">&nbsp;</td></tr>\n");
    html += row(s.payType.isEmpty() ? QStringLiteral("Paid") : s.payType, formatCurrency(s.tendered));
    html += row(QStringLiteral("Change"), formatCurrency(s.change));
    return html + QStringLiteral("</table>\n");
}

QString footer(const SaleRecord &s)
{
    QStringList lines;
    if (!s.memoToCustomer.isEmpty() && s.memoToCustomer != QLatin1String("None"))
        lines << s.memoToCustomer;
    lines << QStringLiteral("Thank you for shopping with us!");
    if (!s.company.web.isEmpty())
        lines << s.company.web;
    return QStringLiteral("<p align=\"center\">%1</p>\n").arg(htmlLines(lines));
}

} // namespace

QString renderReceiptHtml(db::Store &store, qint32 saleId, const QString &employeeName)
{
    const SaleRecord s = LoadSaleRecord(store, saleId);
    QString html = QStringLiteral("<html><head><title>Receipt %1</title></head>\n"
                                  "<body style=\"font-family:'DejaVu Sans'; font-size:8pt\">\n")
                       .arg(saleId);
    html += header(s) + rule() + saleDetails(s, employeeName) + rule() + saleLines(s) + rule() + totals(s) + rule();
    if (std::any_of(s.lines.begin(), s.lines.end(), [](const SoldLine &l) { return l.taxed; }))
        html += QStringLiteral("<p style=\"margin:0\">T = taxable item</p>\n");
    html += footer(s);
    return html + QStringLiteral("</body></html>\n");
}

RenderedDocument receiptDocument(db::Store &store, qint32 saleId, const QString &employeeName)
{
    RenderedDocument doc;
    doc.title = QStringLiteral("Receipt %1").arg(saleId);
    doc.html = renderReceiptHtml(store, saleId, employeeName);
    doc.page.size = QPageSize(QSizeF(ReceiptWidthMm, 200.0), QPageSize::Millimeter, QStringLiteral("Receipt roll"));
    doc.page.marginsMm = QMarginsF(4, 4, 4, 4);
    doc.page.fitHeight = true;
    return doc;
}

} // namespace vanta::posting
