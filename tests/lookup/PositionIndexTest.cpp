#include "lookup/PositionIndex.h"

#include <gtest/gtest.h>
#include <limits>
#include <map>

using namespace vanta::lookup;

namespace {
constexpr qint32 kLowest = std::numeric_limits<qint32>::min();
constexpr qint32 kHighest = std::numeric_limits<qint32>::max();
} // namespace

// Every number finds the first position holding it; the numbers beside
// them, and the extremes, find none unless present. Close numbers are kept
// in a table by number and spread ones as pairs: both sides of that choice
// ({10, 13} and {10, 14}) answer alike.
TEST(PositionIndex, FindsTheFirstPositionOfEachNumberAndNoneBesideIt)
{
    const std::vector<std::vector<qint32>> cases = {
        {}, {5}, {1, 2, 3, 4, 5}, {3, 1, 2}, {10, 12, 14}, {10, 13}, {10, 14}, {7, 7, 3, 7},
        {-5, -4, -3}, {kLowest, 0, kHighest}, {kHighest - 1, kHighest}, {kLowest, kLowest + 1},
    };
    for (const std::vector<qint32> &numbers : cases) {
        const PositionIndex index(int(numbers.size()), [&](int pos) { return numbers[size_t(pos)]; });
        std::map<qint32, int> first;
        for (size_t pos = 0; pos < numbers.size(); ++pos)
            first.try_emplace(numbers[pos], int(pos));
        std::vector<qint32> asked = {kLowest, 0, kHighest};
        for (const qint32 n : numbers) {
            asked.push_back(n);
            if (n > kLowest)
                asked.push_back(n - 1);
            if (n < kHighest)
                asked.push_back(n + 1);
        }
        for (const qint32 n : asked) {
            const auto it = first.find(n);
            EXPECT_EQ(index.positionOf(n), it == first.end() ? -1 : it->second)
                << n << " among " << ::testing::PrintToString(numbers);
        }
    }
}
