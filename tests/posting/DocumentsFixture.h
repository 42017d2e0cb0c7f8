#pragma once

#include "security/SecurityFixture.h"
#include "storegen/DemoStore.h"

#include <QDateTime>
#include <QStringList>
#include <QTextDocument>

namespace vanta::test {

// A register session over the demo store, with helpers that write posted
// sales straight into `Sales` and `Sold Items`.
class DocumentsTest : public SecurityTest {
protected:
    static constexpr qint32 CashSale = 424242;
    static constexpr qint32 InvoiceSale = 515151;

    struct Line {
        qint32 item;      // `Item Index` (the parent of a variant)
        qint32 variant;   // `subitemsid`, 0 for a plain item
        QList<qint32> options;
        float qty;
        float price;
        bool taxed;
    };

    void SetUp() override
    {
        SecurityTest::SetUp();
        storegen::fillDemoStore(db());
    }

    void writeLines(qint32 saleId, const QList<Line> &lines)
    {
        int n = 0;
        for (const Line &l : lines) {
            ++n;
            const QList<qint32> o = l.options + QList<qint32>{0, 0, 0};
            insertRow(db(), "Sold Items",
                      {"Sold ID", "sales id", "line item", "Item Index", "subitemsid", "Option1", "Option2", "Option3",
                       "sold price", "qty sold", "taxed", "other costs"},
                      {saleId * 10 + n, saleId, n, l.item, l.variant ? QVariant(l.variant) : QVariant(), o[0], o[1],
                       o[2], l.price, l.qty, l.taxed, 1.0f});
        }
    }

    // An ordinary cash sale by employee 1: two hammers, a T-shirt M/Black
    // and a gift card; 7.25% tax on the taxable lines, $80 handed over.
    void writeCashSale()
    {
        insertRow(db(), "Sales",
                  {"Sales ID", "total of sale", "Tax", "total paid", "date of sale", "cust id", "paytype",
                   "amount tendered", "Change", "Shipping", "ShippingMethod", "tax percent", "sold by", "TypeID",
                   "billingaddressline1", "billingaddressline2", "billingaddressline3", "billingaddressline5",
                   "paidinfull", "Paid", "purchaseordernumber", "terms", "Memo", "MemotoCustomer", "due date",
                   "SalesRepresentative", "approvalcode", "transactionid"},
                  {CashSale, 68.94f, 2.97f, 80.0f, QDateTime(QDate(2025, 3, 14), QTime(14, 5)), 1, 1, 80.0f, 11.06f,
                   0.0f, "None", 4.5, 1, 0, "CASH SALE", "120 Main Street", "Springfield, IL  62701", " ", true,
                   "Yes", "None", "None", "", "None", QDateTime(QDate(2025, 3, 14), QTime(14, 5)), "1", "None",
                   "None"});
        writeLines(CashSale, {{1001, 0, {}, 2, 12.99f, true},
                              {1016, 5004, {12, 21}, 1, 14.99f, true},
                              {1021, 0, {}, 1, 25.0f, false}});
    }

    // An invoice sale to Adams Hardware Supply, paid $20 of $175.87: goods $156.42, tax $10.95, shipping $8.50.
    void writeInvoiceSale()
    {
        insertRow(db(), "Sales",
                  {"Sales ID", "total of sale", "Tax", "total paid", "date of sale", "cust id", "paytype",
                   "amount tendered", "Change", "Shipping", "ShippingMethod", "tax percent", "sold by", "TypeID",
                   "billingaddressline1", "billingaddressline2", "billingaddressline3", "Shippingaddressline1",
                   "Shippingaddressline2", "Shippingaddressline3", "Shippingaddressline4", "paidinfull", "Paid",
                   "purchaseordernumber", "terms", "Memo", "MemotoCustomer", "due date", "shipdate",
                   "SalesRepresentative", "approvalcode", "transactionid"},
                  {InvoiceSale, 175.87f, 10.95f, 20.0f, QDateTime(QDate(2025, 4, 2), QTime(10, 30)), 2, 4, 20.0f,
                   0.0f, 8.5f, "UPS Ground", 6.6, 2, 3, "Adams Hardware Supply", "2250 Dirksen Parkway",
                   "Springfield, IL 62703", "Adams Hardware Supply", "Attn: Receiving Dock 3", "400 Factory Road",
                   "Springfield, IL 62703", false, "No", "PO-7731", "Net 30", "call before delivery",
                   "Thank you for your order!", QDateTime(QDate(2025, 4, 2), QTime(10, 30)),
                   QDateTime(QDate(2025, 4, 3), QTime(9, 0)), "Sam Rivera", "None", "None"});
        writeLines(InvoiceSale, {{1004, 0, {}, 20, 4.5f, true}, {1001, 0, {}, 3, 12.99f, true},
                                 {1002, 0, {}, 5, 5.49f, true}});
    }

    // The text of an HTML document, one line per paragraph or table cell.
    static QStringList textLines(const QString &html)
    {
        QTextDocument doc;
        doc.setHtml(html);
        QStringList lines;
        for (const QString &l : doc.toPlainText().split(QLatin1Char('\n')))
            if (!l.trimmed().isEmpty())
                lines << l.trimmed();
        return lines;
    }

    // The line after the first line equal to `label` ("" when none).
    static QString after(const QStringList &lines, const QString &label)
    {
        const qsizetype i = lines.indexOf(label);
        return i >= 0 && i + 1 < lines.size() ? lines[i + 1] : QString();
    }
    // The line after each of the labels, in their order.
    static QStringList afterEach(const QStringList &lines, const QStringList &labels)
    {
        QStringList out;
        for (const QString &label : labels)
            out << after(lines, label);
        return out;
    }
};

} // namespace vanta::test
