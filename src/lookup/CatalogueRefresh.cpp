#include "lookup/CatalogueRefresh.h"

#include "db/FileConnection.h"
#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "lookup/ItemCatalogue.h"
#include "platform/FreeMemory.h"

#include <QThread>

namespace vanta::lookup {

struct CatalogueRefresh::Job {
    QString path;
    QString key;
    std::shared_ptr<const ItemCatalogue> previous;
    QPair<qint64, qint64> stamp;
    qint64 writeMark = -1;
    std::shared_ptr<const ItemCatalogue> result; // none when the read failed
};

CatalogueRefresh::CatalogueRefresh(std::function<db::Store *()> store, int intervalMs, QObject *parent)
    : QObject(parent), mStore(std::move(store))
{
    connect(&mTimer, &QTimer::timeout, this, [this] { checkNow(); });
    mTimer.start(intervalMs);
}

CatalogueRefresh::~CatalogueRefresh()
{
    if (mThread) {
        mThread->wait();
        delete mThread;
    }
}

bool CatalogueRefresh::checkNow() { return !mThread && start(false); }

bool CatalogueRefresh::readForFinder() { return mThread || start(true); }

bool CatalogueRefresh::start(bool always)
{
    return diag::run("frmFind", "RefreshCatalogue", false, [&] {
        db::Store *store = mStore();
        if (!store || store->onServer() || store->knownDamaged())
            return false;
        const std::shared_ptr<const ItemCatalogue::Kept> kept = ItemCatalogue::kept(*store);
        db::Connection &conn = store->database().connection();
        if (conn.inTransaction())
            return false;
        const QPair<qint64, qint64> stamp = conn.changeStamp();
        // Unchanged, or changed only through this connection: the finder
        // re-reads those few rows itself when it opens.
        if (kept && stamp.first == kept->stamp.first && !always)
            return false;
        auto job = std::make_shared<Job>(Job{store->filePath(), store->key(), kept ? kept->catalogue : nullptr,
                                             stamp, conn.writeMark(), nullptr});
        mJob = job;
        // A failed read only leaves the catalogue to be read when the finder
        // opens, where an error is reported like any other.
        mThread = QThread::create([job] {
            try {
                db::FileConnection own(job->path, job->key);
                job->result = ItemCatalogue::readOn(own, job->previous);
            } catch (...) {
                job->result.reset();
            }
            // The worker's connection and scratch buffers go back to the
            // system rather than stay with its heap.
            platform::returnFreeMemory();
        });
        connect(mThread, &QThread::finished, this, [this] { finished(); });
        mThread->start(QThread::LowPriority);
        return true;
    });
}

void CatalogueRefresh::finished()
{
    mThread->wait();
    delete mThread;
    mThread = nullptr;
    const std::shared_ptr<Job> job = std::move(mJob);
    const bool kept = diag::run("frmFind", "CatalogueRefreshed", false, [&] {
        db::Store *store = mStore();
        if (!job->result || !store || store->filePath() != job->path || store->onServer())
            return false;
        db::Connection &conn = store->database().connection();
        // Kept only when no other register changed the store meanwhile; this
        // register's own writes since are read back by the finder, as after
        // a posting.
        if (conn.inTransaction() || conn.changeStamp().first != job->stamp.first)
            return false;
        ItemCatalogue::keep(*store, ItemCatalogue::Kept{job->stamp, job->writeMark, job->result, {}, {}});
        return true;
    });
    if (mFinished)
        mFinished(kept);
    emit finishedReading(kept);
}

} // namespace vanta::lookup
