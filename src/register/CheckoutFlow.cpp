#include "register/CheckoutFlow.h"

#include "customers/InvoiceChecks.h"
#include "customers/frmInvoice.h"
#include "db/UniqueId.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "platform/DialogRunner.h"
#include "platform/Prompt.h"
#include "offline/SaleQueue.h"
#include "posting/SalePosting.h"
#include "register/SaleNumberClash.h"
#include "sale/Sale.h"

namespace vanta {

CheckoutFlow::Refusal CheckoutFlow::refusal() const
{
    const sale::Sale &sale = mContext.sale;
    const auto refuse = [this](const char *text, Refusal r) {
        mContext.prompt.message(QLatin1String(text), platform::Buttons::Ok, platform::Icon::Information, QString());
        return r;
    };
    if (sale.empty())
        return refuse("There are no items selected to sale.", Refusal::NoLines);
    if (sale.payType().kind == sale::PayKind::None)
        return refuse("You must select a pay type before processing a sale.", Refusal::NoPayType);
    if (!sale.customer())
        return refuse("You must select a customer before processing a sale.", Refusal::NoCustomer);
    if (!sale.tenderCovers())
        return refuse("You cannot process a sale while the amount tendered is less than the amount due.",
                      Refusal::TenderShort);
    return Refusal::None;
}

posting::PostingRequest CheckoutFlow::requestOf(qint16 kind) const
{
    posting::PostingRequest request = posting::requestFor(mContext.sale, kind, mContext.employeeId);
    request.approval = mContext.approval;
    request.shiftId = mContext.shiftId;
    return request;
}

CheckoutFlow::Outcome CheckoutFlow::process()
{
    sale::Sale &sale = mContext.sale;
    posting::Checkout checkout{mContext.store, sale, mContext.prompt, mContext.documents};
    if (mContext.offlineQueue)
        return processOffline(checkout);
    Outcome outcome;
    if (sale.payType().kind != sale::PayKind::Invoice) {
        checkout.openDrawer = sale.payType().kind == sale::PayKind::Cash;
        posting::PostingRequest request = requestOf(posting::OrdinarySale);
        outcome.stored = posting::ProcessTransaction(checkout, request);
        if (outcome.stored)
            outcome.receiptSale = request.saleId;
        else
            renumberIfTaken(request);
        return outcome;
    }
    const qint32 customer = *sale.customer();
    if (!customers::AcceptInvoiceSale(mContext.store, mContext.prompt, customer,
                                      sale::Money::fromCents(sale.totals().totalDue())))
        return outcome;
    frmInvoice dlg(
        mContext.store, customer,
        [&](const posting::InvoiceDetails &details) {
            posting::PostingRequest request = requestOf(posting::InvoiceSale);
            request.invoice = details;
            if (!posting::ProcessTransaction(checkout, request)) {
                renumberIfTaken(request);
                return false; // the sale stays on the register
            }
            outcome.stored = true;
            return true;
        },
        mContext.parent);
    mContext.dialogs.run(dlg);
    return outcome;
}

CheckoutFlow::Outcome CheckoutFlow::processOffline(posting::Checkout &checkout)
{
    sale::Sale &sale = mContext.sale;
    Outcome outcome;
    if (sale.payType().kind == sale::PayKind::Invoice) {
        mContext.prompt.message(QStringLiteral("An invoice sale needs the customer's current balance from the store "
                                               "server, which cannot be reached. Take the sale with another pay "
                                               "type, or wait until the server is back."),
                                platform::Buttons::Ok, platform::Icon::Information, applicationTitle());
        return outcome;
    }
    checkout.openDrawer = sale.payType().kind == sale::PayKind::Cash;
    const posting::PostingRequest request = requestOf(posting::OrdinarySale);
    offline::QueuedSale queued;
    queued.soldAt = QDateTime::currentDateTime();
    queued.request = request;
    for (const auto &line : sale.lines())
        queued.lines.push_back(*line);
    posting::PostingOptions options;
    options.soldAt = queued.soldAt;
    // Kept for the server inside the copy's transaction: a sale the queue
    // could not keep is not stored in the copy either, and stays on the
    // register.
    options.alsoInTransaction = [&](const db::Database &) { mContext.offlineQueue->add(queued); };
    outcome.stored = posting::ProcessTransaction(checkout, request, options);
    if (outcome.stored)
        outcome.receiptSale = request.saleId;
    return outcome;
}

void CheckoutFlow::renumberIfTaken(const posting::PostingRequest &request)
{
    diag::run("frmPOS", "renumberIfTaken", [&] {
        sale::Sale &sale = mContext.sale;
        if (!saleNumberTakenByAnother(mContext.store, request, sale.lines().Count()))
            return;
        sale.setNumber(db::NewUniqueID(mContext.store));
        mContext.prompt.message(QStringLiteral("Another register has just stored a sale under this sale's number "
                                               "(%1). This sale now has the number %2: press Process again.")
                                    .arg(request.saleId)
                                    .arg(sale.number()),
                                platform::Buttons::Ok, platform::Icon::Information, applicationTitle());
    });
}

} // namespace vanta
