// The sale's code on its receipt: how it is written, read back and drawn
// as a Code 128 barcode; a return's receipt.
#include "db/UniqueId.h"
#include "posting/Code128.h"
#include "posting/ReceiptCode.h"
#include "posting/ReceiptContent.h"

#include <QImage>
#include <algorithm>
#include <gtest/gtest.h>
#include <limits>

using namespace vanta;
using namespace vanta::posting;

TEST(ReceiptCode, ReadsBackOnlyWhatAReceiptOrACashierGives)
{
    EXPECT_EQ(receiptCode(778), "SALE#778");
    EXPECT_EQ(saleOfReceiptCode("SALE#778"), 778);
    EXPECT_EQ(saleOfReceiptCode("sale#778"), 778);
    EXPECT_EQ(saleOfReceiptCode(" SALE#778 "), 778);
    EXPECT_EQ(saleOfReceiptCode("778"), std::nullopt) << "a scanned number is an item code";
    EXPECT_EQ(saleOfReceiptCode("778", true), 778) << "typed where a sale number is asked for";
    for (const char *bad : {"SALE#", "SALE#0", "SALE#-5", "SALE#+5", "SALE#7 8", "SALE#78x", "SALE#99999999999"})
        EXPECT_EQ(saleOfReceiptCode(bad, true), std::nullopt) << bad;
}

// Worked by hand from the symbology's table: the check character is the
// start value plus each value times its place, modulo 103.
TEST(Code128, CodesTheHeadInSetBAndALongDigitTailInSetC)
{
    const auto parts = [](const char *text) {
        const Code128Parts p = code128Parts(text);
        return (p.setB + "|" + p.setC).toStdString();
    };
    EXPECT_EQ(parts("SALE#12"), "SALE#12|") << "fewer than 4 digits stay in set B";
    EXPECT_EQ(parts("SALE#1234"), "SALE#|1234");
    EXPECT_EQ(parts("SALE#12345"), "SALE#1|2345") << "an odd digit first, in set B";
    EXPECT_EQ(parts("1234"), "|1234");
    EXPECT_EQ(parts("AB\tC"), "ABC|") << "what set B cannot code is left out";

    const auto tail = [](const char *text) {
        const std::vector<int> w = code128Widths(text);
        return std::vector<int>(w.end() - 13, w.end()); // the check character and the stop
    };
    // 104 + 1x51 + 2x33 + 3x44 + 4x37 + 5x3 + 6x17 + 7x18 = 744; 744 % 103 = 23.
    EXPECT_EQ(tail("SALE#12"), (std::vector<int>{3, 1, 2, 1, 3, 1, 2, 3, 3, 1, 1, 1, 2}));
    // 104 + 51 + 66 + 132 + 148 + 15 + 6x99 (to set C) + 7x12 + 8x34 = 1466; 1466 % 103 = 24.
    EXPECT_EQ(tail("SALE#1234"), (std::vector<int>{3, 1, 1, 2, 2, 2, 2, 3, 3, 1, 1, 1, 2}));
    const std::vector<int> w = code128Widths("SALE#1234");
    EXPECT_EQ(w.size(), size_t(6 * 9 + 6 + 7)) << "start, 5 in set B, the switch, 2 pairs, check; stop";
    EXPECT_EQ(std::vector<int>(w.begin(), w.begin() + 6), (std::vector<int>{2, 1, 1, 2, 1, 4})) << "start B";

    const QImage image = code128Image("SALE#1234", 2, 30);
    int modules = 20;
    for (int m : w)
        modules += m;
    EXPECT_EQ(image.width(), modules * 2);
    EXPECT_EQ(image.pixelColor(0, 10), Qt::white) << "quiet zone";
    EXPECT_EQ(image.pixelColor(20, 10), Qt::black) << "the start's first bar";
}

// A receipt of a return: its lines marked, the refund paid back named, no
// change; every receipt carries its sale's code.
TEST(ReceiptContentOfAReturn, MarksReturnedLinesAndTheRefund)
{
    SaleRecord sale;
    sale.saleId = 801;
    sale.payType = "Cash";
    sale.total = -9.70f;
    sale.tax = -0.70f;
    sale.tendered = -9.70f;
    sale.lines = {SoldLine{1, 100, 0, "Hammer", -1, 10.0f, true}, SoldLine{2, 200, 0, "Cap", 1, 1.0f, false}};
    const ReceiptContent r = buildReceiptContent(sale, "Dana", QString(), false);
    EXPECT_EQ(r.lines[0].description, "Return: Hammer");
    EXPECT_EQ(r.lines[0].amount, "-$10.00");
    EXPECT_EQ(r.lines[1].description, "Cap");
    ASSERT_EQ(r.payment.size(), 1);
    EXPECT_EQ(r.payment[0].label, "Refund (Cash)");
    EXPECT_EQ(r.payment[0].value, "$9.70");
    EXPECT_EQ(r.barcode, "SALE#801");
}

// Numbers from the offline range are only given to sales rung up while the
// server was away: their receipts say so, the ones below do not.
TEST(ReceiptContentOfAnOfflineSale, IsMarkedFromTheFirstOfflineNumberOn)
{
    const auto marked = [](qint32 saleId) {
        SaleRecord sale;
        sale.saleId = saleId;
        const ReceiptContent r = buildReceiptContent(sale, "Dana", QString(), false);
        return std::any_of(r.details.begin(), r.details.end(),
                           [](const ReceiptContent::Row &row) { return row.value == ReceiptOfflineMark; });
    };
    EXPECT_FALSE(marked(db::kOfflineSaleNumbersFrom - 1));
    EXPECT_TRUE(marked(db::kOfflineSaleNumbersFrom));
    EXPECT_TRUE(marked(db::kOfflineSaleNumbersFrom + 1));
    EXPECT_TRUE(marked(std::numeric_limits<qint32>::max()));
}
