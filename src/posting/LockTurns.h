#pragma once

#include <QElapsedTimer>
#include <QPair>

namespace vanta::db {
class Connection;
}

namespace vanta::posting {

// How a posting that meets another writer's lock waits its turn. On a file
// store each try waits only briefly inside the engine (whose own waits grow
// longer and longer, so a writer that keeps posting would win every time)
// and pauses a short random moment between tries; a server queues waiting
// writers fairly, so there a try waits the whole stall time. It tries again
// for as long as the store keeps changing, that is while the other writer
// makes progress, up to a limit in all; a lock held with no change for the
// stall time ends it.
class LockTurns {
public:
    // `watch` is a connection outside the posting's transaction on which
    // the store's change stamp is read.
    LockTurns(db::Connection &watch, int stallMs, int totalMs);

    // How long one try may wait for the lock inside the engine.
    int tryTimeoutMs() const;
    // After a try that met the lock: pauses and answers true when another
    // try is worth making, false when the wait is over.
    bool again();

    static constexpr int kTotalMs = 15000;

private:
    db::Connection &mWatch;
    int mStallMs;
    int mTotalMs;
    QElapsedTimer mClock;
    qint64 mLastProgressMs = -1; // none seen yet
    QPair<qint64, qint64> mStamp;
};

} // namespace vanta::posting
