#include "diagnostics/VantaError.h"
#include "platform/Currency.h"

#include <gtest/gtest.h>
#include <limits>

using namespace vanta;

TEST(Currency, FormatsAndReadsBackAmounts)
{
    struct Case {
        double amount;
        const char *text;
        double readBack;
    };
    const Case cases[] = {{0, "$0.00", 0},           {7.5, "$7.50", 7.5},
                          {1234.5, "$1,234.50", 1234.5}, {-1, "-$1.00", -1},
                          {1234567.891, "$1,234,567.89", 1234567.89},
                          {999.995, "$1,000.00", 1000}, {-0.001, "$0.00", 0}};
    for (const Case &c : cases) {
        EXPECT_EQ(formatCurrency(c.amount), c.text) << c.amount;
        EXPECT_DOUBLE_EQ(parseCurrency(c.text), c.readBack) << c.text;
    }
    // Halves of a cent round away from zero, also where the binary value
    // lies just below the half.
    EXPECT_EQ(formatCurrency(0.125), "$0.13");
    EXPECT_EQ(formatCurrency(1.005), "$1.01");
    EXPECT_EQ(formatCurrency(-2.675), "-$2.68");
    EXPECT_EQ(formatNumber(1234.5), "1,234.50");
    EXPECT_EQ(formatNumber(-12), "-12.00");
    EXPECT_THROW(formatCurrency(std::numeric_limits<double>::infinity()), VantaError);
    EXPECT_THROW(formatCurrency(1e300), VantaError);
}

TEST(Currency, NumericTexts)
{
    EXPECT_DOUBLE_EQ(parseCurrency("($1.00)"), -1);
    EXPECT_DOUBLE_EQ(parseCurrency("$-3.25"), -3.25);
    EXPECT_DOUBLE_EQ(parseCurrency(" 2.00 "), 2);
    EXPECT_DOUBLE_EQ(parseCurrency("1e3"), 1000);
    EXPECT_DOUBLE_EQ(parseCurrency(".5"), 0.5);
    for (const char *text : {"", "$", "abc", "12abc", "1,,2", ",5", "1e", "--1", "(-1)", "1e999", "."}) {
        EXPECT_FALSE(isNumeric(text)) << text;
        EXPECT_THROW(parseCurrency(text), VantaError) << text;
    }

    EXPECT_DOUBLE_EQ(leadingNumber("3 pcs"), 3);
    EXPECT_DOUBLE_EQ(leadingNumber(" 2 .5kg"), 2.5);
    EXPECT_DOUBLE_EQ(leadingNumber("-4e2x"), -400);
    EXPECT_DOUBLE_EQ(leadingNumber("1,000"), 1);
    EXPECT_DOUBLE_EQ(leadingNumber("abc"), 0);
    EXPECT_EQ(formatPlain(3), "3");
    EXPECT_EQ(formatPlain(2.5), "2.5");
    EXPECT_EQ(formatPlain(double(10.1f)), "10.1");
}
