#include "posting/SalePosting.h"

#include "db/DbError.h"
#include "db/Store.h"
#include "db/UniqueId.h"
#include "diagnostics/Trace.h"
#include "diagnostics/VantaError.h"
#include "platform/Currency.h"
#include "platform/Prompt.h"
#include "posting/LockTurns.h"
#include "posting/PostingSteps.h"
#include "posting/ReceiptPrinting.h"
#include "posting/SaleDocuments.h"
#include "sale/Sale.h"
#include "tax/TaxRecording.h"
#include "tax/TaxSettings.h"

namespace vanta::posting {

namespace {

const char *const kModule = "modPOS";
// Tries of one posting that meets another register's changes.
constexpr int kPostingAttempts = 5;

void notCompleted(platform::Prompt &prompt)
{
    prompt.message(QStringLiteral("You transaction was not completed successfully."), platform::Buttons::Ok,
                   platform::Icon::None, QString());
}

// A busy timeout of the posting's own on the workspace's connection, put
// back afterwards: the connection returns to the store's pool.
class BusyTimeout {
public:
    BusyTimeout(db::Connection &conn, int ms) : mConn(conn)
    {
        if (ms == mConn.busyTimeout())
            return;
        mPrevious = mConn.busyTimeout();
        mConn.setBusyTimeout(ms);
    }
    ~BusyTimeout()
    {
        if (mPrevious >= 0)
            mConn.setBusyTimeout(mPrevious);
    }
    BusyTimeout(const BusyTimeout &) = delete;
    BusyTimeout &operator=(const BusyTimeout &) = delete;

private:
    db::Connection &mConn;
    int mPrevious = -1; // none set
};

// An amount as the money columns hold it.
float amount(qint64 cents) { return float(double(cents) / 100.0); }

// Runs the steps in one transaction; true when it was committed. A failed
// step or an error leaves the transaction to roll back.
bool postInTransaction(db::Store &store, const sale::clsSaleItems &items, const PostingRequest &request,
                       const tax::TaxByLine &taxByLine, platform::Prompt &prompt, const PostingOptions &options,
                       int lockWaitMs)
{
    // An invoice is paid later; one that arrives with an amount paid would
    // be stored as settled while the customer's balance never sees it.
    if (request.kind == InvoiceSale && (request.amounts.tendered != 0 || request.amounts.change != 0))
        throw VantaError(5,
                         QStringLiteral("An invoice sale cannot be stored with an amount paid (%1 tendered).")
                             .arg(formatCurrencyCents(request.amounts.tendered)),
                         QStringLiteral("Vanta posting"));
    // Nothing is written into a file known to be damaged: the sale stays on
    // the register until the store is restored.
    store.requireUndamaged();
    db::Workspace ws(store);
    const IdSource newId = options.newId ? options.newId : IdSource(db::NewIdCandidate);
    db::Connection &conn = ws.database().connection();
    BusyTimeout wait(conn, lockWaitMs);
    const QDateTime soldAt = options.soldAt.value_or(QDateTime::currentDateTime());
    PostingContext ctx{store, ws.database(), items, request, prompt, newId, soldAt, taxByLine};
    ctx.total = amount(request.amounts.total);
    ctx.tax = amount(request.amounts.tax);
    ctx.tendered = amount(request.amounts.tendered);
    ctx.change = amount(request.amounts.change);
    ctx.shipping = amount(request.amounts.shipping);

    db::Transaction tx(conn);
    const bool failed = WriteSaleRow(ctx) || DecrementStock(ctx) || WriteSoldLines(ctx) || RecordSaleTax(ctx)
                        || RecordWhatLinesPaid(ctx) || RecordReturns(ctx) || RecordApproval(ctx) || RecordShiftSale(ctx)
                        || (request.kind == InvoiceSale && RaiseCustomerBalance(ctx));
    if (failed)
        return false;
    if (options.alsoInTransaction)
        options.alsoInTransaction(ws.database());
    tx.commit();
    return true;
}

// The posted sale's documents: the receipt of an ordinary sale, the invoice
// reports of any other kind; nothing without a printer.
void PrintSaleDocuments(const Checkout &checkout, const PostingRequest &request)
{
    diag::run(kModule, "PrintSaleDocuments", [&] {
        SaleDocuments *docs = checkout.documents;
        if (!docs || docs->printerCount() < 1)
            return;
        if (request.kind == OrdinarySale) {
            // The sale stays stored whatever the printer does.
            PrintReceiptOfferingRetry(*docs, checkout.store, checkout.prompt, request.saleId, request.employeeId,
                                      {false, checkout.openDrawer}, receiptNotPrintedAfterPosting(request.saleId));
            return;
        }
        if (checkout.prompt.message(QStringLiteral("Do you want to print a packing list report now?"),
                                   platform::Buttons::YesNo, platform::Icon::Question, QStringLiteral("Vanta POS"))
            == platform::Answer::Yes)
            docs->printReport(checkout.store, QStringLiteral("packingslip.rpt"), request.saleId);
        docs->printReport(checkout.store, QStringLiteral("singlesale.rpt"), request.saleId);
    });
}

} // namespace

bool RecordSaleTax(PostingContext &ctx)
{
    return tax::WriteTaxHolderRows(ctx.ws, ctx.request.saleId, ctx.request.taxByAgency, ctx.prompt)
           || tax::WriteTaxPlaceRows(ctx.ws, ctx.request.saleId, ctx.taxByLine.places, ctx.prompt);
}

bool PostSale(db::Store &store, const sale::clsSaleItems &items, const PostingRequest &request,
              platform::Prompt &prompt, const PostingOptions &options)
{
    return diag::run(kModule, "PostSale", false, [&] {
        bool posted = false;
        // Worked out before the transaction, so that it holds the store no longer.
        sale::SaleTax charged;
        charged.agencies = request.taxByAgency;
        const tax::TaxByLine taxByLine =
            tax::SplitTaxByLine(store, items, request.customerId ? std::optional(request.customerId) : std::nullopt,
                                double(request.amounts.shipping) / 100.0, charged);
        db::Connection &watch = store.database().connection();
        LockTurns turns(watch, options.busyTimeoutMs.value_or(watch.busyTimeout()), LockTurns::kTotalMs);
        for (int attempt = 1;; ++attempt) {
            try {
                posted = postInTransaction(store, items, request, taxByLine, prompt, options, turns.tryTimeoutMs());
                break;
            } catch (const db::DbError &e) {
                // Another register changed the same rows at the same moment
                // (a shared store): the whole posting is tried again.
                if (e.number() == db::ErrConflict && attempt < kPostingAttempts)
                    continue;
                // Another register is writing: its turn, then ours.
                if (e.number() == db::ErrBusy && turns.again())
                    continue;
                notCompleted(prompt);
                throw;
            } catch (...) {
                // Rolled back already; the error itself goes on to the trap.
                notCompleted(prompt);
                throw;
            }
        }
        if (!posted)
            notCompleted(prompt);
        return posted;
    });
}

bool ProcessTransaction(const Checkout &checkout, const PostingRequest &request, const PostingOptions &options)
{
    return diag::run(kModule, "ProcessTransaction", false, [&] {
        // The lines are cleared only once the sale is stored: a failed
        // posting leaves the sale on the register as it was.
        if (!PostSale(checkout.store, checkout.sale.lines(), request, checkout.prompt, options))
            return false;
        checkout.sale.clearLines(); // its observers (the journal) learn it before anything prints
        PrintSaleDocuments(checkout, request);
        return true;
    });
}

} // namespace vanta::posting
