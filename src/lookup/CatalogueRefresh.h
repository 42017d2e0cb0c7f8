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

// Keeps the finder's catalogue ready while the register waits: the first
// look reads it, and when another register (another connection) has changed
// the store since, it is read again. Each read runs on a worker thread with
// a connection of its own and is kept with the store if nothing changed
// meanwhile, so the finder opens without reading every item itself. Nothing
// is done for a server store.
class CatalogueRefresh : public QObject {
    Q_OBJECT
public:
    // `store` gives the register's open store, or none.
    explicit CatalogueRefresh(std::function<db::Store *()> store, int intervalMs = 2000, QObject *parent = nullptr);
    ~CatalogueRefresh() override; // waits for a running worker

    // One look at the store, as the timer takes it; true when a read
    // was started.
    bool checkNow();
    // For a finder that found no catalogue ready: true while a read runs or
    // when one was started, whatever the store's stamp says; false when the
    // store cannot be read in the background (the finder reads it itself).
    bool readForFinder();
    bool running() const { return mThread != nullptr; }
    // Called after each refresh with whether its result was kept.
    void setFinishedCallback(std::function<void(bool kept)> f) { mFinished = std::move(f); }

signals:
    // After each read, with whether its result was kept.
    void finishedReading(bool kept);

private:
    struct Job;
    // Starts a read unless one runs; `always`: even when no other register
    // changed the store since the kept catalogue was read.
    bool start(bool always);
    void finished();

    std::function<db::Store *()> mStore;
    std::function<void(bool)> mFinished;
    QTimer mTimer;
    QThread *mThread = nullptr;
    std::shared_ptr<Job> mJob;
};

} // namespace vanta::lookup
