#include "lookup/SearchText.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <stdexcept>

namespace vanta::lookup {

std::string_view SearchText::own(int item) const
{
    const size_t from = mOwn.start[size_t(item)];
    return std::string_view(mOwn.text).substr(from, mOwn.start[size_t(item) + 1] - from);
}

void SearchText::Texts::append(std::string_view unit, std::string_view more)
{
    if (text.size() + unit.size() + more.size() > std::numeric_limits<quint32>::max())
        throw std::length_error("the item catalogue's text is over 4 GB");
    for (const std::string_view part : {unit, more}) {
        text.append(part);
        for (const char c : part)
            ++byteCounts[static_cast<unsigned char>(c)];
    }
    start.push_back(quint32(text.size()));
}

size_t SearchText::Texts::bytes() const { return text.capacity() + start.capacity() * sizeof(quint32); }

size_t SearchText::bytes() const
{
    return mOwn.bytes() + mGroups.bytes() + mGroupOf.capacity() * sizeof(quint32);
}

template <typename Hit>
void SearchText::Texts::scan(std::string_view needle, Hit hit) const
{
    const char *base = text.data();
    const size_t length = text.size();
    // The needle's rarest byte in the text is looked for with memchr, far
    // quicker than a general search, and each place it occurs is checked
    // for the whole needle; a needle made only of common bytes is searched
    // for whole.
    size_t rareAt = 0;
    for (size_t i = 1; i < needle.size(); ++i)
        if (byteCounts[static_cast<unsigned char>(needle[i])] < byteCounts[static_cast<unsigned char>(needle[rareAt])])
            rareAt = i;
    const bool byRareByte =
        !needle.empty() && size_t(byteCounts[static_cast<unsigned char>(needle[rareAt])]) * 16 <= length;
    const auto next = [&](size_t from) -> const char * {
        if (needle.empty())
            return base + from;
        if (!byRareByte)
            return static_cast<const char *>(memmem(base + from, length - from, needle.data(), needle.size()));
        for (size_t at = from + rareAt; at < length;) {
            const char *c = static_cast<const char *>(memchr(base + at, needle[rareAt], length - at));
            if (!c)
                return nullptr;
            const size_t begin = size_t(c - base) - rareAt;
            if (begin + needle.size() <= length && std::memcmp(base + begin, needle.data(), needle.size()) == 0)
                return base + begin;
            at = size_t(c - base) + 1;
        }
        return nullptr;
    };
    // Each hit lies in the first unit not yet passed or a later one: the
    // next unit when hits are close together, else found by halves.
    const int units = int(start.size()) - 1;
    int unit = 0;
    while (unit < units) {
        const char *found = next(start[size_t(unit)]);
        if (!found)
            break;
        const size_t at = size_t(found - base);
        if (at >= start[size_t(unit) + 1])
            unit = int(std::upper_bound(start.begin() + unit + 1, start.end(), at) - start.begin()) - 1;
        if (unit >= units)
            break;
        hit(unit);
        ++unit;
    }
}

std::vector<int> SearchText::find(std::string_view needle) const
{
    std::vector<int> found;
    std::vector<bool> groupHit;
    mGroups.scan(needle, [&](int group) {
        if (groupHit.empty())
            groupHit.resize(size_t(groups()));
        groupHit[size_t(group)] = true;
    });
    // Items hit in their own text, in order, with the items of the groups
    // hit between them.
    int decided = 0; // items before it are done
    const auto groupHitsUpTo = [&](int end) {
        if (!groupHit.empty())
            for (; decided < end; ++decided) {
                const quint32 group = mGroupOf[size_t(decided)];
                if (group != kNoGroup && groupHit[group])
                    found.push_back(decided);
            }
    };
    mOwn.scan(needle, [&](int item) {
        groupHitsUpTo(item);
        found.push_back(item);
        decided = item + 1;
    });
    groupHitsUpTo(size());
    return found;
}

} // namespace vanta::lookup
