#pragma once

#include <QtGlobal>
#include <array>
#include <compare>

namespace vanta::sale {

// What a sale line sells. Items and variants are numbered in tables of
// their own, so item 5001 and variant 5001 are different goods: a line
// names the table as well as the number. An item may carry up to three
// option values chosen in the finder (0 = none); a variant's option values
// are those of its own row. A line that gives back a sold line names the
// sold line too: it is never the same line as a sale of the same good.
struct Good {
    enum class Kind : quint8 { Item = 0, Variant = 1 };

    Kind kind = Kind::Item;
    qint32 id = 0;
    std::array<qint32, 3> options{};
    qint32 returnOf = 0; // the `Sold ID` this line gives back; 0: sold now
    static constexpr qint32 kNoReceipt = -1; // given back without a receipt: no sold line

    static Good item(qint32 itemIndex, std::array<qint32, 3> optionValues = {})
    {
        return {Kind::Item, itemIndex, optionValues};
    }
    static Good variant(qint32 subItemId) { return {Kind::Variant, subItemId, {}}; }

    bool isVariant() const { return kind == Kind::Variant; }
    bool hasOptions() const { return options[0] != 0 || options[1] != 0 || options[2] != 0; }
    bool isReturn() const { return returnOf != 0; }
    bool returnWithoutReceipt() const { return returnOf == kNoReceipt; }

    auto operator<=>(const Good &) const = default;
};

} // namespace vanta::sale
