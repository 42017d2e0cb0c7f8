#pragma once

#include "backup/BackupShelf.h"
#include "backup/StoreBackup.h"

#include <QObject>
#include <atomic>
#include <functional>

class QThread;

namespace vanta::backup {

// What a backup on a worker thread came to.
struct BackupOutcome {
    bool done = false;
    QString file;    // the new backup
    QString problem; // why there is none, in plain words
    bool storeDamaged = false; // the store itself is damaged: no backup can be made of it
};

// Backs up a store onto its shelf on a worker thread and hands the outcome
// to `finished` on the thread that started it, so the cashier never waits
// for a backup. Destroying it stops the backup and waits for the worker;
// `finished` is then not called.
class BackgroundBackup : public QObject {
public:
    using Finished = std::function<void(const BackupOutcome &)>;
    BackgroundBackup(StoreLocation store, BackupShelf shelf, Finished finished, QObject *parent = nullptr);
    ~BackgroundBackup() override;
    bool running() const;

private:
    QThread *mThread = nullptr;
    std::atomic<bool> mCancel{false};
    BackupOutcome mOutcome;
};

} // namespace vanta::backup
