#include "backup/BackgroundBackup.h"

#include "backup/BackupError.h"
#include "db/DbError.h"

#include <QThread>

namespace vanta::backup {

BackgroundBackup::BackgroundBackup(StoreLocation store, BackupShelf shelf, Finished finished, QObject *parent)
    : QObject(parent)
{
    mThread = QThread::create([this, store = std::move(store), shelf = std::move(shelf)] {
        try {
            mOutcome = {true, backupOntoShelf(store, shelf, &mCancel), QString()};
        } catch (const VantaError &e) {
            mOutcome = {false, QString(), e.description(),
                        e.number() == ErrBackupDamaged || e.number() == db::ErrDamaged};
        } catch (const std::exception &e) {
            mOutcome = {false, QString(), QString::fromLocal8Bit(e.what())};
        }
    });
    connect(mThread, &QThread::finished, this, [this, finished = std::move(finished)] {
        if (!mCancel.load())
            finished(mOutcome);
    });
    mThread->start(QThread::LowPriority);
}

BackgroundBackup::~BackgroundBackup()
{
    mCancel.store(true);
    mThread->wait();
    delete mThread;
}

bool BackgroundBackup::running() const { return mThread->isRunning(); }

} // namespace vanta::backup
