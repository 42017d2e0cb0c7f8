// The cashier's changes of the lines, on the sale model alone: no window.
#include "diagnostics/ApplicationTitle.h"
#include "sale/LineEdits.h"
#include "storegen/DemoStore.h"
#include "support/SaleFixtures.h"
#include "support/ScriptedPrompt.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;
using platform::Answer;
using sale::Good;

namespace {

const QString kOutOfStock = "The quantity of items that you are adding exceeds inventory amount.\n"
                            "Do you want to add the quantity anyway?";

// The demo store, a sale on it and the edits of its lines; every change the
// sale tells is counted.
class LineEditsTest : public ::testing::Test {
protected:
    LineEditsTest()
    {
        storegen::fillDemoStore(ts.db());
        sale.observe([this](unsigned) { ++changes; });
    }
    const sale::clsSaleItems &lines() const { return sale.lines(); }

    test::TempStore ts;
    test::ScriptedPrompt prompt;
    sale::Sale sale;
    sale::LineEdits edits{*ts.store, prompt, sale};
    int changes = 0;
};

} // namespace

// Item 5001 and variant 5001 are two goods; the same good again is one
// more on its line.
TEST_F(LineEditsTest, EachGoodHasItsLine)
{
    test::insertRow(ts.db(), "Items", {"Item Index", "Name", "LIST PRICE", "qty"}, {5001, "Claw hammer", 5.0, 10});
    EXPECT_TRUE(edits.add(Good::item(5001)));
    EXPECT_TRUE(edits.add(Good::variant(storegen::demo::FirstVariant)));
    EXPECT_TRUE(edits.add(Good::item(5001)));
    ASSERT_EQ(lines().Count(), 2);
    EXPECT_EQ(lines().Item(1)->good(), Good::item(5001));
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2);
    EXPECT_FLOAT_EQ(lines().Item(1)->Subtotal().dollars(), 10.0f);
    EXPECT_EQ(lines().Item(2)->good(), Good::variant(5001));
    EXPECT_TRUE(lines().Item(2)->Name().startsWith("Store Logo T-Shirt-"));
    EXPECT_EQ(changes, 3);
    EXPECT_EQ(prompt.count(), 0);
}

TEST_F(LineEditsTest, GoodsTheStoreLacksAreRefused)
{
    test::insertRow(ts.db(), "Subitems", {"SubItemID", "ItemID", "quantity"}, {7777, 404, 5});
    EXPECT_FALSE(edits.add(Good::item(404)));
    EXPECT_EQ(prompt.last().box(), applicationTitle() + " [Information] Unable to add item.");
    EXPECT_FALSE(edits.add(Good::variant(404)));
    EXPECT_FALSE(edits.add(Good::variant(7777)));
    EXPECT_EQ(prompt.texts(), QStringList({"Unable to add item.", "Unable to add item.",
                                           "I am not able to find the parent item so I can't add this item"}));
    EXPECT_TRUE(sale.empty());
    EXPECT_EQ(changes, 0);
}

// Out of stock: asked once per line; "No" adds nothing. Beyond the stock
// on hand: asked with the line's name when one more passes it.
TEST_F(LineEditsTest, StockQuestions)
{
    prompt.answer(Answer::No);
    EXPECT_FALSE(edits.add(Good::item(storegen::demo::OutOfStockItem)));
    EXPECT_EQ(prompt.last().text, kOutOfStock);
    EXPECT_EQ(prompt.last().buttons, platform::Buttons::YesNoCancel);
    EXPECT_TRUE(sale.empty());

    prompt.answer(Answer::Yes);
    EXPECT_TRUE(edits.add(Good::item(storegen::demo::OutOfStockItem)));
    EXPECT_TRUE(edits.add(Good::item(storegen::demo::OutOfStockItem)));
    EXPECT_EQ(prompt.count(), 2) << "an accepted line is not asked again";
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 2);
    EXPECT_TRUE(lines().Item(1)->ExceedQty());

    ts.db().execute("UPDATE Items SET qty = 2 WHERE \"Item Index\" = ?", {storegen::demo::PlainItem});
    EXPECT_TRUE(edits.add(Good::item(storegen::demo::PlainItem)));
    EXPECT_TRUE(edits.add(Good::item(storegen::demo::PlainItem))); // 2 of 2: not asked
    EXPECT_EQ(prompt.count(), 2);
    prompt.answer(Answer::Cancel);
    EXPECT_FALSE(edits.add(Good::item(storegen::demo::PlainItem))); // the third passes the stock
    EXPECT_EQ(prompt.last().text, "The quantity of Claw Hammer 16 oz that you are adding exceeds inventory amount.\n"
                                  "Do you want to add the quantity anyway?");
    EXPECT_FLOAT_EQ(lines().Item(2)->qty(), 2);
}

// A quantity typed is priced by the bulk levels at their edges; one beyond
// the stock is asked about, and "No" keeps what is on hand.
TEST_F(LineEditsTest, QuantitiesArePricedAndCheckedAgainstTheStock)
{
    ASSERT_TRUE(edits.add(Good::item(storegen::demo::BulkItem)));
    struct Row {
        double qty;
        float price, discount, subtotal;
    };
    for (const Row &r : {Row{9, 5.00f, 0, 45.00f}, Row{10, 4.50f, 10, 45.00f}, Row{49, 4.50f, 10, 220.50f},
                         Row{50, 4.00f, 20, 200.00f}}) {
        edits.setQuantity(1, r.qty);
        const auto line = lines().Item(1);
        EXPECT_FLOAT_EQ(line->Price().dollars(), r.price) << r.qty;
        EXPECT_FLOAT_EQ(line->Discount(), r.discount) << r.qty;
        EXPECT_FLOAT_EQ(line->Subtotal().dollars(), r.subtotal) << r.qty;
    }
    const sale::Quote q = edits.quote(*lines().Item(1), 10);
    EXPECT_TRUE(q.priced);
    EXPECT_EQ(q.price.cents(), 450);

    EXPECT_EQ(prompt.count(), 0);
    prompt.answer(Answer::No);
    edits.setQuantity(1, 241); // 240 on hand
    EXPECT_EQ(prompt.last().text, "The quantity of items selected exceeds the number in inventory.\n"
                                  "Do you want to enter the quantity anyway?");
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 240);
    prompt.answer(Answer::Yes);
    edits.setQuantity(1, 300);
    EXPECT_FLOAT_EQ(lines().Item(1)->qty(), 300);
    EXPECT_TRUE(lines().Item(1)->ExceedQty());
    edits.setQuantity(1, 400);
    EXPECT_EQ(prompt.count(), 2) << "accepted beyond the stock once: not asked again";
}

// A price typed stands until the quantity changes; the row's other edits
// keep it, to the cent.
TEST_F(LineEditsTest, PricesDiscountsAndMarks)
{
    ASSERT_TRUE(edits.add(Good::item(storegen::demo::PlainItem)));
    edits.setQuantity(1, 3);
    edits.setPrice(1, sale::Money::fromCents(1000));
    EXPECT_EQ(lines().Item(1)->Subtotal(), sale::Money::fromCents(3000));
    edits.editLine(1, 3, 12.5, true);
    const auto line = lines().Item(1);
    EXPECT_FLOAT_EQ(line->Price().dollars(), 10.00f) << "to the cent";
    EXPECT_FLOAT_EQ(line->Subtotal().dollars(), 30.00f);
    EXPECT_FLOAT_EQ(line->Discount(), 12.5f);
    EXPECT_FALSE(line->Taxable());
    edits.setExempt(1, false);
    EXPECT_TRUE(line->Taxable());
    edits.setDiscount(1, 5);
    EXPECT_FLOAT_EQ(line->Discount(), 5);
    edits.editLine(1, 4, 0, false);
    EXPECT_FLOAT_EQ(line->Price().dollars(), 12.99f) << "a new quantity is priced afresh";

    // Positions outside the sale change nothing.
    const int before = changes;
    edits.setQuantity(2, 1);
    edits.setPrice(0, sale::Money::fromCents(100));
    edits.editLine(5, 1, 0, true);
    EXPECT_EQ(changes, before);
}

// Amounts enter as cents at two edges, halves away from zero; the line
// subtotal is rounded once, at the end.
TEST(Money, EdgesAndTheLineSubtotal)
{
    using sale::Money;
    EXPECT_EQ(Money::fromDollars(1.234).cents(), 123);
    EXPECT_EQ(Money::fromDollars(1.235).cents(), 124);
    EXPECT_EQ(Money::fromDollars(-1.235).cents(), -124);
    EXPECT_EQ(Money::fromDollars(1.2349999).cents(), 123);
    EXPECT_EQ(Money::fromSingle(9.995f).cents(), 1000) << "the single as it was written";
    EXPECT_EQ(Money::fromDollars(double(9.995f)).cents(), 999) << "its binary value lies below the half cent";
    EXPECT_EQ(Money::fromSingle(0.35f).cents(), 35);
    EXPECT_FLOAT_EQ(Money::fromCents(1299).single(), 12.99f);

    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(249), 3), Money::fromCents(747));
    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(33), 0.5f), Money::fromCents(17)) << "16.5 cents";
    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(1299), 0), Money());
    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(1000), 1, 12.5), Money::fromCents(875));
    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(999), 1, 50), Money::fromCents(500)) << "499.5 cents";
    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(199), 0.37f), Money::fromCents(74)) << "73.63 cents";
    EXPECT_EQ(sale::lineSubtotal(Money::fromCents(5725), 3.3f), Money::fromCents(18893))
        << "188.925: the quantity as written, not 3.29999995";
    EXPECT_DOUBLE_EQ(sale::asWritten(3.3f), 3.3);
    EXPECT_EQ(Money::fromCents(5) + Money::fromCents(7) - Money::fromCents(2), Money::fromCents(10));
}
