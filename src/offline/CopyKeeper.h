#pragma once

#include <QDateTime>
#include <QString>
#include <chrono>
#include <condition_variable>
#include <mutex>
#include <optional>
#include <thread>

namespace vanta::offline {

// Keeps the local copy of a server store current while the register works,
// on a thread of its own with a connection of its own, so that the cashier
// never waits for it: the first copy is made as soon as it starts, and a new
// one whenever the copied tables changed on the server since (by any
// register or the back-office software); stock that sales alone changed is
// copied again at most every `stockEvery`, as selling offline sells beyond
// the stock anyway. A copy that cannot be made is tried again at the next
// check, and said in state().
class CopyKeeper {
public:
    struct Server {
        QString address;
        QString key;
        QString password; // none: the password file
    };
    struct Timing {
        std::chrono::milliseconds checkEvery{std::chrono::seconds(30)};
        std::chrono::milliseconds stockEvery{std::chrono::minutes(15)};
    };
    struct State {
        int copies = 0;   // made in this run
        QDateTime copied; // when the last one was read from the server
        QString problem;  // why the last try failed; empty when it did not
    };

    CopyKeeper(Server server, QString folder, Timing timing);
    CopyKeeper(Server server, QString folder) : CopyKeeper(std::move(server), std::move(folder), Timing{}) {}
    // Stops the thread; a copy being made is left between two tables and
    // the copy before stays.
    ~CopyKeeper();
    CopyKeeper(const CopyKeeper &) = delete;
    CopyKeeper &operator=(const CopyKeeper &) = delete;

    const QString &folder() const { return mFolder; }
    State state() const;
    // Looks at the server now instead of at the next check.
    void checkNow();
    // Waits until the server was looked at `looks` times in all (each look
    // makes a copy when one is due, or fails); false on timeout.
    bool waitForLooks(int looks, std::chrono::milliseconds timeout) const;

private:
    void run();
    bool stopping() const;

    Server mServer;
    QString mFolder;
    Timing mTiming;

    mutable std::mutex mMutex;
    mutable std::condition_variable mWake;
    bool mStop = false;
    bool mLookNow = false;
    int mLooks = 0;
    State mState;
    std::thread mThread;
};

} // namespace vanta::offline
