// The open sale's journal: the sale offered back and restored after a crash.
#include "register/frmPOS.h"

#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "journal/JournalError.h"
#include "journal/SaleJournal.h"
#include "platform/Currency.h"
#include "register/CustomerListModel.h"
#include "register/RegisterSession.h"
#include "register/SaleKeeper.h"

#include <QComboBox>
#include <QLabel>

namespace vanta {

journal::OpenSale frmPOS::openSale() const
{
    return journal::openSaleOf(mSession.sale, QDateTime::currentDateTime());
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
        mKeeper->start();
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
            mKeeper->changed(); // the empty sale: nothing more to offer
    });
}

// Puts the sale back as it stood: lines as edited, customer, shipping and
// the pay type, with their tax.
void frmPOS::restoreSale(const journal::OpenSale &sale)
{
    mKeeper->setRestoring(true);
    if (sale.customerId)
        selectCustomerEntry(*sale.customerId);
    const int payIndex = sale.payTypeId ? cmbPayType->findData(*sale.payTypeId) : -1;
    {
        const QSignalBlocker block(cmbPayType);
        cmbPayType->setCurrentIndex(payIndex);
    }
    // The tax is worked out again from what was restored: the same amounts
    // unless the store's tax settings changed meanwhile.
    mSession.sale.restore(sale.saleId, sale.lines, selectedCustomer(), sale.shipping, payTypeAt(payIndex));
    Update_Display();
    EnableButtons();
    if (payIndex >= 0)
        cmbPayType_Click(); // the tender follows the pay type as when it was chosen
    mKeeper->setRestoring(false);
    mKeeper->changed();
}

} // namespace vanta
