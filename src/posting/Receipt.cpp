#include "posting/Receipt.h"

#include "db/Store.h"
#include "posting/Code128.h"
#include "posting/DocumentFormat.h"

#include <QSizeF>
#include <QUrl>

namespace vanta::posting {

namespace {

// A two-column row: label on the left, value on the right.
QString row(const ReceiptContent::Row &r)
{
    const QString style = r.strong ? QStringLiteral(" style=\"font-size:11pt; font-weight:bold\"") : QString();
    return QStringLiteral("<tr%1><td>%2</td><td align=\"right\">%3</td></tr>\n")
        .arg(style, htmlText(r.label), htmlText(r.value));
}

QString table(const QString &rows)
{
    return QStringLiteral("<table width=\"100%\" cellspacing=\"0\" cellpadding=\"0\">\n") + rows
           + QStringLiteral("</table>\n");
}

QString rows(const QList<ReceiptContent::Row> &list)
{
    QString html;
    for (const ReceiptContent::Row &r : list)
        html += row(r);
    return html;
}

QString rule()
{
    return QStringLiteral("<hr/>\n");
}

QString copyMark(const ReceiptContent &r)
{
    return r.copy ? QStringLiteral("<p align=\"center\" style=\"margin:0; font-size:13pt; font-weight:bold\">%1</p>\n")
                        .arg(ReceiptCopyMark)
                  : QString();
}

QString header(const ReceiptContent &r)
{
    QString html = QStringLiteral("<p align=\"center\" style=\"margin:0\">");
    if (!r.logoPath.isEmpty())
        html += QStringLiteral("<img src=\"%1\" width=\"160\"/><br/>")
                    .arg(QUrl::fromLocalFile(r.logoPath).toString().toHtmlEscaped());
    if (!r.storeName.isEmpty())
        html += QStringLiteral("<span style=\"font-size:13pt; font-weight:bold\">%1</span><br/>")
                    .arg(htmlText(r.storeName));
    html += htmlLines(r.storeLines) + QStringLiteral("</p>\n");
    return html;
}

// Each line: its name on one row, "qty @ price" and the amount below.
QString saleLines(const ReceiptContent &r)
{
    QString html;
    for (const ReceiptContent::Line &l : r.lines) {
        html += QStringLiteral("<tr><td colspan=\"2\">%1</td></tr>\n").arg(htmlText(l.description));
        html += QStringLiteral("<tr><td style=\"padding-left:8px\">%1</td><td align=\"right\">%2%3</td></tr>\n")
                    .arg(htmlText(l.detail), htmlText(l.amount),
                         l.taxed ? QStringLiteral(" T") : QStringLiteral("&nbsp;&nbsp;"));
    }
    return table(html);
}

} // namespace

ReceiptContent loadReceiptContent(db::Store &store, qint32 saleId, const QString &employeeName, bool copy)
{
    return buildReceiptContent(LoadSaleRecord(store, saleId), employeeName, store.dataPath(), copy);
}

QString renderReceiptHtml(const ReceiptContent &r)
{
    QString html = QStringLiteral("<html><head><title>Receipt %1</title></head>\n"
                                  "<body style=\"font-family:'DejaVu Sans'; font-size:8pt\">\n")
                       .arg(r.saleId);
    html += copyMark(r) + header(r) + rule() + table(rows(r.details)) + rule() + saleLines(r) + rule();
    html += table(rows(r.totals) + QStringLiteral("<tr><td colspan=\"2\">&nbsp;</td></tr>\n") + rows(r.payment));
    html += rule();
    if (r.anyTaxed)
        html += QStringLiteral("<p style=\"margin:0\">%1</p>\n").arg(TaxedNote);
    if (!r.barcode.isEmpty())
        html += QStringLiteral("<p align=\"center\" style=\"margin:0\"><img src=\"%1\" height=\"40\"/><br/>%2</p>\n")
                    .arg(ReceiptBarcodeImage, htmlText(r.barcode));
    html += QStringLiteral("<p align=\"center\">%1</p>\n").arg(htmlLines(r.footer)) + copyMark(r);
    return html + QStringLiteral("</body></html>\n");
}

QString renderReceiptHtml(db::Store &store, qint32 saleId, const QString &employeeName)
{
    return renderReceiptHtml(loadReceiptContent(store, saleId, employeeName));
}

RenderedDocument receiptDocument(db::Store &store, qint32 saleId, const QString &employeeName, bool copy)
{
    RenderedDocument doc;
    doc.title = QStringLiteral("Receipt %1").arg(saleId) + (copy ? QStringLiteral(" ") + ReceiptCopyMark : QString());
    const ReceiptContent content = loadReceiptContent(store, saleId, employeeName, copy);
    doc.html = renderReceiptHtml(content);
    doc.images.emplace_back(ReceiptBarcodeImage, code128Image(content.barcode, 2, 80));
    doc.page.size = QPageSize(QSizeF(ReceiptWidthMm, 200.0), QPageSize::Millimeter, QStringLiteral("Receipt roll"));
    doc.page.marginsMm = QMarginsF(4, 4, 4, 4);
    doc.page.fitHeight = true;
    return doc;
}

} // namespace vanta::posting
