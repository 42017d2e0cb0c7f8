#pragma once

#include "posting/PostingRequest.h"

namespace vanta::db {
class Store;
}

namespace vanta {

// Sale numbers are drawn at random, so two registers on one store can draw
// the same one. The first to post keeps it; the other's posting fails on the
// number and would fail again at every try. After a failed posting: true when
// the store now holds a sale under the request's number that is not this
// sale (another customer, seller, total or number of lines). A sale that was
// stored although the posting reported a failure (a server lost during the
// commit) is this sale, and keeps its number: posting it again under a new
// one would store it twice.
bool saleNumberTakenByAnother(db::Store &store, const posting::PostingRequest &request, int lineCount);

} // namespace vanta
