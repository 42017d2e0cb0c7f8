#include "register/SaleKeeper.h"

#include "diagnostics/ApplicationTitle.h"
#include "journal/JournalError.h"
#include "journal/SaleJournal.h"
#include "platform/Prompt.h"
#include "sale/Sale.h"

#include <QDateTime>

namespace vanta {

SaleKeeper::SaleKeeper(sale::Sale &sale, JournalOf journal, platform::Prompt &prompt, QObject *parent)
    : QObject(parent), mSale(sale), mJournal(std::move(journal)), mPrompt(prompt)
{
    mObserver = mSale.observe([this](unsigned) { changed(); });
}

SaleKeeper::~SaleKeeper() { mSale.unobserve(mObserver); }

void SaleKeeper::changed()
{
    if (!mJournal() || !mStarted || mRestoring || mPending)
        return;
    mPending = true;
    QMetaObject::invokeMethod(this, [this] { writePending(); }, Qt::QueuedConnection);
}

void SaleKeeper::writePending()
{
    journal::SaleJournal *saleJournal = mJournal();
    if (!mPending || !saleJournal)
        return;
    mPending = false;
    try {
        saleJournal->write(journal::openSaleOf(mSale, QDateTime::currentDateTime()));
        mFailing = false;
    } catch (const journal::JournalError &e) {
        if (mFailing)
            return;
        mFailing = true;
        mPrompt.message(QStringLiteral("The sale in progress could not be saved against a crash or power "
                                       "failure:\n%1\n\nThe sale goes on, but it would be lost if the "
                                       "register stopped before it is processed.")
                            .arg(e.description()),
                        platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
    }
}

} // namespace vanta
