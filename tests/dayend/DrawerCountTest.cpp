// The drawer counted by note and coin, or as one amount.
#include "dayend/DrawerCount.h"
#include "dayend/frmDrawerCount.h"
#include "support/ScriptedPrompt.h"

#include <QLabel>
#include <gtest/gtest.h>

using namespace vanta::dayend;

TEST(DrawerCount, CountsAndTheWholeAmountAtTheirEdges)
{
    ASSERT_EQ(denominations().size(), 11u);
    struct Case {
        QStringList counts;
        const char *whole;
        std::optional<qint64> cents;
        const char *problem;
    };
    const Case cases[] = {
        {{}, "", 0, ""},
        {{"1", "1", "1", "1", "1", "1", "1", "1", "1", "1", "1"}, "", 18741, ""},
        {{"", "", " 3 ", "", "", "", "", "4"}, "", 6100, ""},
        {{"10000"}, "", 100'000'000, ""},
        {{"10000", "", "", "", "", "", "", "", "", "", "1"}, "", std::nullopt, "The drawer cannot hold over $1,000,000.00."},
        {{"10001"}, "", std::nullopt, "The drawer cannot hold over $1,000,000.00."},
        {{"", "", "", "", "", "", "", "x"}, "", std::nullopt, "\"x\" is not a number of quarters. Type how many there are, such as 12."},
        {{"-1"}, "", std::nullopt, "\"-1\" is not a number of $100 bills. Type how many there are, such as 12."},
        {{"1.5"}, "", std::nullopt, "\"1.5\" is not a number of $100 bills. Type how many there are, such as 12."},
        {{"x"}, "212.40", 21240, ""}, // the whole amount, when typed, is what counts
        {{}, "-1", std::nullopt, "The amount cannot be below 0."},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.counts.join(',').toStdString() + " / " + c.whole);
        QString problem;
        EXPECT_EQ((DrawerCount{c.counts, c.whole}.cents(&problem)), c.cents);
        EXPECT_EQ(problem, QString::fromUtf8(c.problem));
    }
}

TEST(DrawerCount, TheDialogShowsTheTotalAndKeepsABadCount)
{
    vanta::test::ScriptedPrompt prompt;
    frmDrawerCount dlg(prompt);
    dlg.setCount(2, "5");
    dlg.setCount(7, "3");
    EXPECT_EQ(dlg.findChild<QLabel *>("lblTotal")->text(), "$100.75");
    dlg.setCount(8, "two");
    EXPECT_EQ(dlg.findChild<QLabel *>("lblTotal")->text(), "?");
    dlg.cmdOK_Click();
    EXPECT_EQ(dlg.result(), QDialog::Rejected);
    EXPECT_EQ(prompt.last().text, "\"two\" is not a number of dimes. Type how many there are, such as 12.");
    EXPECT_EQ(prompt.last().title, "Count the Drawer");
    dlg.setCount(8, "2");
    dlg.cmdOK_Click();
    EXPECT_EQ(dlg.result(), QDialog::Accepted);
    EXPECT_EQ(dlg.countedCents(), 10095);
}
