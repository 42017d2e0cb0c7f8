#include "lookup/TextPool.h"

#include <algorithm>
#include <functional>
#include <limits>
#include <stdexcept>

namespace vanta::lookup {

std::string_view TextPool::at(quint32 number) const
{
    return std::string_view(mText).substr(mStart[number], mStart[number + 1] - mStart[number]);
}

// The slot holding the text, or the free slot where it goes.
size_t TextPool::slotOf(std::string_view text) const
{
    const size_t mask = mSlots.size() - 1;
    for (size_t slot = std::hash<std::string_view>()(text) & mask;; slot = (slot + 1) & mask)
        if (mSlots[slot] == 0 || at(mSlots[slot] - 1) == text)
            return slot;
}

void TextPool::grow()
{
    mSlots.assign(std::max<size_t>(64, mSlots.size() * 2), 0);
    for (quint32 n = 0; n < quint32(size()); ++n)
        mSlots[slotOf(at(n))] = n + 1;
}

quint32 TextPool::add(std::string_view text)
{
    // At most half the slots taken keeps the probes short.
    if ((size() + 1) * 2 > mSlots.size())
        grow();
    const size_t slot = slotOf(text);
    if (mSlots[slot] != 0) {
        ++mUses[mSlots[slot] - 1];
        return mSlots[slot] - 1;
    }
    if (mText.size() + text.size() > std::numeric_limits<quint32>::max())
        throw std::length_error("the item catalogue's text is over 4 GB");
    mText.append(text);
    mStart.push_back(quint32(mText.size()));
    mUses.push_back(1);
    mSlots[slot] = quint32(size());
    return quint32(size()) - 1;
}

} // namespace vanta::lookup
