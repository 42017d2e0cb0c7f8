#include "lookup/CaseFold.h"
#include "lookup/SearchTextBuilder.h"

#include <gtest/gtest.h>
#include <numeric>
#include <set>

using namespace vanta::lookup;

namespace {

// An item's searched columns as the catalogue hands them over: its own
// (name, short description, barcode) and those shared from item to item.
struct Columns {
    std::vector<std::string> own, shared;
};

const std::string kSep(1, SearchText::kSeparator);

// Items whose columns are empty, repeat one another, repeat across items,
// hold one another or are not ASCII.
const std::vector<Columns> kItems = {
    {{"Claw Hammer", "Claw Hammer", ""}, {"Ridgeline", "", "Sales:Hardware"}},
    {{"Pliers", "PLIERS", "0123"}, {"", "Sales:Hardware", "ridgeline"}},
    {{"Wrench", "", ""}, {"", "", ""}},
    {{"Café", "CAFÉ crème", "crème"}, {"Straße", "STRASSE", "Straße"}},
    {{"Solo", "unique desc", "999"}, {"only mine", "mine", "Sales:Hardware"}},
    {{"Bolt", "Boltworks bolt", "bolt"}, {"BOLTWORKS", "Sales:Hardware"}},
    {{"", "", ""}, {"x"}},
    {{"Tee", "cotton", ""}, {"Straße", "strasse"}},
};

class SearchTextTest : public ::testing::Test {
protected:
    // The text of kItems, listed in `order` (as added when empty); the
    // own columns each item kept go to `kept`.
    SearchText build(std::vector<int> order = {})
    {
        SearchTextBuilder builder(kItems.size());
        kept.clear();
        for (const Columns &c : kItems) {
            const std::vector<std::string_view> own(c.own.begin(), c.own.end());
            const std::vector<std::string_view> shared(c.shared.begin(), c.shared.end());
            kept.push_back(builder.add(own, shared));
        }
        if (order.empty()) {
            order.resize(kItems.size());
            std::iota(order.begin(), order.end(), 0);
        }
        listed = order;
        return builder.build(order);
    }
    // Positions, ascending, of the listed items a plain scan of every
    // column finds the needle in.
    std::vector<int> plainScan(const std::string &needle) const
    {
        std::vector<int> found;
        for (size_t pos = 0; pos < listed.size(); ++pos) {
            const Columns &c = kItems[size_t(listed[pos])];
            bool holds = false;
            for (const auto *part : {&c.own, &c.shared})
                for (const std::string &column : *part)
                    holds = holds || fold(column).find(needle) != std::string::npos;
            if (holds)
                found.push_back(int(pos));
        }
        return found;
    }
    static std::string fold(std::string_view text)
    {
        std::string out;
        appendFolded(out, text);
        return out;
    }
    // Every piece of every column up to four bytes long, folded, with
    // pieces that run from one column into the next and needles nothing
    // holds.
    static std::set<std::string> needles()
    {
        std::set<std::string> all{"", "zzz", "hammerridgeline", "crèmestraße", "999only", "ridgelinesales",
                                  "minesales"};
        for (const Columns &c : kItems)
            for (const auto *part : {&c.own, &c.shared})
                for (const std::string &column : *part) {
                    const std::string f = fold(column);
                    for (size_t from = 0; from < f.size(); ++from)
                        for (size_t n = 1; n <= 4 && from + n <= f.size(); ++n)
                            all.insert(f.substr(from, n));
                }
        return all;
    }

    std::vector<quint32> kept;
    std::vector<int> listed;
};

} // namespace

TEST_F(SearchTextTest, FindsWhatAPlainScanOfEveryColumnFinds)
{
    for (const std::vector<int> &order : {std::vector<int>{}, std::vector<int>{7, 3, 5, 0, 6, 1, 4, 2}}) {
        const SearchText text = build(order);
        for (const std::string &needle : needles()) {
            EXPECT_EQ(text.find(needle), plainScan(needle)) << needle;
        }
    }
}

TEST_F(SearchTextTest, KeepsEachTextOfAnItemOnce)
{
    const SearchText text = build();
    // The name always, first; a short description or barcode equal to an
    // earlier column (in any case) or empty, never.
    EXPECT_EQ(kept, (std::vector<quint32>{0b001, 0b101, 0b001, 0b111, 0b111, 0b011, 0b001, 0b011}));
    EXPECT_EQ(text.own(0), "claw hammer" + kSep);
    EXPECT_EQ(text.own(2), "wrench" + kSep);
    EXPECT_EQ(text.own(3), "café" + kSep + "café crème" + kSep + "crème" + kSep);
    // A group only one item has lies in its own text, without the columns
    // its other columns hold ("mine" in "only mine", the brand in the
    // short description).
    EXPECT_EQ(text.own(4),
              "solo" + kSep + "unique desc" + kSep + "999" + kSep + "only mine" + kSep + "sales:hardware" + kSep);
    EXPECT_EQ(text.own(5), "bolt" + kSep + "boltworks bolt" + kSep + "sales:hardware" + kSep);
    EXPECT_EQ(text.own(6), kSep + "x" + kSep) << "an empty name still leads the item";
    // Two groups: items 0 and 1 (columns in another order, one empty), and
    // items 3 and 7 ("straße" twice in one; "strasse" is another text).
    EXPECT_EQ(text.groups(), 2);
}

TEST_F(SearchTextTest, ListedOrderDecidesPositions)
{
    const SearchText text = build({2, 0, 1, 3, 4, 5, 6, 7});
    EXPECT_EQ(text.own(0), "wrench" + kSep);
    EXPECT_EQ(text.find("ridgeline"), (std::vector<int>{1, 2}));
    EXPECT_EQ(text.find("sales:hardware"), (std::vector<int>{1, 2, 4, 5}));
    EXPECT_EQ(text.find(""), (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
}

TEST(TextPool, NumbersEachDistinctTextOnceWhileItGrows)
{
    TextPool pool;
    for (int round = 0; round < 2; ++round)
        for (int i = 0; i < 1000; ++i)
            ASSERT_EQ(pool.add(std::to_string(i * 7919)), quint32(i));
    EXPECT_EQ(pool.add(""), 1000u);
    EXPECT_EQ(pool.add(""), 1000u);
    EXPECT_EQ(pool.size(), 1001u);
    EXPECT_EQ(pool.at(0), "0");
    EXPECT_EQ(pool.at(999), std::to_string(999 * 7919));
    EXPECT_EQ(pool.at(1000), "");
    EXPECT_EQ(pool.uses(500), 2u);
    EXPECT_EQ(pool.uses(1000), 2u);
}
