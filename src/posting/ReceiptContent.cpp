#include "posting/ReceiptContent.h"

#include "db/UniqueId.h"
#include "platform/Currency.h"
#include "posting/DocumentFormat.h"
#include "posting/ReceiptCode.h"

#include <QDir>
#include <QFileInfo>

namespace vanta::posting {

namespace {

// The logo file `Company`.`Logo` names: an absolute path, or one relative to
// the data folder or its "Pictures" folder. Empty when there is no such file.
QString logoFile(const QString &logo, const QString &dataFolder)
{
    if (logo.isEmpty())
        return {};
    QStringList candidates;
    if (QFileInfo(logo).isAbsolute())
        candidates << logo;
    else if (!dataFolder.isEmpty())
        candidates << QDir(dataFolder).filePath(logo) << QDir(dataFolder).filePath(QStringLiteral("Pictures/") + logo);
    for (const QString &path : candidates)
        if (QFileInfo(path).isFile())
            return path;
    return {};
}

} // namespace

ReceiptContent buildReceiptContent(const SaleRecord &s, const QString &employeeName, const QString &dataFolder,
                                   bool copy)
{
    ReceiptContent r;
    r.saleId = s.saleId;
    r.copy = copy;
    const CompanyInfo &c = s.company;
    r.storeName = c.name;
    r.storeLines = c.addressLines();
    if (!c.shownPhone().isEmpty())
        r.storeLines << QStringLiteral("Tel ") + c.shownPhone();
    r.logoPath = logoFile(c.logo, dataFolder);

    r.details << ReceiptContent::Row{QStringLiteral("Sale #"), QString::number(s.saleId)}
              << ReceiptContent::Row{QStringLiteral("Date"), documentDateTime(s.date)}
              << ReceiptContent::Row{QStringLiteral("Cashier"), employeeName};
    if (!s.customerName.isEmpty())
        r.details << ReceiptContent::Row{QStringLiteral("Customer"), s.customerName};
    // Numbers of that range are given only to sales rung up while the
    // store server was away.
    if (s.saleId >= db::kOfflineSaleNumbersFrom)
        r.details << ReceiptContent::Row{QStringLiteral("Sold"), ReceiptOfflineMark};

    for (const SoldLine &l : s.lines) {
        // A line given back (below 0) is marked so.
        r.lines << ReceiptContent::Line{l.qty < 0 ? QStringLiteral("Return: ") + l.description : l.description,
                                        QStringLiteral("%1 @ %2").arg(documentQuantity(l.qty), formatCurrency(l.price)),
                                        formatCurrency(l.amount()), l.taxed};
        r.anyTaxed = r.anyTaxed || l.taxed;
    }

    if (s.discount() > 0)
        r.totals << ReceiptContent::Row{QStringLiteral("Discounts"), formatCurrency(-s.discount())};
    r.totals << ReceiptContent::Row{QStringLiteral("Subtotal"), formatCurrency(s.subtotal())}
             << ReceiptContent::Row{QStringLiteral("Shipping"), formatCurrency(s.shipping)}
             << ReceiptContent::Row{QStringLiteral("Tax"), formatCurrency(s.tax)}
             << ReceiptContent::Row{QStringLiteral("TOTAL"), formatCurrency(s.total), true};
    const QString payType = s.payType.isEmpty() ? QStringLiteral("Paid") : s.payType;
    if (s.total < 0) // a refund: what was paid back, and how
        r.payment << ReceiptContent::Row{QStringLiteral("Refund (%1)").arg(payType), formatCurrency(-s.tendered)};
    else
        r.payment << ReceiptContent::Row{payType, formatCurrency(s.tendered)}
                  << ReceiptContent::Row{QStringLiteral("Change"), formatCurrency(s.change)};
    r.barcode = receiptCode(s.saleId);

    if (!s.memoToCustomer.isEmpty() && s.memoToCustomer != QLatin1String("None"))
        r.footer << s.memoToCustomer;
    r.footer << QStringLiteral("Thank you for shopping with us!");
    if (!c.web.isEmpty())
        r.footer << c.web;
    return r;
}

} // namespace vanta::posting
