#include "journal/JournalError.h"
#include "journal/SaleJournal.h"
#include "support/TempStore.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QIODevice>
#include <gtest/gtest.h>

using namespace vanta;
using journal::OpenSale;
using journal::SaleJournal;

namespace {

OpenSale fourLineSale()
{
    OpenSale sale;
    sale.saleId = 424242;
    sale.changed = QDateTime(QDate(2026, 12, 7), QTime(16, 5));
    sale::clsSaleItem hammer;
    hammer.setGood(sale::Good::item(1001));
    hammer.setName("Claw Hammer 16 oz");
    hammer.setFullName("Ridgeline Claw Hammer, 16 oz, fibreglass handle");
    hammer.setUOM("EA");
    hammer.setFullUOM("Each");
    hammer.setPrice(sale::Money::fromCents(1150)); // edited
    hammer.setQty(3);
    hammer.setDiscount(12.5f);
    hammer.setSubtotal(sale::Money::fromCents(3019));
    hammer.setTaxable(false); // marked exempt
    hammer.setTaxRuleID(1);
    hammer.setWeight(1.25f);
    hammer.setExceedQty(true);
    sale::clsSaleItem shirt = hammer;
    shirt.setGood(sale::Good::item(5001, {7, 9, 0}));
    shirt.setName("Store Logo T-Shirt/S/Black");
    shirt.setTaxable(true);
    sale::clsSaleItem variant = shirt; // numbered like the item with options
    variant.setGood(sale::Good::variant(5001));
    variant.setName("Store Logo T-Shirt-M/Black");
    sale::clsSaleItem returned = hammer; // gives back a line of sale 4100
    sale::Good given = sale::Good::item(1001);
    given.returnOf = 880011;
    returned.setGood(given);
    returned.setQty(-2);
    returned.setSubtotal(sale::Money::fromCents(-2013));
    returned.setReturnSale(4100);
    returned.setTaxRefund({{"State", 101}, {"County", 20}});
    sale.lines = {hammer, shirt, variant, returned};
    sale.customerId = 4;
    sale.payTypeId = 3;
    sale.shipping = {2, "UPS Ground", "Shipping By Weight: $9.95", 995};
    sale.salesTax = 2.07f;
    sale.shippingTax = 0.72f;
    return sale;
}

} // namespace

TEST(OpenSaleRecord, KeepsEveryValueOfTheSale)
{
    const OpenSale sale = fourLineSale();
    EXPECT_EQ(journal::decodeOpenSale(journal::encodeOpenSale(sale)), sale);
    OpenSale bare = sale;
    bare.customerId.reset();
    bare.payTypeId.reset();
    EXPECT_EQ(journal::decodeOpenSale(journal::encodeOpenSale(bare)), bare);
    EXPECT_EQ(journal::decodeOpenSale(journal::encodeOpenSale(OpenSale())), std::nullopt); // no lines: no sale

    const QByteArray record = journal::encodeOpenSale(sale);
    EXPECT_THROW(journal::decodeOpenSale(record.left(record.size() - 3)), journal::JournalError);
    EXPECT_THROW(journal::decodeOpenSale(record + "x"), journal::JournalError);
}

TEST(SaleJournalStore, EachStoreKeepsItsOwnSale)
{
    QTemporaryDir config;
    test::TempStore a, b;
    const QString folder = config.filePath("Vanta");
    SaleJournal ja(folder, a.path() + "/vanta.mdb"), jb(folder, b.path() + "/vanta.mdb");
    EXPECT_NE(ja.path(), jb.path());
    EXPECT_EQ(ja.path(), SaleJournal::pathFor(folder, a.path() + "/../" + QDir(a.path()).dirName() + "/vanta.mdb"));
    EXPECT_EQ(QFile::permissions(folder) & (QFile::ReadOther | QFile::ReadGroup), QFileDevice::Permissions());

    const OpenSale sale = fourLineSale();
    ja.write(sale);
    EXPECT_EQ(ja.read(), sale);
    EXPECT_EQ(jb.read(), std::nullopt);
    EXPECT_EQ(SaleJournal(folder, a.path() + "/vanta.mdb").read(), sale); // the next start finds it
    ja.write(OpenSale());                                                // the sale is gone: nothing kept
    EXPECT_EQ(ja.read(), std::nullopt);
}

TEST(SaleJournalStore, APostedSaleIsNotOfferedAgain)
{
    QTemporaryDir config;
    test::TempStore ts;
    SaleJournal journal(config.path(), ts.path() + "/vanta.mdb");
    const OpenSale sale = fourLineSale();
    journal.write(sale);
    EXPECT_EQ(journal::unfinishedSale(journal, ts.db()), sale);

    ts.db().execute("INSERT INTO Sales (\"Sales ID\") VALUES (?)", {sale.saleId}); // posted, journal not yet cleared
    EXPECT_EQ(journal::unfinishedSale(journal, ts.db()), std::nullopt);
    EXPECT_EQ(journal.read(), std::nullopt); // and cleared
}

TEST(SaleJournalStore, QuestionNamesTheTimeAndTheLines)
{
    EXPECT_EQ(journal::restoreQuestion(fourLineSale()),
              "An unfinished sale from 12/7/2026 4:05 PM with 4 items was found. Restore it?");
}

// A journal written before lines said what they sell: each line is an item
// when the store has an item with its number, else a variant when it has
// a variant with it, as the register then read such a number.
TEST(SaleJournalStore, FirstFormRecordsReadTheirLinesAsTheStoreNumbersThem)
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out.setFloatingPointPrecision(QDataStream::SinglePrecision);
    out << quint32(1) << qint32(77) << QDateTime(QDate(2026, 12, 1), QTime(9, 0)) << quint32(3);
    for (const qint32 number : {1001, 5001, 404}) // an item, a variant, neither
        out << number << qint32(0) << qint32(0) << qint32(0) << QStringLiteral("Line %1").arg(number) << QString()
            << QString("EA") << QString("Each") << 2.5f << 1.0f << 0.0f << 2.5f << true << qint32(1) << 0.0f << false;
    out << false << qint32(0) << true << qint32(3) << qint32(0) << QString() << QString("None") << qint64(0) << 0.175f
        << 0.0f;

    const std::optional<OpenSale> decoded = journal::decodeOpenSale(record);
    ASSERT_TRUE(decoded);
    EXPECT_TRUE(decoded->kindsGuessed);
    EXPECT_EQ(decoded->payTypeId, 3);

    QTemporaryDir config;
    test::TempStore ts;
    ts.db().execute("INSERT INTO Items (\"Item Index\", \"Name\") VALUES (1001, 'Hammer'), (7, 'Shirt')");
    ts.db().execute("INSERT INTO Subitems (SubItemID, ItemID) VALUES (5001, 7)");
    SaleJournal saleJournal(config.path(), ts.path() + "/vanta.mdb");
    journal::JournalFile(saleJournal.path()).write(record);
    const std::optional<OpenSale> offered = journal::unfinishedSale(saleJournal, ts.db());
    ASSERT_TRUE(offered);
    EXPECT_FALSE(offered->kindsGuessed);
    ASSERT_EQ(offered->lines.size(), 3u);
    EXPECT_EQ(offered->lines[0].good(), sale::Good::item(1001));
    EXPECT_EQ(offered->lines[1].good(), sale::Good::variant(5001));
    EXPECT_EQ(offered->lines[2].good(), sale::Good::item(404)) << "a number the store lacks stays as it was";
    EXPECT_EQ(offered->lines[1].Name(), "Line 5001");

    // The next write is in the new form and needs no guessing.
    saleJournal.write(*offered);
    EXPECT_EQ(saleJournal.read(), offered);
}
