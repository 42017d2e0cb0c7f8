#include "lookup/PositionIndex.h"

#include <algorithm>

namespace vanta::lookup {

PositionIndex::PositionIndex(int count, const std::function<qint32(int)> &indexAt)
{
    if (count == 0)
        return;
    qint64 lowest = indexAt(0), highest = lowest;
    for (int pos = 1; pos < count; ++pos) {
        lowest = std::min<qint64>(lowest, indexAt(pos));
        highest = std::max<qint64>(highest, indexAt(pos));
    }
    // A table by number costs no more than the pairs while at most half of
    // its slots are empty.
    if (highest - lowest < 2 * qint64(count)) {
        mFirst = lowest;
        mByNumber.assign(size_t(highest - lowest + 1), -1);
        for (int pos = count - 1; pos >= 0; --pos)
            mByNumber[size_t(indexAt(pos) - mFirst)] = pos;
        return;
    }
    mPairs.reserve(size_t(count));
    for (int pos = 0; pos < count; ++pos)
        mPairs.emplace_back(indexAt(pos), pos);
    std::sort(mPairs.begin(), mPairs.end());
}

int PositionIndex::positionOf(qint32 index) const
{
    if (!mByNumber.empty()) {
        const qint64 slot = qint64(index) - mFirst;
        return slot >= 0 && slot < qint64(mByNumber.size()) ? mByNumber[size_t(slot)] : -1;
    }
    const auto it = std::lower_bound(mPairs.begin(), mPairs.end(), std::pair<qint32, int>(index, -1));
    return it != mPairs.end() && it->first == index ? it->second : -1;
}

size_t PositionIndex::bytes() const
{
    return mByNumber.capacity() * sizeof(qint32) + mPairs.capacity() * sizeof(std::pair<qint32, int>);
}

} // namespace vanta::lookup
