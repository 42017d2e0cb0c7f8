#include "lookup/SearchTextBuilder.h"

#include "lookup/CaseFold.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace vanta::lookup {

namespace {
constexpr char kSeparator = SearchText::kSeparator;

quint32 offset(size_t at)
{
    if (at > std::numeric_limits<quint32>::max())
        throw std::length_error("the item catalogue's text is over 4 GB");
    return quint32(at);
}
} // namespace

SearchTextBuilder::SearchTextBuilder(size_t expected)
{
    mStart.reserve(expected + 1);
    mGroupOf.reserve(expected);
}

quint32 SearchTextBuilder::add(std::span<const std::string_view> own, std::span<const std::string_view> shared)
{
    quint32 kept = 0;
    mColumns.clear();
    const auto text = [&](std::pair<size_t, size_t> at) { return std::string_view(mOwn).substr(at.first, at.second); };
    for (size_t i = 0; i < own.size(); ++i) {
        const size_t at = mOwn.size();
        appendFolded(mOwn, own[i]);
        const std::pair<size_t, size_t> added(at, mOwn.size() - at);
        const bool again = std::any_of(mColumns.begin(), mColumns.end(),
                                       [&](auto column) { return text(column) == text(added); });
        if (i > 0 && (added.second == 0 || again)) {
            mOwn.resize(at);
            continue;
        }
        mOwn.push_back(kSeparator);
        mColumns.push_back(added);
        kept |= 1u << i;
    }
    const std::string &key = sharedKey(std::string_view(mOwn).substr(mStart.back()), shared);
    mGroupOf.push_back(key.empty() ? SearchText::kNoGroup : mGroups.add(key));
    mStart.push_back(offset(mOwn.size()));
    return kept;
}

const std::string &SearchTextBuilder::sharedKey(std::string_view own, std::span<const std::string_view> shared)
{
    if (mFolded.size() < shared.size())
        mFolded.resize(shared.size());
    mKept.clear();
    for (size_t i = 0; i < shared.size(); ++i) {
        mFolded[i].clear();
        appendFolded(mFolded[i], shared[i]);
        if (!mFolded[i].empty())
            mKept.push_back(mFolded[i]);
    }
    std::sort(mKept.begin(), mKept.end());
    mKept.erase(std::unique(mKept.begin(), mKept.end()), mKept.end());
    // A text another column holds finds nothing that column does not: any
    // needle in it (a needle holds no separator) lies within that column.
    const auto held = [&](std::string_view text) {
        return own.find(text) != std::string_view::npos
               || std::any_of(mKept.begin(), mKept.end(), [&](std::string_view other) {
                      return other.size() > text.size() && other.find(text) != std::string_view::npos;
                  });
    };
    mKey.clear();
    for (const std::string_view text : mKept)
        if (!held(text)) {
            mKey.append(text);
            mKey.push_back(kSeparator);
        }
    return mKey;
}

std::string_view SearchTextBuilder::ownText(size_t item) const
{
    return std::string_view(mOwn).substr(mStart[item], mStart[item + 1] - mStart[item]);
}

std::string_view SearchTextBuilder::name(size_t item) const
{
    const std::string_view text = ownText(item);
    return text.substr(0, text.find(kSeparator));
}

SearchText SearchTextBuilder::build(const std::vector<int> &order)
{
    SearchText out;
    // A group only one item has goes into that item's own text.
    const auto alone = [&](quint32 group) { return group != SearchText::kNoGroup && mGroups.uses(group) == 1; };
    size_t ownBytes = mOwn.size();
    for (const quint32 group : mGroupOf)
        if (alone(group))
            ownBytes += mGroups.at(group).size();
    out.mOwn.text.reserve(ownBytes);
    out.mOwn.start.reserve(order.size() + 1);
    out.mGroupOf.reserve(order.size());
    std::vector<quint32> renumbered(mGroups.size(), SearchText::kNoGroup);
    for (const int item : order) {
        const quint32 group = mGroupOf[size_t(item)];
        if (group == SearchText::kNoGroup || alone(group)) {
            out.mOwn.append(ownText(size_t(item)), alone(group) ? mGroups.at(group) : std::string_view());
            out.mGroupOf.push_back(SearchText::kNoGroup);
            continue;
        }
        out.mOwn.append(ownText(size_t(item)));
        if (renumbered[group] == SearchText::kNoGroup) {
            renumbered[group] = quint32(out.mGroups.start.size() - 1);
            out.mGroups.append(mGroups.at(group));
        }
        out.mGroupOf.push_back(renumbered[group]);
    }
    out.mGroups.text.shrink_to_fit();
    out.mGroups.start.shrink_to_fit();
    *this = SearchTextBuilder(0);
    return out;
}

} // namespace vanta::lookup
