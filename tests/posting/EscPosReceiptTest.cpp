// The receipt printer's byte stream, compared with golden files. Set
// VANTA_UPDATE_GOLDEN=1 to write the files anew after a deliberate change
// (and look at what changed before committing them).
#include "posting/EscPosReceipt.h"

#include "posting/DocumentsFixture.h"
#include "posting/EscPosWriter.h"
#include "posting/PrinterCodePage.h"
#include "posting/Receipt.h"
#include "support/Files.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>

using namespace vanta;
using namespace vanta::posting;

namespace {

QString goldenPath(const QString &name)
{
    return QStringLiteral(VANTA_TEST_SOURCE_DIR "/posting/golden/") + name;
}

// Compares with the golden file; the first difference is shown in hex.
void expectGolden(const QByteArray &actual, const QString &name)
{
    const QString path = goldenPath(name);
    if (qEnvironmentVariableIntValue("VANTA_UPDATE_GOLDEN") == 1) {
        test::writeFile(path, actual);
        return;
    }
    ASSERT_TRUE(QFile::exists(path)) << qPrintable(path);
    const QByteArray expected = test::readFile(path);
    if (expected == actual)
        return;
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    ADD_FAILURE() << qPrintable(name) << " differs at byte " << at << ": expected "
                  << expected.mid(at, 24).toHex(' ').toStdString() << ", got "
                  << actual.mid(at, 24).toHex(' ').toStdString();
}

} // namespace

class EscPosReceiptTest : public test::DocumentsTest {
protected:
    // The cash sale with accents in the store's, customer's and an item's
    // names, $5.97 of line discounts, $4.50 shipping and tax.
    void writeAccentedSale()
    {
        writeCashSale();
        db().execute("UPDATE \"Company\" SET \"Name\" = ?", {"Vanta Corner Store – Café"});
        db().execute("UPDATE \"Customers\" SET \"Name\" = ? WHERE \"Cust ID\" = 1", {"Zoë Ångström"});
        db().execute("UPDATE \"Items\" SET \"Name\" = ? WHERE \"Item Index\" = 1021", {"Gift Card €25 “Crème brûlée” édition"});
        db().execute("UPDATE \"Sales\" SET \"total of sale\" = 67.47, \"Tax\" = 2.97, \"Shipping\" = 4.5, "
                     "\"Change\" = 12.53 WHERE \"Sales ID\" = ?",
                     {CashSale});
    }

    // A 40 x 12 logo: a black frame around a white field, on a transparent
    // ground that must print white.
    void writeLogo()
    {
        QImage logo(40, 12, QImage::Format_ARGB32);
        logo.fill(Qt::transparent);
        QPainter p(&logo);
        p.fillRect(0, 0, 40, 12, Qt::black);
        p.fillRect(3, 3, 34, 6, Qt::white);
        p.end();
        ASSERT_TRUE(QDir(ts.path()).mkpath("Pictures"));
        ASSERT_TRUE(logo.save(QDir(ts.path()).filePath("Pictures/logo.png")));
        db().execute("UPDATE \"Company\" SET \"Logo\" = ?", {"logo.png"});
    }
};

TEST_F(EscPosReceiptTest, ASaleWithAccentsDiscountShippingAndTaxMatchesTheGoldenJobs)
{
    writeAccentedSale();
    const ReceiptContent receipt = loadReceiptContent(*ts.store, CashSale, "Dana K Morgan");
    EXPECT_EQ(receipt.logoPath, "");
    expectGolden(escPosReceipt(receipt, 80, false), "receipt-80mm.bin");

    // A reprint on 58 mm paper with the store's logo, kicking the drawer.
    writeLogo();
    const ReceiptContent copy = loadReceiptContent(*ts.store, CashSale, "Dana K Morgan", true);
    EXPECT_TRUE(copy.logoPath.endsWith("Pictures/logo.png"));
    const QByteArray job = escPosReceipt(copy, 58, true);
    expectGolden(job, "receipt-58mm-copy-logo.bin");

    // What the golden files must hold, checked apart from them: the code page
    // is chosen, the drawer kicked first, the logo sent as one 5-byte-wide
    // raster of 12 rows, the total in bold double height, the paper cut.
    EXPECT_TRUE(job.startsWith(QByteArray("\x1b@\x1bt\x10\x1bp\x00\x19\xfa", 10)));
    EXPECT_TRUE(job.contains(QByteArray("\x1dv0\x00\x05\x00\x0c\x00\xff\xff\xff\xff\xff", 13)));
    EXPECT_TRUE(job.contains(QByteArray("\x1b" "E\x01\x1d!\x01TOTAL", 10)));
    EXPECT_TRUE(job.contains("Zo\xeb \xc5ngstr\xf6m"));
    EXPECT_EQ(job.count("COPY"), 2);
    EXPECT_TRUE(job.endsWith(QByteArray("\x1b" "d\x04\x1dV\x42\x00", 7)));
}

TEST_F(EscPosReceiptTest, AmountsShareOneRightEdgeOnTheNarrowRoll)
{
    writeAccentedSale();
    const QByteArray job = escPosReceipt(loadReceiptContent(*ts.store, CashSale, "Dana K Morgan"), 58, false);
    // 32 characters a line; amounts end two before the edge, where "T" marks
    // a taxed line.
    for (const char *line : {"\n  2 @ $12.99            $25.98 T\n", "\n  1 @ $25.00            $25.00  \n",
                             "\nDiscounts               -$5.97  \n", "\nSubtotal                $60.00  \n",
                             "\nShipping                 $4.50  \n", "TOTAL                   $67.47  \n",
                             "\nChange                  $12.53  \n"})
        EXPECT_TRUE(job.contains(line)) << line;
    // A name longer than the line goes on over two.
    EXPECT_TRUE(job.contains("\nGift Card \x80""25 \x93""Cr\xe8me br\xfbl\xe9""e\x94\n\xe9""dition\n"));
}

TEST(PrinterCodePage, AccentsPrintInThePageAndEverythingElseAsAQuestionMark)
{
    EXPECT_EQ(toPrinterCodePage(QString::fromUtf8("Crème brûlée €5 “ok” – Ž")),
              QByteArray("Cr\xe8me br\xfbl\xe9""e \x80""5 \x93ok\x94 \x96 \x8e"));
    // Combining accents are composed first.
    EXPECT_EQ(toPrinterCodePage(QString::fromUtf8("Cafe\u0301")), QByteArray("Caf\xe9"));
    // Letters outside the page, an emoji (one character, two UTF-16 units)
    // and control characters, which could command the printer, become '?'.
    EXPECT_EQ(toPrinterCodePage(QString::fromUtf8("Łódź 😀\x1b@\n")), QByteArray("?\xf3""d? ??@?"));
}

TEST(EscPosWriterTest, WrapsLongWordsAndCutsLabelsToKeepTheValue)
{
    EscPosWriter w(10, 80);
    w.wrapped("a verylongwordindeed b").columnsLine("Customer name", "$1.00");
    EXPECT_EQ(w.bytes(), QByteArray("a\nverylongwo\nrdindeed b\nCust $1.00\n"));
}
