// A whole exchange rung up with real keys on an X server: a receipt scanned,
// one of its two lines given back in the return dialog, another item added
// and the difference paid; then the stored rows, the stock, the tax per
// agency and the receipt printed (as PDF) are checked.
#include "posting/PrintedDocuments.h"
#include "register/frmReturn.h"
#include "x11/RealRegister.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace vanta;
using test::xdoScan;
using test::xdotool;

namespace {

const QString kHammer = "073256120013"; // 1001, $12.99, taxable
const QString kScrews = "044105008110"; // 1004, $5.00 a box up to 9

class ExchangeUnderX11 : public test::RealRegisterTest {
protected:
    ExchangeUnderX11()
    {
        settings.save("POS", "Settings", "Print To PDF", config.filePath("pdf"));
        session.documents = &documents;
    }

    template <typename T>
    T *child(const char *name) const
    {
        return pos->findChild<T *>(QLatin1String(name));
    }
    // Chooses the pay type with the keyboard: the list takes the focus and
    // its first letters.
    void payBy(const QString &name)
    {
        auto *payTypes = child<QComboBox>("cmbPayType");
        payTypes->setFocus();
        QTRY_VERIFY(payTypes->hasFocus());
        ASSERT_EQ(xdotool({"type", "--delay", "40", name}), 0);
        QTRY_COMPARE(payTypes->currentText(), name);
    }
    // Types the tender into its box and presses Process with Alt+P.
    void tenderAndProcess(const QString &amount)
    {
        QLineEdit *tender = child<QLineEdit>("txtAmountTendered");
        tender->setFocus();
        QTRY_VERIFY(tender->hasFocus());
        tender->selectAll();
        ASSERT_EQ(xdotool({"type", "--delay", "20", amount}), 0);
        QTRY_COMPARE(tender->text(), amount);
        const qint32 saleId = session.sale.number();
        ASSERT_EQ(xdotool({"key", "alt+p"}), 0);
        QTRY_VERIFY_WITH_TIMEOUT(session.sale.number() != saleId, 15000);
    }
    QVariant scalar(const QString &sql, const QVariantList &params = {}) { return ts.db().scalar(sql, params); }
    double stock(qint32 item) { return scalar("SELECT qty FROM Items WHERE \"Item Index\" = ?", {item}).toDouble(); }
    std::map<QString, qint64> cents(const QString &sql, qint32 saleId)
    {
        std::map<QString, qint64> out;
        for (db::Recordset rs = ts.db().openQuery(sql, {saleId}); !rs.eof(); rs.moveNext())
            out[rs.field(0).toString()] += qRound64(rs.field(1).toDouble() * 100);
        return out;
    }

    posting::PrintedDocuments documents{settings, session.dialogs, session.reportSettings};
};

} // namespace

TEST_F(ExchangeUnderX11, AScannedReceiptGivesBackALineAndTheDifferenceIsPaid)
{
    open();
    const double hammers = stock(1001), screws = stock(1004);

    // The first visit: two hammers and a box of screws, paid in cash.
    xdoScan(kHammer);
    xdoScan(kHammer);
    xdoScan(kScrews);
    QTRY_COMPARE(session.sale.lines().Count(), 2);
    payBy("Cash");
    const qint32 original = session.sale.number();
    tenderAndProcess("100");
    ASSERT_EQ(scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = ?", {original}).toInt(), 1);

    // The customer is back with one hammer: the receipt is scanned and the
    // dialog answered with keys (the hammer's quantity, then Enter).
    QStringList headings;
    QTimer cashier;
    cashier.setInterval(50);
    QObject::connect(&cashier, &QTimer::timeout, [&] {
        auto *dlg = qobject_cast<frmReturn *>(QApplication::activeModalWidget());
        if (!dlg || !dlg->isVisible())
            return;
        if (!dlg->isActiveWindow()) {
            xdotool({"windowfocus", "--sync", QString::number(dlg->winId())});
            return;
        }
        cashier.stop();
        headings << dlg->findChild<QLabel *>("lblSale")->text();
        xdotool({"type", "--delay", "40", "1"});
        xdotool({"key", "Return"});
    });
    cashier.start();
    xdoScan("SALE#" + QString::number(original));
    QTRY_VERIFY_WITH_TIMEOUT(!cashier.isActive() && session.sale.lines().Count() == 1, 15000);
    QTRY_VERIFY(pos->isActiveWindow());
    ASSERT_EQ(headings.size(), 1);
    EXPECT_TRUE(headings[0].startsWith(QString("Sale %1 of ").arg(original))) << headings[0].toStdString();
    EXPECT_EQ(session.sale.line(1)->qty(), -1.0f);
    EXPECT_EQ(child<QLabel>("lblChangeDueCaption")->text(), "Refund Due:");

    // Three boxes of screws instead: the customer pays the difference.
    xdoScan(kScrews);
    xdoScan(kScrews);
    xdoScan(kScrews);
    QTRY_COMPARE(session.sale.lines().Count(), 2);
    QTRY_COMPARE(session.sale.line(2)->qty(), 3.0f);
    EXPECT_EQ(child<QLabel>("lblChangeDueCaption")->text(), "Change Due:");
    const qint64 due = session.sale.totals().totalDue();
    EXPECT_GT(due, 0);
    const qint32 exchange = session.sale.number();
    tenderAndProcess("10");

    // The stored rows: the hammer given back, the screws sold; the stock.
    EXPECT_EQ(qRound64(scalar("SELECT \"total of sale\" FROM Sales WHERE \"Sales ID\" = ?", {exchange}).toDouble() * 100),
              due);
    EXPECT_EQ(qRound64(scalar("SELECT Change FROM Sales WHERE \"Sales ID\" = ?", {exchange}).toDouble() * 100),
              1000 - due);
    EXPECT_DOUBLE_EQ(scalar("SELECT sum(\"qty sold\") FROM \"Sold Items\" WHERE \"sales id\" = ? AND \"Item Index\" = 1001",
                            {exchange}).toDouble(),
                     -1);
    EXPECT_EQ(scalar("SELECT count(*) FROM \"Returned Items\" WHERE \"sales id\" = ? AND \"original sales id\" = ?",
                     {exchange, original}).toInt(),
              1);
    EXPECT_DOUBLE_EQ(stock(1001), hammers - 2 + 1);
    EXPECT_DOUBLE_EQ(stock(1004), screws - 1 - 3);

    // The tax per agency: the screws' tax less what the hammer was charged,
    // each agency for itself, as the lines kept it.
    const auto held = cents("SELECT \"Tax agency\", total FROM \"Tax Holder\" WHERE \"Sale ID\" = ?", exchange);
    const auto byLine = cents("SELECT \"Tax agency\", total FROM \"Sold Line Tax\" WHERE \"sales id\" = ?", exchange);
    EXPECT_EQ(held, byLine);
    const auto hammerPaid = cents("SELECT t.\"Tax agency\", t.total FROM \"Sold Line Tax\" t JOIN \"Sold Items\" s "
                                  "ON s.\"Sold ID\" = t.\"Sold ID\" WHERE s.\"sales id\" = ? AND s.\"Item Index\" = 1001",
                                  original);
    const auto refunded = cents("SELECT t.\"Tax agency\", t.total FROM \"Sold Line Tax\" t JOIN \"Sold Items\" s "
                                "ON s.\"Sold ID\" = t.\"Sold ID\" WHERE s.\"sales id\" = ? AND s.\"qty sold\" < 0",
                                exchange);
    ASSERT_FALSE(hammerPaid.empty());
    for (const auto &[agency, paid] : hammerPaid)
        EXPECT_NEAR(double(refunded.at(agency)), -double(paid) / 2, 1.0) << agency.toStdString();

    // The receipt printed: the return marked, the sale's code under it.
    const QString pdf = QDir(config.filePath("pdf")).filePath(QString("receipt-%1.pdf").arg(exchange));
    QTRY_VERIFY(QFile::exists(pdf));
    QProcess text;
    text.start("pdftotext", {"-layout", pdf, "-"});
    ASSERT_TRUE(text.waitForFinished(10000));
    const QString receipt = QString::fromUtf8(text.readAllStandardOutput());
    EXPECT_TRUE(receipt.contains("Return: Claw Hammer 16 oz")) << receipt.toStdString();
    EXPECT_TRUE(receipt.contains("-1 @ $12.99")) << receipt.toStdString();
    EXPECT_TRUE(receipt.contains(QString("SALE#%1").arg(exchange))) << receipt.toStdString();
    EXPECT_EQ(diag::Trace::instance().lastError().number, 0);
}
