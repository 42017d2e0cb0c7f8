// The register's commands on the sale: lines, customer, shipping, payment,
// processing, cancelling and holding.
#include "register/RegisterActions.h"

#include "customers/frmCustomers.h"
#include "db/BarcodeLookup.h"
#include "db/DbError.h"
#include "db/KeptData.h"
#include "db/UniqueId.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "diagnostics/UntrappedSpan.h"
#include "lookup/frmFind.h"
#include "platform/DialogRunner.h"
#include "posting/ReceiptCode.h"
#include "posting/SaleDocuments.h"
#include "register/CheckoutFlow.h"
#include "register/RegisterSession.h"
#include "register/frmEditPrice.h"
#include "shipping/ShippingCalc.h"
#include "shipping/frmShipping.h"

#include <QCoreApplication>
#include <algorithm>

namespace vanta {

namespace {
const QString kTitle = applicationTitle();
const QString kManualAddTitle = QStringLiteral("Vanta POS Manual Add Item");
} // namespace

RegisterActions::RegisterActions(RegisterSession &session, RegisterView &view, SaleKeeper &keeper,
                                 QString dataOverride)
    : mSession(session), mView(view), mKeeper(keeper), mMessages(session.prompt, session.modals()),
      mStoreOpening(
          session, std::move(dataOverride), mMessages, [this] { mView.closeWindow(false); },
          [this](const QString &text) { mView.showStoreState(text); }),
      mScans(session.modals(), [this](const ScanQueue::Scan &scan) { applyScan(scan); })
{
    mNoLogonClose.setSingleShot(true);
    mNoLogonClose.setInterval(50);
    QObject::connect(&mNoLogonClose, &QTimer::timeout, [this] {
        diag::run("frmPOS", "Timer1_Timer", [&] { mView.closeWindow(false); });
    });
    // Held scans go on once the last box or dialog has closed and the code
    // that opened it has finished.
    QObject::connect(&session.modals(), &platform::ModalActivity::allClosed, &mNoLogonClose,
                     [this] { mScans.resume(); }, Qt::QueuedConnection);
    mCustomers.setLoadedCallback([this](std::exception_ptr error) { customersLoaded(error); });
}

RegisterActions::~RegisterActions() = default;

bool RegisterActions::allowed(security::GatedCommand command)
{
    const security::Gate gate =
        security::checkCommand(mSession.identity, mSession.storeOrNone(), mSession.prompt, command);
    if (gate == security::Gate::ShowLogon)
        showLogon();
    return gate == security::Gate::Run;
}

bool RegisterActions::refusedOffline(const QString &what)
{
    if (!mSession.sellingOffline())
        return false;
    mSession.prompt.message(QStringLiteral("%1 needs the store server, which cannot be reached. Until it is back this "
                                           "register only sells, from its own copy of the store.")
                                .arg(what),
                            platform::Buttons::Ok, platform::Icon::Information, kTitle);
    return true;
}

sale::LineEdits RegisterActions::lineEdits() { return {mSession.store(), mSession.prompt, mSession.sale}; }

// Lines change only for a customer: with none chosen the cashier is taken
// to the list.
bool RegisterActions::customerChosen()
{
    if (mSession.sale.customer())
        return true;
    mView.focus(RegisterView::Field::Customers);
    return false;
}

// ------------------------------------------------------------------ lines

// After the lines changed: the tender is entered again, and a store that
// ships nothing (any more) carries no shipping on its sales.
void RegisterActions::linesChanged()
{
    const sale::SaleShipping &shipping = mSession.sale.shipping();
    if (shipping.chargeCents != 0 && !storeShips())
        mSession.sale.setShipping({shipping.methodId, shipping.method, QStringLiteral("None"), 0});
    mSession.sale.setTendered(0);
}

void RegisterActions::addGood(const sale::Good &good)
{
    diag::run("frmPOS", "Add_Item", [&] {
        if (customerChosen() && lineEdits().add(good))
            linesChanged();
    });
}

// Adds the item or variant a scanned or typed code stands for; false when
// it stands for none.
bool RegisterActions::addByCode(const QString &code)
{
    // A receipt scanned: its goods are being brought back.
    if (const std::optional<qint32> saleId = posting::saleOfReceiptCode(code)) {
        returnFromSale(*saleId);
        return true;
    }
    db::Store &store = mSession.store();
    // Most codes are barcode labels: the item and its units in one reading.
    if (const std::optional<sale::ItemRecord> item = sale::readItemByLabel(store, code)) {
        diag::run("frmPOS", "Add_Item", [&] {
            if (customerChosen() && lineEdits().addItem(*item))
                linesChanged();
        });
        return true;
    }
    const std::optional<db::CodedGood> found = db::FindItemByNumber(store, code);
    if (!found)
        return false;
    addGood(found->variant ? sale::Good::variant(found->id) : sale::Good::item(found->id));
    return true;
}

// The good a code stands for: a barcode label, or an item or variant number.
std::optional<sale::Good> RegisterActions::goodOfCode(const QString &code)
{
    if (const std::optional<sale::ItemRecord> item = sale::readItemByLabel(mSession.store(), code))
        return sale::Good::item(item->index);
    if (const std::optional<db::CodedGood> found = db::FindItemByNumber(mSession.store(), code))
        return found->variant ? sale::Good::variant(found->id) : sale::Good::item(found->id);
    return std::nullopt;
}

// With security on, scans count only while someone is logged on.
bool RegisterActions::scanAllowed() const { return !mSession.identity.securityOn || mSession.loggedOn(); }

// Nobody logged on: nothing is added, not even after the logon; the
// register asks for the logon unless a box or dialog (the logon itself) is
// open already.
void RegisterActions::scanned(const QString &code)
{
    if (!scanAllowed()) {
        mSession.prompt.beep();
        if (!mSession.modals().anyOpen()) {
            mView.bringToFront();
            showLogon();
        }
        return;
    }
    mScans.add({code, mSession.sale.number()});
}

void RegisterActions::applyScan(const ScanQueue::Scan &scan)
{
    diag::run("frmPOS", "applyScan", [&] {
        if (mView.isClosed() || !scanAllowed())
            return;
        if (scan.saleId != mSession.sale.number()) {
            // Scanned while the sale it was meant for was being posted or
            // cancelled: it is not slipped into the next sale unasked.
            mSession.prompt.message(QStringLiteral("The scanned code ") + scan.code
                                        + QStringLiteral(" was not added: the sale it was scanned for has "
                                                         "ended.\nScan it again to add it to this sale."),
                                    platform::Buttons::Ok, platform::Icon::Information,
                                    QStringLiteral("Vanta P.O.S"));
            return;
        }
        mView.bringToFront();
        bool found = false;
        if (mSession.hasStore()) {
            // What the store keeps read is checked once for the whole scan.
            const db::StampSpan span(mSession.store());
            found = addByCode(scan.code);
        }
        if (!found) {
            QCoreApplication::processEvents();
            mMessages.queue(QStringLiteral("The scanned barcode was invalid."), platform::Buttons::Ok,
                            platform::Icon::Information, QStringLiteral("Vanta P.O.S"));
        }
    });
}

void RegisterActions::manualAdd()
{
    diag::run("frmPOS", "mnuManualAdd_Click", [&] {
        const std::optional<QString> code = mSession.prompt.input(
            QStringLiteral("Enter the barcode number for the Item to be added to the current sale."), kManualAddTitle);
        if (code && !code->isEmpty() && !addByCode(*code))
            mSession.prompt.message(QStringLiteral("Sorry, the item '") + *code + QStringLiteral("' was not found."),
                                    platform::Buttons::Ok, platform::Icon::None, kManualAddTitle);
    });
}

void RegisterActions::findItem()
{
    diag::run("frmPOS", "cmdAdd_Click", [&] {
        if (!allowed(security::GatedCommand::AddItem) || !customerChosen())
            return;
        lookup::frmFind dlg({mSession.store(), mSession.prompt, mSession.dialogs, mSession.PicturesPath,
                             [this](const sale::Good &good) { addGood(good); },
                             [this] { linesChanged(); }},
                            mView.dialogParent(), mStoreOpening.catalogueReader());
        mSession.dialogs.run(dlg);
    });
}

void RegisterActions::removeLine(int position)
{
    diag::run("frmPOS", "cmdRemove_Click", [&] {
        if (!allowed(security::GatedCommand::RemoveItem))
            return;
        sale::Sale &sale = mSession.sale;
        if (sale.empty()) {
            mSession.prompt.message(QStringLiteral("No Item selected for removal from list!"), platform::Buttons::Ok,
                                    platform::Icon::None, QStringLiteral("You must first select an Item."));
            return;
        }
        if (!sale.line(position))
            return;
        if (mSession.prompt.message(QStringLiteral("Are you sure that you want to remove the selected item?"),
                                    platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
            != platform::Answer::Yes)
            return;
        sale.removeLine(position);
        linesChanged();
    });
}

std::optional<sale::Quote> RegisterActions::quote(int position, double qty)
{
    return diag::run("frmPOS", "POSItem1_QtyChanged", std::optional<sale::Quote>(), [&] {
        const sale::clsSaleItems::Line line = mSession.sale.line(position);
        return line ? std::optional(lineEdits().quote(*line, qty)) : std::nullopt;
    });
}

void RegisterActions::editLine(int position, double qty, double discount, bool exempt)
{
    diag::run("frmPOS", "POSItem1_Changed", [&] {
        if (!mSession.sale.line(position))
            return;
        lineEdits().editLine(position, qty, discount, exempt);
        linesChanged();
    });
}

void RegisterActions::changePrice(int position)
{
    diag::run("frmPOS", "POSItem1_ChangePrice", [&] {
        if (mSession.sale.empty() || !allowed(security::GatedCommand::EditPrice))
            return;
        const sale::clsSaleItems::Line line = mSession.sale.line(position);
        if (!line || line->good().isReturn())
            return; // a line given back keeps the price it was sold at
        frmEditPrice dlg(mView.dialogParent());
        dlg.msCurrentPrice = line->Price().single();
        mSession.dialogs.run(dlg);
        if (const std::optional<double> price = dlg.newPrice())
            lineEdits().setPrice(mSession.sale.lines().PositionOf(line.get()), sale::Money::fromDollars(*price));
        linesChanged();
    });
}

// --------------------------------------------------- customer and payment

void RegisterActions::chooseCustomer(std::optional<qint32> custId)
{
    if (custId) {
        const qsizetype shown = mCustomers.entries().size();
        if (mSession.hasStore() ? !mCustomers.listed(mSession.store(), *custId) : !mCustomers.entry(*custId))
            return; // not listed: the customer stays as chosen
        if (mCustomers.entries().size() != shown)
            mView.showCustomers(mCustomers.entries()); // read by number while the list loads
    }
    mSession.sale.setCustomer(custId);
}

void RegisterActions::choosePayType(const sale::PayType &payType)
{
    mSession.sale.setPayType(payType);
    diag::run("frmPOS", "cmbPayType_Click", [&] { tenderFollowsPayType(); });
}

// An invoice is paid later: nothing is tendered now, whatever an earlier
// pay type filled in. Pay types other than cash take the total due.
void RegisterActions::tenderFollowsPayType()
{
    const sale::PayKind kind = mSession.sale.payType().kind;
    if (kind == sale::PayKind::Invoice)
        mSession.sale.setTendered(0);
    else if (kind == sale::PayKind::Other)
        tenderTotal();
}

void RegisterActions::tenderTotal()
{
    diag::run("frmPOS", "txtAmountTendered_DblClick",
              [&] { mSession.sale.setTendered(mSession.sale.totals().totalDue()); });
}

void RegisterActions::editCustomer()
{
    diag::run("frmPOS", "cmdEdit_Click", [&] {
        if (refusedOffline(QStringLiteral("A customer's record")))
            return;
        const std::optional<qint32> customer = mSession.sale.customer();
        if (!customer || !allowed(security::GatedCommand::EditCustomer))
            return;
        frmCustomers dlg({mSession.store(), mSession.prompt, mSession.dialogs, mSession.identity,
                          [this] { reloadCustomers(); }, [this](qint32 id) { chooseCustomer(id); },
                          [this](const QStringList &lines) {
                              if (mSession.documents)
                                  mSession.documents->printLabel(lines);
                          },
                          currentShiftId()},
                         *customer, mView.dialogParent());
        mSession.dialogs.run(dlg);
        reloadCustomers(); // names, phones and inactive flags may have changed
    });
}

// Reads the customer list again and keeps the current customer when it is
// still listed.
void RegisterActions::reloadCustomers()
{
    const std::optional<qint32> current = mSession.sale.customer();
    loadCustomers();
    if (current)
        chooseCustomer(*current);
}

void RegisterActions::shipping()
{
    diag::run("frmPOS", "cmdShipping_Click", [&] {
        if (!allowed(security::GatedCommand::Shipping))
            return;
        // Each press prices the shipping afresh; choosing "None" or a custom
        // charge of 0 takes it off again.
        db::Store &store = mSession.store();
        if (const auto offer = shipping::OfferFor(store, mSession.sale.lines(),
                                                  sale::Money::fromCents(mSession.sale.totals().subtotal))) {
            shipping::frmShipping dlg(store, *offer, mView.dialogParent());
            mSession.dialogs.run(dlg);
            applyShipping(dlg.choice());
        }
        // The total has changed: the tender is entered again.
        mSession.sale.setTendered(0);
    });
}

void RegisterActions::applyShipping(const shipping::ShippingChoice &choice)
{
    sale::SaleShipping shipping = mSession.sale.shipping();
    if (choice.methodText) {
        shipping.method = *choice.methodText;
        shipping.methodId = choice.methodId;
    }
    if (choice.cleared) {
        shipping.chargeCents = 0;
        shipping.description = QStringLiteral("None");
    } else if (choice.description) {
        shipping.chargeCents = choice.chargeCents;
        shipping.description = *choice.description;
    }
    mSession.sale.setShipping(shipping);
}

void RegisterActions::process()
{
    diag::run("frmPOS", "cmdProcessTransaction_Click", [&] {
        if (!allowed(security::GatedCommand::ProcessSale))
            return;
        // A server lost since the last sale: the register goes on from its
        // copy before anything is read for this sale.
        if (mStoreOpening.canGoOffline()) {
            try {
                const diag::UntrappedSpan lostServerComesHere;
                mSession.store().database().connection().awaitNotes();
            } catch (const db::DbError &e) {
                if (e.number() != db::ErrServerGone || !mStoreOpening.goOffline())
                    throw;
                mSession.sale.setNumber(mSession.newSaleNumber());
            }
        }
        CheckoutFlow flow({mSession.store(), mSession.sale, mSession.prompt, mSession.dialogs, mSession.documents,
                           mSession.identity.employeeNumber, mView.dialogParent(), std::nullopt, currentShiftId(),
                           mSession.sellingOffline() ? &mSession.offline()->queue : nullptr});
        switch (flow.refusal()) {
        case CheckoutFlow::Refusal::None:
            break;
        case CheckoutFlow::Refusal::NoPayType:
            return mView.focus(RegisterView::Field::PayType);
        case CheckoutFlow::Refusal::NoCustomer:
            return mView.focus(RegisterView::Field::Customers);
        case CheckoutFlow::Refusal::TenderShort:
            return mView.focus(RegisterView::Field::Tender);
        default:
            return;
        }
        if (!saleApproved(flow))
            return;
        const CheckoutFlow::Outcome outcome = flow.process();
        if (outcome.receiptSale != 0) {
            mSession.lastReceiptSale = outcome.receiptSale;
            mSession.lastReceiptEmployee = mSession.identity.employeeNumber;
        }
        if (outcome.stored && mSession.offline())
            mStoreOpening.showOfflineState(); // one more sale waiting for the server
        if (outcome.stored)
            startNextSale();
    });
}

// A new, empty sale under a new number, with the store's lists read again.
// The old sale goes first, so that nothing below sees (or journals) its
// lines with the new sale's lists.
void RegisterActions::startNextSale()
{
    diag::run("frmPOS", "RefreshPOS", [&] {
        mSession.sale.clearLines();
        loadLists();
        mSession.sale.startOver(mSession.newSaleNumber());
    });
}

void RegisterActions::cancelSale()
{
    diag::run("frmPOS", "cmdCancel_Click", [&] {
        if (!allowed(security::GatedCommand::CancelSale))
            return;
        if (mSession.prompt.message(QStringLiteral("Are you sure that you want to cancel the sale?"),
                                    platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
            == platform::Answer::Yes) {
            if (!mSession.sale.empty())
                recordAtDrawer(dayend::MovementKind::CancelledSale, mSession.sale.totals().totalDue());
            startNextSale();
        }
    });
}

void RegisterActions::holdSale()
{
    diag::run("frmPOS", "cmdHold_Click", [&] {
        if (mSession.identity.employeeNumber > 0 || !mSession.identity.securityOn)
            mView.closeWindow(false);
        else
            showLogon();
    });
}

} // namespace vanta
