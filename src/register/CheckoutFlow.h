#pragma once

#include "posting/PostingRequest.h"

#include <QtGlobal>
#include <optional>

class QWidget;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class DialogRunner;
class Prompt;
}
namespace vanta::posting {
class SaleDocuments;
struct Checkout;
struct PostingRequest;
}
namespace vanta::sale {
class Sale;
}
namespace vanta::offline {
class SaleQueue;
}

namespace vanta {

// Processing the register's sale: the checks before it, the posting of an
// ordinary sale or, through the invoice dialog, of an invoice sale, and a
// new number when another register stored a sale under this one's.
class CheckoutFlow {
public:
    struct Context {
        db::Store &store;
        sale::Sale &sale;
        platform::Prompt &prompt;
        platform::DialogRunner &dialogs;
        posting::SaleDocuments *documents; // none: no printer
        qint32 employeeId = 0;
        QWidget *parent = nullptr; // of the invoice dialog
        // A manager's approval, stored with the sale.
        std::optional<posting::PostingRequest::Approved> approval{};
        qint32 shiftId = 0; // the register's open shift the sale is taken in
        // While the server is away: where the sale waits for it (the store
        // is then the register's local copy); none while online.
        offline::SaleQueue *offlineQueue = nullptr;
    };

    // What keeps the sale from being processed; the cashier was told.
    enum class Refusal { None, NoLines, NoPayType, NoCustomer, TenderShort };
    // The outcome of processing: stored (an ordinary sale's receipt printed
    // as `receiptSale` tells), or kept on the register.
    struct Outcome {
        bool stored = false;
        qint32 receiptSale = 0; // the ordinary sale whose receipt was printed
    };

    explicit CheckoutFlow(Context context) : mContext(context) {}
    // What a manager approved for this sale, stored with it.
    void approve(posting::PostingRequest::Approved approval) { mContext.approval = std::move(approval); }

    Refusal refusal() const;
    Outcome process();

private:
    // What posting is asked to store for the sale as one of the kind.
    posting::PostingRequest requestOf(qint16 kind) const;
    // While the server is away: the sale kept in the queue and posted into
    // the local copy in one step, its receipt printed from there.
    Outcome processOffline(posting::Checkout &checkout);
    // After a failed posting: a new number when another register has just
    // stored a sale under this one's, told to the cashier.
    void renumberIfTaken(const posting::PostingRequest &request);

    Context mContext;
};

} // namespace vanta
