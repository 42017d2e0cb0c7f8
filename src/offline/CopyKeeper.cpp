#include "offline/CopyKeeper.h"

#include "db/Store.h"
#include "offline/LocalCopy.h"
#include "diagnostics/VantaError.h"

#include <QStringList>

namespace vanta::offline {

namespace {

using Stamp = QPair<qint64, qint64>;
// Stands for "no stamp": a store that cannot tell tables apart.
const Stamp kNoStamp{-1, -1};

// Where notes tell of stock changed by sales alone.
const QStringList &stockParts()
{
    static const QStringList parts{QStringLiteral("Items stock"), QStringLiteral("Subitems stock")};
    return parts;
}

} // namespace

CopyKeeper::CopyKeeper(Server server, QString folder, Timing timing)
    : mServer(std::move(server)), mFolder(std::move(folder)), mTiming(timing), mThread([this] { run(); })
{
}

CopyKeeper::~CopyKeeper()
{
    {
        std::lock_guard lock(mMutex);
        mStop = true;
    }
    mWake.notify_all();
    mThread.join();
}

CopyKeeper::State CopyKeeper::state() const
{
    std::lock_guard lock(mMutex);
    return mState;
}

void CopyKeeper::checkNow()
{
    {
        std::lock_guard lock(mMutex);
        mLookNow = true;
    }
    mWake.notify_all();
}

bool CopyKeeper::waitForLooks(int looks, std::chrono::milliseconds timeout) const
{
    std::unique_lock lock(mMutex);
    return mWake.wait_for(lock, timeout, [&] { return mLooks >= looks; });
}

bool CopyKeeper::stopping() const
{
    std::lock_guard lock(mMutex);
    return mStop;
}

void CopyKeeper::run()
{
    std::unique_ptr<db::Store> server;
    Stamp tablesSeen = kNoStamp, stockSeen = kNoStamp;
    std::chrono::steady_clock::time_point stockCopied;
    bool copied = false;
    for (;;) {
        QString problem;
        try {
            if (!server)
                server = std::make_unique<db::Store>(mServer.address, mServer.key, mServer.password);
            db::Connection &conn = server->database().connection();
            conn.awaitNotes();
            const Stamp tables = conn.tablesStamp(LocalCopy::tables()).value_or(kNoStamp);
            const Stamp stock = conn.tablesStamp(stockParts()).value_or(kNoStamp);
            const auto now = std::chrono::steady_clock::now();
            // A store that cannot tell tables apart gives no stamp: its
            // copy is made at every check.
            const bool due = !copied || tables == kNoStamp || tables != tablesSeen
                             || (stock != stockSeen && now - stockCopied >= mTiming.stockEvery);
            if (due) {
                const QDateTime started = QDateTime::currentDateTime();
                if (!LocalCopy::make(*server, mFolder, [this] { return stopping(); }))
                    return;
                copied = true;
                tablesSeen = tables;
                stockSeen = stock;
                stockCopied = now;
                std::lock_guard lock(mMutex);
                ++mState.copies;
                mState.copied = started;
            }
        } catch (const VantaError &e) {
            problem = e.description();
            server.reset(); // a connection of its own again at the next check
        } catch (const std::exception &e) {
            problem = QString::fromLocal8Bit(e.what());
            server.reset();
        }
        std::unique_lock lock(mMutex);
        ++mLooks;
        mState.problem = problem;
        mWake.notify_all();
        mWake.wait_for(lock, mTiming.checkEvery, [this] { return mStop || mLookNow; });
        if (mStop)
            return;
        mLookNow = false;
    }
}

} // namespace vanta::offline
