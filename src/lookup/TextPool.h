#pragma once

#include <QtGlobal>
#include <string>
#include <string_view>
#include <vector>

namespace vanta::lookup {

// Distinct texts, each kept once in one buffer and numbered in the order
// first added, with how often each was added. Nothing is kept per text on
// the heap, so that a pool of a million texts stays small.
class TextPool {
public:
    // The text's number, the text added when new.
    quint32 add(std::string_view text);
    std::string_view at(quint32 number) const;
    quint32 uses(quint32 number) const { return mUses[number]; }
    size_t size() const { return mUses.size(); }

private:
    void grow();
    size_t slotOf(std::string_view text) const;

    std::string mText;
    std::vector<quint32> mStart{0}; // text n: mStart[n] .. mStart[n + 1]
    std::vector<quint32> mUses;
    std::vector<quint32> mSlots; // open addressing, a power of two long: number + 1, or 0 when free
};

} // namespace vanta::lookup
