#include "journal/JournalError.h"
#include "journal/SaleJournal.h"
#include "support/TempStore.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace vanta;
using journal::OpenSale;
using journal::SaleJournal;

namespace {

OpenSale twoLineSale()
{
    OpenSale sale;
    sale.saleId = 424242;
    sale.changed = QDateTime(QDate(2026, 12, 7), QTime(16, 5));
    sale::clsSaleItem hammer;
    hammer.setITEMINDEX(1001);
    hammer.setName("Claw Hammer 16 oz");
    hammer.setFullName("Ridgeline Claw Hammer, 16 oz, fibreglass handle");
    hammer.setUOM("EA");
    hammer.setFullUOM("Each");
    hammer.setPrice(11.5f); // edited
    hammer.setQty(3);
    hammer.setDiscount(12.5f);
    hammer.setSubtotal(30.19f);
    hammer.setTaxable(false); // marked exempt
    hammer.setTaxRuleID(1);
    hammer.setWeight(1.25f);
    hammer.setExceedQty(true);
    sale::clsSaleItem shirt = hammer;
    shirt.setITEMINDEX(5001);
    shirt.setOptionID1(7);
    shirt.setOptionID2(9);
    shirt.setName("Store Logo T-Shirt-S-Black");
    shirt.setTaxable(true);
    sale.lines = {hammer, shirt};
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
    const OpenSale sale = twoLineSale();
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

    const OpenSale sale = twoLineSale();
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
    const OpenSale sale = twoLineSale();
    journal.write(sale);
    EXPECT_EQ(journal::unfinishedSale(journal, ts.db()), sale);

    ts.db().execute("INSERT INTO Sales (\"Sales ID\") VALUES (?)", {sale.saleId}); // posted, journal not yet cleared
    EXPECT_EQ(journal::unfinishedSale(journal, ts.db()), std::nullopt);
    EXPECT_EQ(journal.read(), std::nullopt); // and cleared
}

TEST(SaleJournalStore, QuestionNamesTheTimeAndTheLines)
{
    EXPECT_EQ(journal::restoreQuestion(twoLineSale()),
              "An unfinished sale from 12/7/2026 4:05 PM with 2 items was found. Restore it?");
}
