#include "diagnostics/Trace.h"
#include "diagnostics/VantaError.h"
#include "support/Raised.h"
#include "tax/TaxNumbers.h"

#include <gtest/gtest.h>

using namespace vanta;
using namespace vanta::tax;

TEST(TaxNumbers, CustomRoundRoundsUpFromTheChosenDigit)
{
    diag::Trace::instance().reset();
    struct Case {
        double value;
        qint16 digit;
        double expected;
    };
    const Case cases[] = {
        {1.234, 4, 1.23}, {1.235, 4, 1.24}, {0.014, 4, 0.01}, {0.015, 4, 0.02},
        {1.231, 0, 1.24}, {1.239, 9, 1.23}, {5.0, 4, 5.0},    {3.5, 4, 3.5},
        {-1.236, 4, -1.24}, // rounds down towards negative infinity, not towards 0
        // Exactly at the step, as written in decimal (their binary values
        // lie a hair below it).
        {0.285, 4, 0.29}, {1.005, 4, 1.01}, {0.029, 0, 0.03}, {2.675, 4, 2.68},
    };
    for (const Case &c : cases)
        EXPECT_DOUBLE_EQ(CustomRound(c.value, c.digit), c.expected) << c.value << " digit " << c.digit;

    EXPECT_DOUBLE_EQ(CustomRound(1.0, -32758), 33.76) << "k = 32767 still fits";
    for (qint16 digit : {qint16(32767), qint16(-32759)}) {
        const test::Raised r = test::raised([&] { CustomRound(1.0, digit); });
        EXPECT_EQ(r.number, 6) << "digit " << digit << " must overflow";
        EXPECT_EQ(r.text, QStringLiteral("Overflow"));
    }
}
