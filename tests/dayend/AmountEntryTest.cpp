// Amounts typed at the drawer: a float, a count, cash paid in or out.
#include "dayend/AmountEntry.h"

#include <gtest/gtest.h>

using namespace vanta::dayend;

TEST(DrawerAmount, EveryRuleAtItsEdges)
{
    struct Case {
        const char *typed;
        bool zeroAllowed;
        std::optional<qint64> cents;
        const char *problem;
    };
    const Case cases[] = {
        {"25", false, 2500, ""},
        {" $1,250.50 ", false, 125050, ""},
        {"0.01", false, 1, ""},
        {"0", true, 0, ""},
        {"0.00", false, std::nullopt, "The amount must be more than 0."},
        {"1000000", false, kMostDrawerCents, ""},
        {"1,000,000.01", false, std::nullopt, "The amount cannot be over $1,000,000.00."},
        {"-0.01", true, std::nullopt, "The amount cannot be below 0."},
        {"12.345", false, std::nullopt, "An amount has at most two decimals (cents)."},
        {"12x", false, std::nullopt, "\"12x\" is not an amount of money. Type it in digits, such as 25.00."},
        {"  ", true, std::nullopt, "Type an amount, such as 25.00."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.typed);
        const AmountEntry e = readDrawerAmount(QString::fromUtf8(c.typed), c.zeroAllowed);
        EXPECT_EQ(e.cents, c.cents);
        EXPECT_EQ(e.problem, QString::fromUtf8(c.problem));
    }
}
