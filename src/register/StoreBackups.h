#pragma once

#include <QString>
#include <memory>

namespace vanta {

class DeferredMessage;

namespace backup {
class BackgroundBackup;
struct BackupOutcome;
} // namespace backup
namespace db {
class Store;
}

// The register's backups of its store file, into a folder of backups (a
// shelf per store): one by itself at the first start of each day, one
// whenever the cashier asks. Each is made on a worker thread; the cashier
// goes on selling. A failed daily backup is said once a run, in plain words.
// A store on a server is backed up by its owner (vanta-admin backup --pg),
// not by each register; asked for, one is made all the same.
class StoreBackups {
public:
    // `folder`: where the shelves are; empty makes no backups by itself.
    StoreBackups(QString folder, DeferredMessage &messages);
    ~StoreBackups();

    // A store opened: backed up unless a backup from today is on its shelf.
    void storeOpened(const db::Store &store);
    // "Back Up Store Now": the outcome is said when it is known.
    void backUpNow(const db::Store *store);
    // The store closed: a backup of it still running is stopped.
    void storeClosed();
    bool running() const;

    // The message for a damaged store file: what is wrong, and how to put
    // the newest backup in its place, word for word.
    QString damagedStoreMessage(const QString &path, const QString &problem) const;

private:
    void start(const db::Store &store, bool asked);
    void finished(const backup::BackupOutcome &outcome, bool asked);

    QString mFolder;
    DeferredMessage &mMessages;
    std::unique_ptr<backup::BackgroundBackup> mRunning;
    bool mFailureSaid = false;
};

} // namespace vanta
