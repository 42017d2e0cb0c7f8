// The open sale's journal: the sale kept at every change, offered back and
// restored after a crash.
#include "register/frmPOS.h"

#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "journal/JournalError.h"
#include "journal/SaleJournal.h"
#include "platform/Currency.h"
#include "register/CustomerListModel.h"
#include "register/RegisterSession.h"

#include <QComboBox>
#include <QLabel>

namespace vanta {

journal::OpenSale frmPOS::openSale() const
{
    journal::OpenSale sale;
    sale.saleId = mSession.mlSaleID;
    sale.changed = QDateTime::currentDateTime();
    sale.lines.reserve(size_t(mSession.SaleItems.Count()));
    for (const auto &line : mSession.SaleItems)
        sale.lines.push_back(*line);
    sale.customerId = selectedCustomer();
    if (cmbPayType->currentIndex() >= 0)
        sale.payTypeId = cmbPayType->currentData().toInt();
    sale.shipping = {mSession.ShippingID, lblMethod->text(), lblshippingDesc->text(), mTotals.shipping};
    sale.salesTax = float(mSession.saleTax.goods);
    sale.shippingTax = float(mSession.saleTax.shipping);
    return sale;
}

// One write for all the changes an event makes (a key typed may reprice a
// line and then its discount): queued behind the event, ahead of the
// window's repaint, which Qt posts at a lower priority.
void frmPOS::saleChanged()
{
    if (!mSession.journal() || !mJournalReady || mRestoring || mJournalPending)
        return;
    mJournalPending = true;
    QMetaObject::invokeMethod(this, [this] { writeJournal(); }, Qt::QueuedConnection);
}

// Keeps the sale as it now stands. A journal that cannot be written does
// not stop the sale; the cashier is told once, and again only after a write
// succeeded in between.
void frmPOS::writeJournal()
{
    journal::SaleJournal *saleJournal = mSession.journal();
    if (!mJournalPending || !saleJournal)
        return;
    mJournalPending = false;
    try {
        saleJournal->write(openSale());
        mJournalFailing = false;
    } catch (const journal::JournalError &e) {
        if (mJournalFailing)
            return;
        mJournalFailing = true;
        mSession.prompt.message(QStringLiteral("The sale in progress could not be saved against a crash or power "
                                               "failure:\n%1\n\nThe sale goes on, but it would be lost if the "
                                               "register stopped before it is processed.")
                                    .arg(e.description()),
                                platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
    }
}

// At start-up: a sale left unfinished on this store (the register stopped
// with it open or held) is offered back. Whatever the answer, the journal
// then follows the register's sale.
void frmPOS::offerUnfinishedSale()
{
    diag::run("frmPOS", "offerUnfinishedSale", [&] {
        journal::SaleJournal *saleJournal = mSession.journal();
        if (!saleJournal)
            return;
        mJournalReady = true;
        std::optional<journal::OpenSale> found;
        try {
            found = journal::unfinishedSale(*saleJournal, mSession.store().database());
        } catch (const journal::JournalError &e) {
            const QString kept = saleJournal->setAside()
                                     ? QStringLiteral("\n\nThe damaged file was kept as %1.").arg(saleJournal->path()
                                                                                                 + ".damaged")
                                     : QString();
            mSession.prompt.message(QStringLiteral("An unfinished sale kept by this register could not be read: "
                                                   "%1.\n\nThe register starts with an empty sale.%2")
                                        .arg(e.description(), kept),
                                    platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
        }
        if (found
            && mSession.prompt.message(journal::restoreQuestion(*found), platform::Buttons::YesNo,
                                       platform::Icon::Question, applicationTitle())
                   == platform::Answer::Yes)
            restoreSale(*found);
        else
            saleChanged(); // the empty sale: nothing more to offer
    });
}

// Puts the sale back as it stood: lines as edited, customer, shipping and
// the pay type, with their tax.
void frmPOS::restoreSale(const journal::OpenSale &sale)
{
    mRestoring = true;
    sale::clsSaleItems &items = mSession.SaleItems;
    items.Clear();
    for (const sale::clsSaleItem &line : sale.lines)
        if (!items.Find(line.good()))
            items.AddSaleItem(std::make_shared<sale::clsSaleItem>(line));
    mSession.mlSaleID = sale.saleId;
    if (sale.customerId)
        selectCustomerEntry(*sale.customerId);
    Update_Display();
    mTotals.subtotal = toCents(Total_Subtotals());
    mTotals.shipping = sale.shipping.chargeCents;
    mSession.ShippingID = sale.shipping.methodId;
    lblMethod->setText(sale.shipping.method);
    lblshippingDesc->setText(sale.shipping.description);
    // The tax is worked out again from what was restored: the same amounts
    // unless the store's tax settings changed meanwhile.
    refreshTax();
    EnableButtons();
    if (sale.payTypeId)
        cmbPayType->setCurrentIndex(cmbPayType->findData(*sale.payTypeId));
    mRestoring = false;
    saleChanged();
}

} // namespace vanta
