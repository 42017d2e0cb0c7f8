// Two registers that drew the same sale number: the one that posts second
// takes a new number instead of failing at every try, unless the sale under
// the number is its own.
#include "register/BothStores.h"

#include "platform/Currency.h"

#include <QComboBox>

using namespace vanta;

namespace {

const QString kHammer = QStringLiteral("073256120013"); // item 1001, 14 in stock

class SaleNumberClash : public test::RegisterOnBothStores {
protected:
    void processAsCreditCardSale() { pay("Credit Card"); }
    // A sale stored under the number by someone else (or by this register).
    void storedElsewhere(qint32 saleId, qint32 customer, qint32 seller, float total, int lineCount)
    {
        ts.db().execute("INSERT INTO Sales (\"Sales ID\", \"cust id\", \"sold by\", \"total of sale\") "
                        "VALUES (?, ?, ?, ?)",
                        {saleId, customer, seller, total});
        for (int i = 1; i <= lineCount; ++i)
            ts.db().execute("INSERT INTO \"Sold Items\" (\"Sold ID\", \"sales id\", \"line item\") VALUES (?, ?, ?)",
                            {1000 + i, saleId, i});
    }
    int salesNumbered(qint32 saleId)
    {
        return ts.db().scalar("SELECT count(*) FROM Sales WHERE \"Sales ID\" = ?", {saleId}).toInt();
    }
    int stockOfHammer() { return ts.db().scalar("SELECT qty FROM Items WHERE \"Item Index\" = 1001").toInt(); }
};

TEST_P(SaleNumberClash, AnotherRegistersSaleTakesTheNumberAndThisSaleGetsANewOne)
{
    open();
    scan(kHammer);
    scan(kHammer);
    const qint32 taken = session.sale.number();
    storedElsewhere(taken, 2, 7, 99.5f, 3);

    processAsCreditCardSale();
    const qint32 renumbered = session.sale.number();
    EXPECT_NE(renumbered, taken);
    EXPECT_GT(renumbered, 0);
    EXPECT_EQ(lines().Count(), 1) << "the sale stays on the register";
    EXPECT_EQ(prompt.last().text, QString("Another register has just stored a sale under this sale's number (%1). "
                                          "This sale now has the number %2: press Process again.")
                                      .arg(taken)
                                      .arg(renumbered));
    EXPECT_EQ(salesNumbered(renumbered), 0);
    EXPECT_EQ(stockOfHammer(), 14);

    processAsCreditCardSale();
    EXPECT_EQ(lines().Count(), 0) << prompt.texts().join("|").toStdString();
    EXPECT_EQ(salesNumbered(renumbered), 1);
    EXPECT_EQ(ts.db().scalar("SELECT sum(\"qty sold\") FROM \"Sold Items\" WHERE \"sales id\" = ?", {renumbered})
                  .toInt(),
              2);
    EXPECT_EQ(stockOfHammer(), 12);
    // The other register's sale is as it stored it.
    EXPECT_EQ(ts.db().scalar("SELECT \"cust id\" FROM Sales WHERE \"Sales ID\" = ?", {taken}).toInt(), 2);
    EXPECT_EQ(ts.db().scalar("SELECT count(*) FROM \"Sold Items\" WHERE \"sales id\" = ?", {taken}).toInt(), 3);
}

// A sale stored although its posting reported a failure (a server lost
// during the commit) is this very sale: a new number would store it twice.
TEST_P(SaleNumberClash, ThisSalesOwnRowKeepsTheNumber)
{
    open();
    scan(kHammer);
    const qint32 saleId = session.sale.number();
    const QString total = label("lblTotal");
    storedElsewhere(saleId, storegen::demo::CashSaleCustomer, session.identity.employeeNumber,
                    float(parseCurrency(total)), 1);

    processAsCreditCardSale();
    EXPECT_EQ(session.sale.number(), saleId);
    EXPECT_EQ(lines().Count(), 1);
    EXPECT_FALSE(prompt.texts().join("|").contains("Another register")) << prompt.texts().join("|").toStdString();
    EXPECT_EQ(salesNumbered(saleId), 1);
}

INSTANTIATE_TEST_SUITE_P(Engines, SaleNumberClash, ::testing::Bool(), test::storeEngineName);

} // namespace
