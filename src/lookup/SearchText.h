#pragma once

#include <QtGlobal>
#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace vanta::lookup {

// The case-folded searched columns of every item, for a substring search
// over a whole store in little memory. A search asks only whether any one
// column of an item holds the needle, so each item keeps a text once: an
// empty column, or one that equals another of its columns, is not kept,
// nor is a shared column that another of its columns holds. The item's own
// columns (name first, always kept, then the others as given) lie in one
// text in item order. Its shared columns, which repeat from item to item
// (descriptions, labels, accounts, units), are kept as a group: each
// distinct group once, named by the items that have it. A group only one
// item has is kept in that item's own text instead.
class SearchText {
public:
    static constexpr char kSeparator = '\x01'; // ends each column; dropped from needles

    int size() const { return int(mGroupOf.size()); }
    // The item's own text: its kept columns, each followed by the
    // separator, the name first.
    std::string_view own(int item) const;
    // Items, ascending, any of whose columns holds the folded `needle`
    // (which holds no separator).
    std::vector<int> find(std::string_view needle) const;
    // Bytes held.
    size_t bytes() const;
    // Distinct shared groups kept.
    int groups() const { return int(mGroups.start.size()) - 1; }

private:
    friend class SearchTextBuilder;
    static constexpr quint32 kNoGroup = ~0u;
    // Units (items or groups) of text, each its columns followed by the
    // separator, one after another.
    struct Texts {
        std::string text;
        std::vector<quint32> start{0}; // unit u: start[u] .. start[u + 1]
        std::array<quint32, 256> byteCounts{}; // how often each byte occurs in the text
        // Calls hit(unit) for each unit whose text holds the needle, once,
        // in order.
        template <typename Hit>
        void scan(std::string_view needle, Hit hit) const;
        // Adds a unit of these two parts.
        void append(std::string_view unit, std::string_view more = {});
        size_t bytes() const;
    };
    Texts mOwn;                    // by item
    Texts mGroups;                 // by group
    std::vector<quint32> mGroupOf; // by item: its group, or kNoGroup
};

} // namespace vanta::lookup
