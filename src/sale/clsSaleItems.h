#pragma once

#include "sale/clsSaleItem.h"

#include <memory>
#include <vector>

namespace vanta::sale {

// The lines of one sale in the order they were added, each selling a good
// of its own: adding a good that is already on the sale finds its line.
class clsSaleItems {
public:
    using Line = std::shared_ptr<clsSaleItem>;
    using const_iterator = std::vector<Line>::const_iterator;

    void Clear();
    qint16 Count() const;

    // The line at a 1-based position; a position outside 1..Count throws
    // VantaError 9 "Subscript out of range".
    Line Item(int position) const;
    // The line selling the good; none when the sale has no such line.
    Line Find(const Good &good) const;
    // The 1-based position of the line, or 0.
    int PositionOf(const clsSaleItem *line) const;

    const_iterator begin() const { return mLines.begin(); }
    const_iterator end() const { return mLines.end(); }

    // Appends the line; a line for a good already on the sale throws
    // VantaError 457 (look for it with Find first).
    void AddSaleItem(Line line);
    // Removes the line selling the good; none throws VantaError 5.
    void RemoveSaleItem(const Good &good);

private:
    std::vector<Line> mLines;
};

} // namespace vanta::sale
