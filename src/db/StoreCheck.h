#pragma once

#include <QObject>
#include <QString>
#include <atomic>
#include <functional>

class QThread;

namespace vanta::db {

// What a check of a store file's pages found.
struct StoreCheckResult {
    bool whole = true;
    QString problem; // the engine's first complaint when the file is not whole
};

// Reads every page of the store file on a connection of its own and reports
// damage the engine finds (a page that fails its check, a broken index).
// Safe to run on a worker thread: it shares nothing with other connections.
// A file that cannot be opened at all is reported as not whole. Setting
// `cancel` stops the check early (the result then says nothing).
StoreCheckResult checkStoreFile(const QString &path, const QString &key,
                                const std::atomic<bool> *cancel = nullptr);

// The plain-words message for a damaged store file and what to do about it.
QString damagedStoreMessage(const QString &path, const QString &problem);

// Checks a store file on a worker thread and hands the result to `done` on
// the thread that started it, so a long check never holds up the register.
// Destroying it stops the check and waits for the worker.
class BackgroundStoreCheck : public QObject {
public:
    using Done = std::function<void(const StoreCheckResult &)>;
    BackgroundStoreCheck(const QString &path, const QString &key, Done done, QObject *parent = nullptr);
    ~BackgroundStoreCheck() override;
    bool running() const;

private:
    QThread *mThread = nullptr;
    std::atomic<bool> mCancel{false};
    StoreCheckResult mResult;
};

} // namespace vanta::db
