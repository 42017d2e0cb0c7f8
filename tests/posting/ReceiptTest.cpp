#include "posting/Receipt.h"

#include "diagnostics/VantaError.h"
#include "posting/DocumentsFixture.h"

using namespace vanta;
using namespace vanta::posting;

using Receipt = test::DocumentsTest;

TEST_F(Receipt, ShowsTheStoreTheLinesAndTheTotalsOfTheStoredSale)
{
    writeCashSale();
    const QStringList text = textLines(renderReceiptHtml(*ts.store, CashSale, "Dana K Morgan"));

    // Store header, in order.
    ASSERT_GE(text.size(), 4);
    EXPECT_EQ(text.mid(0, 4), (QStringList{"Vanta Corner Store", "120 Main Street", "Springfield, IL 62701",
                                           "Tel (217) 555-0142"}));
    EXPECT_EQ(afterEach(text, {"Sale #", "Date", "Cashier", "Customer"}),
              QStringList({"424242", "3/14/2025 2:05 PM", "Dana K Morgan", "CASH SALE"}));

    // Lines in line-item order: name (variant with its option values), then
    // quantity at unit price and the amount, "T" marking taxed lines.
    const qsizetype hammer = text.indexOf("Claw Hammer 16 oz");
    ASSERT_GE(hammer, 0);
    EXPECT_EQ(text.mid(hammer, 9),
              (QStringList{"Claw Hammer 16 oz", "2 @ $12.99", "$25.98 T", "Store Logo T-Shirt (M, Black)",
                           "1 @ $14.99", "$14.99 T", "Gift Card $25", "1 @ $25.00", "$25.00"}));

    EXPECT_EQ(afterEach(text, {"Subtotal", "Shipping", "Tax", "TOTAL", "Cash", "Change"}),
              QStringList({"$65.97", "$0.00", "$2.97", "$68.94", "$80.00", "$11.06"}));
    EXPECT_FALSE(text.contains("Discounts"));
    EXPECT_TRUE(text.contains("www.vantacorner.example"));
}

TEST_F(Receipt, HonoursTheShowFlagsEscapesTextsAndShowsLineDiscounts)
{
    writeCashSale();
    db().execute("UPDATE \"Company\" SET \"Show Address\" = 0, \"show zip code\" = 0, \"show phone\" = NULL");
    db().execute("UPDATE \"Customers\" SET \"Name\" = ? WHERE \"Cust ID\" = 1", {"Smith & <Sons>"});
    // The lines list $65.97 but the sale came to $60.00 before tax: $5.97 off.
    db().execute("UPDATE \"Sales\" SET \"total of sale\" = 62.97, \"Tax\" = 2.97 WHERE \"Sales ID\" = ?", {CashSale});

    const QString html = renderReceiptHtml(*ts.store, CashSale, "Sam T Rivera");
    EXPECT_TRUE(html.contains("Smith &amp; &lt;Sons&gt;"));
    const QStringList text = textLines(html);
    EXPECT_FALSE(text.contains("120 Main Street"));
    EXPECT_TRUE(text.contains("Springfield, IL"));
    EXPECT_TRUE(text.contains("Tel (217) 555-0142")); // a null flag counts as shown
    EXPECT_EQ(afterEach(text, {"Customer", "Discounts", "Subtotal", "TOTAL"}),
              QStringList({"Smith & <Sons>", "-$5.97", "$60.00", "$62.97"}));
}

TEST_F(Receipt, OfASaleThatIsNotStoredIsAnError)
{
    EXPECT_THROW(renderReceiptHtml(*ts.store, 99, "Dana K Morgan"), VantaError);
    writeCashSale();
    const RenderedDocument doc = receiptDocument(*ts.store, CashSale, "Dana K Morgan");
    EXPECT_EQ(doc.title, "Receipt 424242");
    EXPECT_TRUE(doc.page.fitHeight);
    EXPECT_DOUBLE_EQ(doc.page.size.size(QPageSize::Millimeter).width(), 80.0);
}
