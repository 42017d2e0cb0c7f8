#pragma once

#include "posting/PostingRequest.h"

#include <QDateTime>
#include <functional>
#include <optional>

namespace vanta::db {
class Database;
class Store;
}
namespace vanta::platform {
class Prompt;
}
namespace vanta::sale {
class clsSaleItems;
class Sale;
}

namespace vanta::posting {

class SaleDocuments;

// Where sold-line numbers come from: a new candidate per call.
using IdSource = std::function<qint32()>;

struct PostingOptions {
    // Candidates for `Sold ID`; random positive numbers when empty.
    IdSource newId;
    // How long the posting waits for another program's lock on the store
    // while the store does not change before it gives up; the connection's
    // own timeout when unset. While the other writer makes progress the
    // posting keeps taking turns with it, up to about 15 s in all.
    std::optional<int> busyTimeoutMs;
    // When the sale was made (one rung up while the server was away and
    // posted later); now when unset.
    std::optional<QDateTime> soldAt;
    // More writes of the caller's, made in the posting's transaction after
    // its own, so that they are stored with the sale or not at all.
    std::function<void(const db::Database &ws)> alsoInTransaction;
};

// Writes the sale in one transaction on a workspace of its own: the `Sales`
// row, the stock decrements, the `Sold Items` rows, the tax records and, for
// an invoice sale, the customer's new balance. True when the sale was
// committed. A lock held by another writer is waited out as PostingOptions
// says. When a step fails (a customer, variant or parent item is
// missing, or tax recording failed) or the store raises an error (a lock
// held by another program past that wait included), nothing is stored and "You transaction
// was not completed successfully." is shown; an engine error then goes on to
// the caller's error handling. An invoice sale with an amount tendered is a
// fault of the caller: it is refused (VantaError) before anything is written.
bool PostSale(db::Store &store, const sale::clsSaleItems &items, const PostingRequest &request,
              platform::Prompt &prompt, const PostingOptions &options = {});

// What posting the register's current sale works with.
struct Checkout {
    db::Store &store;
    sale::Sale &sale;         // the register's sale: its lines are cleared once it is stored
    platform::Prompt &prompt;
    SaleDocuments *documents; // receipts and reports; none means no printer
    bool openDrawer = false;  // a cash sale: the receipt opens the cash drawer
};

// Posts the register's current sale (module "modPOS"). Only after the commit
// are the sale lines cleared and the documents printed: the receipt of an
// ordinary sale (a printer problem is shown with the reprint offered; the
// sale stays posted), or for an invoice sale "packingslip.rpt" when the cashier
// wants it and then "singlesale.rpt"; with no printer nothing is printed or
// asked. On failure the sale stays on the register unchanged and the answer
// is false; the register starts a new sale only on true.
bool ProcessTransaction(const Checkout &checkout, const PostingRequest &request,
                        const PostingOptions &options = {});

} // namespace vanta::posting
