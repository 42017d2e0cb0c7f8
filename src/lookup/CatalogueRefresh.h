#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <memory>

class QThread;

namespace vanta::db {
class Store;
}

namespace vanta::lookup {

// Keeps the finder's catalogue current while the register waits: when
// another register (another connection) has changed the store since the
// catalogue was read, it is read again on a worker thread with a connection
// of its own and kept with the store if nothing changed meanwhile, so the
// next finder opens without reading every item itself. Nothing is done
// before the finder first built the catalogue, nor for a server store.
class CatalogueRefresh : public QObject {
public:
    // `store` gives the register's open store, or none.
    explicit CatalogueRefresh(std::function<db::Store *()> store, int intervalMs = 2000, QObject *parent = nullptr);
    ~CatalogueRefresh() override; // waits for a running worker

    // One look at the store, as the timer takes it; true when a refresh
    // was started.
    bool checkNow();
    bool running() const { return mThread != nullptr; }
    // Called after each refresh with whether its result was kept.
    void setFinishedCallback(std::function<void(bool kept)> f) { mFinished = std::move(f); }

private:
    struct Job;
    void finished();

    std::function<db::Store *()> mStore;
    std::function<void(bool)> mFinished;
    QTimer mTimer;
    QThread *mThread = nullptr;
    std::shared_ptr<Job> mJob;
};

} // namespace vanta::lookup
