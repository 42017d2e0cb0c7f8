#pragma once

#include <QtGlobal>
#include <functional>
#include <utility>
#include <vector>

namespace vanta::lookup {

// Catalogue positions by item index. Stores number their items mostly one
// after another, so the usual table is indexed by the item number itself
// (four bytes an item, found at once); numbers spread wider are kept as
// (index, position) pairs in index order.
class PositionIndex {
public:
    PositionIndex() = default;
    // The positions 0 .. count - 1 of the items `indexAt` gives.
    PositionIndex(int count, const std::function<qint32(int)> &indexAt);
    // The position of an item index (the first of equal ones); -1 for none.
    int positionOf(qint32 index) const;
    size_t bytes() const;

private:
    qint64 mFirst = 0;
    std::vector<qint32> mByNumber; // position of item mFirst + i, or -1
    std::vector<std::pair<qint32, int>> mPairs;
};

} // namespace vanta::lookup
