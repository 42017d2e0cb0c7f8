#pragma once

#include "lookup/SearchText.h"
#include "lookup/TextPool.h"

#include <QtGlobal>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace vanta::lookup {

// Folds the searched columns of items in the order they are read, keeping
// each text once as SearchText describes, then lays them out in the order
// the items are listed.
class SearchTextBuilder {
public:
    explicit SearchTextBuilder(size_t expected);

    // Adds the next item's own and shared columns as stored (UTF-8), the
    // name first among its own. Returns which own columns were kept in its
    // text (bit i for own[i]): the name always; any other unless it is
    // empty or, folded, equals an earlier one kept.
    quint32 add(std::span<const std::string_view> own, std::span<const std::string_view> shared);
    size_t size() const { return mGroupOf.size(); }
    // The folded name of the item added `item`-th.
    std::string_view name(size_t item) const;
    // The text with item k being the item added order[k]-th; the builder
    // is left empty.
    SearchText build(const std::vector<int> &order);

private:
    std::string_view ownText(size_t item) const;
    // The item's shared columns not held by any other of its columns, as
    // one text: folded, each once, in byte order, each followed by the
    // separator. `own` is the item's own text so far.
    const std::string &sharedKey(std::string_view own, std::span<const std::string_view> shared);

    std::string mOwn; // the items' own texts, as added
    std::vector<quint32> mStart{0};
    std::vector<quint32> mGroupOf;
    TextPool mGroups;
    // Scratch of the item being added: where its own columns lie in mOwn,
    // its shared columns folded.
    std::vector<std::pair<size_t, size_t>> mColumns;
    std::vector<std::string> mFolded;
    std::vector<std::string_view> mKept;
    std::string mKey;
};

} // namespace vanta::lookup
