#include "sale/Sale.h"

#include <gtest/gtest.h>

using namespace vanta;
using sale::Good;
using sale::PayKind;
using sale::Sale;

namespace {

sale::clsSaleItems::Line line(const Good &good, double subtotal)
{
    auto l = std::make_shared<sale::clsSaleItem>();
    l->setGood(good);
    l->setQty(1);
    l->setPrice(sale::Money::fromDollars(subtotal));
    l->setSubtotal(sale::Money::fromDollars(subtotal));
    return l;
}

// A sale whose tax is 10 % of its cents (shipping included) for customer 1,
// none for others, counting the times it is worked out; the changes told
// to an observer are kept.
class SaleModel : public ::testing::Test {
protected:
    SaleModel()
    {
        sale.setTaxWork([this](const Sale &s) {
            ++taxWorks;
            sale::SaleTax tax;
            if (s.customer() == 1) {
                qint64 base = s.shipping().chargeCents;
                for (const auto &l : s.lines())
                    base += l->Subtotal().cents();
                tax.cents = base / 10;
                tax.agencies = {{"State", tax.cents}};
            }
            return tax;
        });
        sale.observe([this](unsigned c) { told.push_back(c); });
    }

    Sale sale;
    int taxWorks = 0;
    std::vector<unsigned> told;
};

} // namespace

TEST_F(SaleModel, TheTaxFollowsLinesCustomerAndShipping)
{
    sale.setCustomer(1);
    sale.addLine(line(Good::item(1), 10.0f));
    sale.addLine(line(Good::variant(1), 2.5f));
    EXPECT_EQ(sale.totals().subtotal, 1250);
    EXPECT_EQ(sale.tax().cents, 125);
    EXPECT_EQ(told.back(), unsigned(Sale::Lines | Sale::Tax));

    sale.setShipping({3, "Ground", "By weight", 750});
    EXPECT_EQ(sale.tax().cents, 200);
    EXPECT_EQ(sale.totals().totalDue(), 1250 + 750 + 200);
    EXPECT_EQ(told.back(), unsigned(Sale::Shipping | Sale::Tax));

    sale.line(1)->setSubtotal(sale::Money::fromCents(2000)); // a line changed in place
    sale.lineChanged();
    EXPECT_EQ(sale.tax().cents, 300);

    sale.setCustomer(2);
    EXPECT_EQ(sale.tax(), sale::SaleTax()) << "customer 2 pays none";
    sale.removeLine(1);
    EXPECT_EQ(sale.lines().Count(), 1);
    EXPECT_EQ(sale.line(1)->good(), Good::variant(1));

    // Changes that cannot touch the tax do not work it out again.
    const int works = taxWorks;
    sale.setNumber(77);
    sale.setPayType({4, "Card", PayKind::Other});
    sale.setTendered(100);
    EXPECT_EQ(taxWorks, works);
    EXPECT_EQ(told.back(), unsigned(Sale::Payment));
}

TEST_F(SaleModel, LinesOutsideTheSaleAreNone)
{
    sale.addLine(line(Good::item(1), 1));
    EXPECT_EQ(sale.line(0), nullptr);
    EXPECT_NE(sale.line(1), nullptr);
    EXPECT_EQ(sale.line(2), nullptr);
    const size_t before = told.size();
    sale.removeLine(2); // nothing to remove, nothing told
    EXPECT_EQ(told.size(), before);
    EXPECT_EQ(sale.lines().Count(), 1);
}

// The tender covers the total due from exactly the total up; an invoice
// takes no tender and is always covered; a negative tender counts as none.
TEST_F(SaleModel, TenderAndChange)
{
    sale.setCustomer(1);
    sale.addLine(line(Good::item(1), 10.0f)); // 10.00 + 1.00 tax
    sale.setPayType({1, "Cash", PayKind::Cash});
    for (const auto &[tendered, covers, change] :
         std::vector<std::tuple<qint64, bool, qint64>>{{1099, false, 0}, {1100, true, 0}, {1101, true, 1}, {-5, false, 0}}) {
        sale.setTendered(tendered);
        EXPECT_EQ(sale.tenderCovers(), covers) << tendered;
        EXPECT_EQ(sale.changeCents(), change) << tendered;
    }
    sale.setTendered(2000);
    sale.setPayType({9, "Invoice", PayKind::Invoice});
    EXPECT_EQ(sale.tenderedCents(), 0) << "choosing an invoice takes the tender back";
    sale.setTendered(500);
    EXPECT_EQ(sale.tenderedCents(), 0);
    EXPECT_TRUE(sale.tenderCovers());
}

// Return lines put on a sale take the place of the line that returns the
// same sold line; quantity 0 takes it off. Once the returns outweigh the
// rest, the sale is a refund: what is tendered is the refund due exactly,
// with no change, except on an invoice, which pays nothing out. At a net
// total of exactly 0 it is no refund.
TEST_F(SaleModel, ReturnLinesAndRefunds)
{
    const auto returned = [](qint32 soldId, double qty, qint64 cents) {
        sale::clsSaleItem l;
        Good good = Good::item(7);
        good.returnOf = soldId;
        l.setGood(good);
        l.setQty(float(-qty));
        l.setSubtotal(sale::Money::fromCents(-cents));
        return l;
    };
    sale.setPayType({1, "Cash", PayKind::Cash});
    sale.addLine(line(Good::item(7), 10.0f));
    sale.putReturnLines({returned(500, 1, 1000)});
    ASSERT_EQ(sale.lines().Count(), 2) << "the good sold and the good given back are two lines";
    EXPECT_EQ(sale.totals().totalDue(), 0);
    EXPECT_FALSE(sale.refund());
    sale.setTendered(0);
    EXPECT_TRUE(sale.tenderCovers());

    sale.putReturnLines({returned(500, 2, 2000), returned(501, 1, 1)});
    ASSERT_EQ(sale.lines().Count(), 3);
    EXPECT_EQ(sale.line(2)->qty(), -2.0f) << "in the place of the first return of Sold ID 500";
    EXPECT_EQ(sale.totals().totalDue(), -1001);
    EXPECT_TRUE(sale.refund());
    EXPECT_EQ(sale.refundDueCents(), 1001);
    sale.setTendered(5000);
    EXPECT_EQ(sale.tenderedCents(), 1001);
    EXPECT_EQ(sale.changeCents(), 0);
    EXPECT_TRUE(sale.tenderCovers());
    sale.setPayType({9, "Invoice", PayKind::Invoice});
    EXPECT_EQ(sale.tenderedCents(), 0);

    sale.putReturnLines({returned(501, 0, 0)});
    EXPECT_EQ(sale.lines().Count(), 2);
    EXPECT_EQ(sale.refundDueCents(), 1000);
}

TEST_F(SaleModel, PayKindsByName)
{
    EXPECT_EQ(sale::PayType::kindOfName("Cash"), PayKind::Cash);
    EXPECT_EQ(sale::PayType::kindOfName("cash"), PayKind::Other) << "only the store's own spelling opens the drawer";
    EXPECT_EQ(sale::PayType::kindOfName("Invoice"), PayKind::Invoice);
    EXPECT_EQ(sale::PayType::kindOfName("INVOICE"), PayKind::Invoice);
    EXPECT_EQ(sale::PayType::kindOfName("Credit Card"), PayKind::Other);
    EXPECT_EQ(sale::PayType::kindOfName(""), PayKind::None);
}

TEST_F(SaleModel, StoredClearedRestoredAndObserversLeaving)
{
    sale.setCustomer(1);
    sale.setNumber(41);
    sale.addLine(line(Good::item(1), 10));
    sale.setShipping({1, "Ground", "Flat", 500});
    sale.setPayType({1, "Cash", PayKind::Cash});
    sale.setTendered(5000);

    sale.clearLines();
    EXPECT_TRUE(sale.empty());
    EXPECT_EQ(sale.shipping(), sale::SaleShipping());
    EXPECT_EQ(sale.tenderedCents(), 0);
    EXPECT_EQ(sale.number(), 41) << "the number stays until the next sale takes one";
    EXPECT_EQ(sale.payType().kind, PayKind::Cash);
    EXPECT_EQ(sale.tax().cents, 0);

    std::vector<sale::clsSaleItem> kept{*line(Good::item(1), 10), *line(Good::item(1), 12), *line(Good::item(2), 3)};
    sale.restore(42, kept, 1, {2, "Air", "Express", 1000}, {3, "Card", PayKind::Other});
    EXPECT_EQ(sale.number(), 42);
    EXPECT_EQ(sale.lines().Count(), 2) << "a good kept twice comes back once";
    EXPECT_EQ(sale.totals().subtotal, 1300);
    EXPECT_EQ(sale.tax().cents, 230);
    EXPECT_EQ(sale.payType().id, 3);

    // An observer may take itself off while it is being told.
    int calls = 0;
    int id = 0;
    id = sale.observe([&](unsigned) {
        ++calls;
        sale.unobserve(id);
    });
    sale.setNumber(43);
    sale.setNumber(44);
    EXPECT_EQ(calls, 1);
    sale.startOver(45);
    EXPECT_TRUE(sale.empty());
    EXPECT_EQ(sale.customer(), 1);
}
