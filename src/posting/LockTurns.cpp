#include "posting/LockTurns.h"

#include "db/Connection.h"

#include <QRandomGenerator>
#include <QThread>
#include <algorithm>

namespace vanta::posting {

namespace {
// The engine's own wait within one try.
constexpr int kTryMs = 100;
// The random pause between tries: two writers that met are drawn apart.
constexpr int kPauseMinMs = 1;
constexpr int kPauseMaxMs = 25;
} // namespace

LockTurns::LockTurns(db::Connection &watch, int stallMs, int totalMs)
    : mWatch(watch), mStallMs(std::max(1, stallMs)), mTotalMs(std::max(mStallMs, totalMs))
{
    mClock.start();
}

int LockTurns::tryTimeoutMs() const
{
    return mWatch.engine() == db::Connection::Engine::File ? std::min(kTryMs, mStallMs) : mStallMs;
}

bool LockTurns::again()
{
    const qint64 now = mClock.elapsed();
    const QPair<qint64, qint64> stamp = mWatch.changeStamp();
    if (mLastProgressMs < 0 || stamp != mStamp) {
        // The first meeting counts as progress: the stall is timed from it.
        mStamp = stamp;
        mLastProgressMs = now;
    }
    if (now - mLastProgressMs >= mStallMs || now >= mTotalMs)
        return false;
    QThread::msleep(QRandomGenerator::global()->bounded(kPauseMinMs, kPauseMaxMs + 1));
    return true;
}

} // namespace vanta::posting
