// A register on a server store selling on while the server is away: its
// copy of the store kept current while online, the copy opened when the
// server cannot be reached, and the sales kept meanwhile posted once the
// register is back on the server.
#include "register/StoreOpening.h"

#include "dayend/RegisterName.h"
#include "db/DbError.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "lookup/CatalogueRefresh.h"
#include "offline/CatchUp.h"
#include "offline/CopyKeeper.h"
#include "register/DeferredMessage.h"
#include "register/RegisterSession.h"

#include <QLocale>

namespace vanta {

namespace {

QString waiting(int n)
{
    return n == 1 ? QStringLiteral("1 sale waits") : QStringLiteral("%1 sales wait").arg(n);
}

} // namespace

bool StoreOpening::openLocalCopy(const QString &address)
{
    if (!mSession.openLocalCopy(address))
        return false;
    startChecks(); // the finder reads the copy as it reads any store file
    showOfflineState();
    return true;
}

bool StoreOpening::canGoOffline() const
{
    const offline::OfflineShelf *shelf = mSession.offline();
    return shelf && !shelf->sellingOffline && shelf->copyTime().isValid() && shelf->numbers.count() > 0;
}

bool StoreOpening::goOffline()
{
    if (!canGoOffline())
        return false;
    mCatchUpTimer.reset();
    return openLocalCopy(mSession.offline()->serverAddress());
}

void StoreOpening::prepareForOffline()
{
    offline::OfflineShelf *shelf = mSession.offline();
    if (!shelf || shelf->sellingOffline)
        return;
    mCopyKeeper = std::make_unique<offline::CopyKeeper>(
        offline::CopyKeeper::Server{shelf->serverAddress(), mSession.store().key(), mSession.store().serverPassword()},
        shelf->copyFolder());
    if (!shelf->numbers.problem().isEmpty())
        mMessages.queue(QStringLiteral("The sale numbers this register set aside for selling while the server is away "
                                       "could not be read (%1); it sets aside new ones.")
                            .arg(shelf->numbers.problem()),
                        platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
    try {
        shelf->numbers.topUp(mSession.store(), dayend::registerName(mSession.settings));
    } catch (const VantaError &e) {
        // Selling online goes on; offline the register has what it has.
        mMessages.queue(QStringLiteral("No sale numbers could be set aside for selling while the server is away: "
                                       "%1")
                            .arg(e.description()),
                        platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
    }
    showOfflineState();
    if (!shelf->queue.empty())
        catchUp();
}

void StoreOpening::showOfflineState()
{
    const offline::OfflineShelf *shelf = mSession.offline();
    if (!shelf)
        return mShowState(QString());
    const int queued = shelf->queue.size();
    if (shelf->sellingOffline) {
        const QDateTime copied = shelf->copyTime();
        return mShowState(QStringLiteral("Offline: the store server cannot be reached. Selling from this register's "
                                         "copy of the store (%1). %2 for the server.")
                              .arg(copied.isValid() ? QLocale().toString(copied, QLocale::ShortFormat)
                                                    : QStringLiteral("time unknown"),
                                   waiting(queued)));
    }
    mShowState(queued == 0 ? QString()
                           : QStringLiteral("Posting the sales made while the server was away: %1.").arg(waiting(queued)));
}

bool StoreOpening::catchingUp() const { return mCatchUpTimer && mCatchUpTimer->isActive(); }

void StoreOpening::catchUp()
{
    offline::OfflineShelf *shelf = mSession.offline();
    if (!shelf || shelf->sellingOffline || catchingUp())
        return;
    mCatchUp = std::make_unique<offline::CatchUp>(mSession.store(), shelf->queue);
    // A sale a turn: the cashier's keys are served in between.
    mCatchUpTimer = std::make_unique<QTimer>();
    QObject::connect(mCatchUpTimer.get(), &QTimer::timeout, [this] { catchUpStep(); });
    mCatchUpTimer->start(0);
}

void StoreOpening::catchUpStep()
{
    diag::run("frmPOS", "catchUpStep", [&] {
        bool more = false;
        try {
            more = mCatchUp->postNext();
        } catch (const db::DbError &e) {
            mCatchUpTimer->stop();
            mShowState(QStringLiteral("%1 for the server; posting them stopped: %2")
                           .arg(waiting(mSession.offline()->queue.size()), e.description()));
            return;
        }
        if (more)
            return showOfflineState();
        mCatchUpTimer->stop();
        caughtUp();
    });
}

// What the posting of the kept sales left to say: the sales set aside and
// the goods whose stock went below zero.
void StoreOpening::caughtUp()
{
    showOfflineState();
    QStringList parts;
    const std::vector<offline::StockBelowZero> below = mCatchUp->belowZero();
    if (!below.empty()) {
        QStringList goods;
        for (const offline::StockBelowZero &g : below)
            goods << QStringLiteral("%1: %2").arg(g.name, QLocale().toString(g.stock));
        parts << QStringLiteral("These goods were sold beyond their stock while the server was away; count them "
                                "and correct their stock:\n%1")
                     .arg(goods.join(QLatin1Char('\n')));
    }
    if (!mCatchUp->setAside().isEmpty())
        parts << QStringLiteral("These sales could not be posted and were set aside; they are kept in these files:\n%1")
                     .arg(mCatchUp->setAside().join(QLatin1Char('\n')));
    if (parts.isEmpty())
        return;
    mMessages.queue(QStringLiteral("The %1 sales made while the server was away are posted.\n\n%2")
                        .arg(mCatchUp->posted() + mCatchUp->postedBefore())
                        .arg(parts.join(QStringLiteral("\n\n"))),
                    platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
}

} // namespace vanta
