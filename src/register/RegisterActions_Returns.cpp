// The return commands: goods given back from a stored sale join the sale
// on the register as return lines.
#include "register/RegisterActions.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform/DialogRunner.h"
#include "platform/Prompt.h"
#include "posting/ReceiptCode.h"
#include "register/CheckoutFlow.h"
#include "register/RegisterSession.h"
#include "register/frmReturn.h"
#include "db/BarcodeLookup.h"
#include "sale/LineSource.h"
#include "sale/ReturnLine.h"
#include "security/frmApproval.h"
#include "tax/SaleTax.h"

#include <QStringList>
#include <algorithm>

namespace vanta {

namespace {

const QString kTitle = QStringLiteral("Return Items");

} // namespace

void RegisterActions::tellAboutReturn(const QString &text)
{
    mSession.prompt.message(text, platform::Buttons::Ok, platform::Icon::Exclamation, kTitle);
}

void RegisterActions::returnItems()
{
    diag::run("frmPOS", "mnuReturnItems_Click", [&] {
        if (refusedOffline(QStringLiteral("A return")))
            return;
        if (!allowed(security::GatedCommand::ProcessSale))
            return;
        const std::optional<QString> typed = mSession.prompt.input(
            QStringLiteral("Type the sale number printed on the receipt, or scan the receipt's barcode:"), kTitle);
        if (!typed || typed->trimmed().isEmpty())
            return;
        const std::optional<qint32> saleId = posting::saleOfReceiptCode(*typed, true);
        if (!saleId)
            return tellAboutReturn(QStringLiteral("\"%1\" is not a sale number. Type the number printed on the "
                                                  "receipt, such as 1234.")
                                       .arg(typed->trimmed()));
        returnFromSale(*saleId);
    });
}

// What the cashier sees above the lines: the sale, whose it is and how it
// was paid.
QString RegisterActions::returnHeading(const sale::StoredSale &stored) const
{
    const CustomerListModel::Entry *customer = stored.customer ? mCustomers.entry(*stored.customer) : nullptr;
    const auto payType = std::find_if(mPayTypes.begin(), mPayTypes.end(),
                                      [&](const sale::PayType &p) { return p.id == stored.payTypeId; });
    return QStringLiteral("Sale %1 of %2, sold to %3, paid by %4.")
        .arg(stored.id)
        .arg(QLocale(QLocale::English, QLocale::UnitedStates).toString(stored.date, QStringLiteral("M/d/yyyy h:mm AP")),
             customer ? customer->text : QStringLiteral("customer %1").arg(stored.customer.value_or(0)),
             payType != mPayTypes.end() ? payType->name : QStringLiteral("pay type %1").arg(stored.payTypeId));
}

void RegisterActions::returnFromSale(qint32 saleId)
{
    diag::run("frmPOS", "returnFromSale", [&] {
        db::Store &store = mSession.store();
        if (!store.database().connection().tableExists(QStringLiteral("Returned Items")))
            return tellAboutReturn(QStringLiteral("This store cannot take returns yet: it lacks the table that "
                                                  "records them. Close the registers and run \"vanta-admin "
                                                  "upgrade\" on the store once."));
        sale::Sale &sale = mSession.sale;
        std::optional<sale::StoredSale> stored;
        try {
            stored = sale::ReadSaleForReturn(store, saleId);
        } catch (const sale::ReturnRefused &e) {
            return tellAboutReturn(e.description());
        }
        if (!sale.empty() && sale.customer() != stored->customer)
            return tellAboutReturn(QStringLiteral("Sale %1 was sold to another customer than the sale on the "
                                                  "register. Finish or cancel this sale first, then return the "
                                                  "items.")
                                       .arg(saleId));

        frmReturn dlg(*stored, returnHeading(*stored), mView.dialogParent());
        // What this sale gives back of the stored one already is shown to be changed.
        for (size_t i = 0; i < stored->lines.size(); ++i)
            for (const auto &line : sale.lines())
                if (line->good().returnOf == stored->lines[i].soldId)
                    dlg.setQuantity(i, -double(line->qty()));
        if (mSession.dialogs.run(dlg) != QDialog::Accepted)
            return;

        std::vector<sale::clsSaleItem> lines;
        try {
            for (size_t i = 0; i < stored->lines.size(); ++i) {
                const sale::SoldLine &sold = stored->lines[i];
                if (dlg.quantity(i) > 0) {
                    lines.push_back(sale::returnLine(*stored, sold, dlg.quantity(i)));
                } else {
                    // Set back to 0: its return line, if any, comes off.
                    sale::clsSaleItem none;
                    sale::Good good = sold.good;
                    good.returnOf = sold.soldId;
                    none.setGood(good);
                    lines.push_back(none);
                }
            }
        } catch (const sale::ReturnRefused &e) {
            return tellAboutReturn(e.description());
        }
        const bool first = sale.empty();
        if (first && stored->customer) {
            chooseCustomer(*stored->customer);
            if (sale.customer() != stored->customer)
                return tellAboutReturn(QStringLiteral("The customer of sale %1 is no longer in the customer list, "
                                                      "so the return cannot be taken here.")
                                           .arg(saleId));
        }
        sale.putReturnLines(std::move(lines));
        // The money goes back the way it came.
        if (first) {
            const auto payType = std::find_if(mPayTypes.begin(), mPayTypes.end(),
                                              [&](const sale::PayType &p) { return p.id == stored->payTypeId; });
            if (payType != mPayTypes.end())
                choosePayType(*payType);
        }
        linesChanged();
    });
}

// What needs a manager's approval on the sale (with security on; off,
// nothing is asked, as for every command): goods taken back without a
// receipt, and a refund paid out another way than the goods returned were
// paid for. False when it was needed and not given.
bool RegisterActions::saleApproved(CheckoutFlow &flow)
{
    const sale::Sale &sale = mSession.sale;
    if (!mSession.identity.securityOn)
        return true;
    QStringList reasons;
    if (std::any_of(sale.lines().begin(), sale.lines().end(),
                    [](const auto &l) { return l->good().returnWithoutReceipt(); }))
        reasons << QStringLiteral("Goods are taken back without a receipt, at today's price.");
    if (const std::optional<QString> payType = refundPaidOtherwise())
        reasons << *payType;
    if (reasons.isEmpty())
        return true;
    const QString what = reasons.join(QLatin1Char('\n'));
    security::frmApproval dlg(mSession.store(), mSession.prompt, what, mView.dialogParent());
    if (mSession.dialogs.run(dlg) != QDialog::Accepted || !dlg.approval())
        return false;
    flow.approve({dlg.approval()->employeeId, what});
    return true;
}

// A refund paid out another way than a sale it returns was paid: said so.
std::optional<QString> RegisterActions::refundPaidOtherwise() const
{
    const sale::Sale &sale = mSession.sale;
    if (!sale.refund())
        return std::nullopt;
    const db::Database &db = mSession.store().database();
    std::vector<qint32> asked;
    for (const auto &line : sale.lines()) {
        const qint32 original = line->ReturnSale();
        if (original == 0 || std::find(asked.begin(), asked.end(), original) != asked.end())
            continue;
        asked.push_back(original);
        const qint32 paidWith =
            db::asLong(db.scalar(QStringLiteral("SELECT paytype FROM Sales WHERE \"Sales ID\" = ?"), {original}));
        if (paidWith == sale.payType().id)
            continue;
        const auto named = std::find_if(mPayTypes.begin(), mPayTypes.end(),
                                        [&](const sale::PayType &p) { return p.id == paidWith; });
        return QStringLiteral("Sale %1 was paid by %2: a refund by %3 needs a manager's approval.")
            .arg(original)
            .arg(named != mPayTypes.end() ? named->name : QStringLiteral("another pay type"), sale.payType().name);
    }
    return std::nullopt;
}

// One more of a good brought back without a receipt: refunded at today's
// price and tax, its stock raised; approved by a manager when the sale is
// processed.
void RegisterActions::returnWithoutReceipt()
{
    diag::run("frmPOS", "mnuReturnWithoutReceipt_Click", [&] {
        if (refusedOffline(QStringLiteral("A return")))
            return;
        if (!allowed(security::GatedCommand::ProcessSale) || !customerChosen())
            return;
        const std::optional<QString> typed = mSession.prompt.input(
            QStringLiteral("Scan or type the code of the item brought back without a receipt:"), kTitle);
        if (!typed || typed->trimmed().isEmpty())
            return;
        const std::optional<sale::Good> good = goodOfCode(typed->trimmed());
        if (!good)
            return tellAboutReturn(QStringLiteral("No item in this store has the code \"%1\".").arg(typed->trimmed()));
        sale::Sale &sale = mSession.sale;
        sale::Good given = *good;
        given.returnOf = sale::Good::kNoReceipt;
        const sale::clsSaleItems::Line earlier = sale.lines().Find(given);
        const double qty = (earlier ? -double(earlier->qty()) : 0.0) + 1;
        const std::optional<sale::clsSaleItem> today = sale::pricedToday(mSession.store(), *good, qty);
        if (!today)
            return tellAboutReturn(QStringLiteral("No item in this store has the code \"%1\".").arg(typed->trimmed()));
        sale::clsSaleItems one;
        one.AddSaleItem(std::make_shared<sale::clsSaleItem>(*today));
        const sale::SaleTax tax = tax::ComputeSaleTax(mSession.store(), one, sale.customer(), 0);
        sale.putReturnLines({sale::givenBackWithoutReceipt(*today, tax.agencies)});
        linesChanged();
    });
}

} // namespace vanta
