#include "register/RegisterCustomers.h"

#include "db/DbError.h"
#include "db/FileConnection.h"
#include "db/PgConnection.h"
#include "db/Store.h"
#include "register/RegisterLists.h"

#include <QThread>
#include <algorithm>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace vanta {

namespace {
const QString kWalkIn = QStringLiteral("CASH SALE");
} // namespace

struct RegisterCustomers::Job {
    QString path;
    QString key;
    QString password;
    bool server = false;
    QThread *thread = nullptr;
    CustomerList result;
    std::exception_ptr error;
};

RegisterCustomers::RegisterCustomers(int readAtOnce, QObject *parent) : QObject(parent), mReadAtOnce(readAtOnce) {}

RegisterCustomers::~RegisterCustomers()
{
    for (QThread *thread : mThreads) {
        thread->wait();
        delete thread;
    }
}

void RegisterCustomers::load(db::Store &store)
{
    mPending.reset(); // whatever an earlier read brings is no longer wanted
    db::Connection &conn = store.database().connection();
    if (CountActiveCustomers(conn, mReadAtOnce) <= mReadAtOnce) {
        CustomerList list = ReadCustomerList(conn, kWalkIn);
        mEntries = std::move(list.entries);
        mWalkIn = list.match >= 0 ? std::optional(mEntries[list.match].id) : std::nullopt;
    } else {
        if (mStorePath != store.filePath() || mEntries.isEmpty()) {
            mEntries = ReadCustomersNamed(conn, kWalkIn);
            mWalkIn = mEntries.isEmpty() ? std::nullopt : std::optional(mEntries.last().id);
        }
        startReading(store);
    }
    mStorePath = store.filePath();
}

const RegisterCustomers::Entry *RegisterCustomers::entry(qint32 custId) const
{
    const auto it = std::find_if(mEntries.cbegin(), mEntries.cend(), [&](const Entry &e) { return e.id == custId; });
    return it != mEntries.cend() ? &*it : nullptr;
}

bool RegisterCustomers::listed(db::Store &store, qint32 custId)
{
    if (entry(custId))
        return true;
    if (!loading())
        return false;
    const std::optional<Entry> read = ReadCustomerEntry(store.database().connection(), custId);
    if (read)
        mEntries.append(*read);
    return read.has_value();
}

void RegisterCustomers::startReading(db::Store &store)
{
    auto job = std::make_shared<Job>();
    job->path = store.filePath();
    job->key = store.key();
    job->password = store.serverPassword();
    job->server = store.onServer();
    job->thread = QThread::create([job] {
        try {
            std::unique_ptr<db::Connection> own;
            if (job->server)
                own = std::make_unique<db::PgConnection>(job->path, job->password);
            else
                own = std::make_unique<db::FileConnection>(job->path, job->key);
            job->result = ReadCustomerList(*own, kWalkIn);
        } catch (const VantaError &e) {
            job->error = std::make_exception_ptr(
                db::DbError(e.number(), QStringLiteral("The list of customers could not be read: %1\n\nThe "
                                                       "register lists only the customers chosen so far.")
                                            .arg(e.description())));
        } catch (...) {
            job->error = std::current_exception();
        }
#ifdef __GLIBC__
        // The connection's page cache goes back to the system rather than
        // stay with the worker's heap as resident memory no one uses.
        malloc_trim(0);
#endif
    });
    mThreads.push_back(job->thread);
    mPending = job;
    connect(job->thread, &QThread::finished, this, [this, job] { finished(job); });
    job->thread->start(QThread::LowPriority);
}

void RegisterCustomers::finished(const std::shared_ptr<Job> &job)
{
    if (!job->thread)
        return; // taken already (finishLoading)
    mThreads.erase(std::find(mThreads.begin(), mThreads.end(), job->thread));
    job->thread->wait();
    delete job->thread;
    job->thread = nullptr;
    apply(job);
}

void RegisterCustomers::finishLoading()
{
    if (const std::shared_ptr<Job> job = mPending)
        finished(job);
}

void RegisterCustomers::apply(const std::shared_ptr<Job> &job)
{
    if (job != mPending)
        return; // a read for an earlier list
    mPending.reset();
    if (!job->error) {
        mEntries = std::move(job->result.entries);
        mWalkIn = job->result.match >= 0 ? std::optional(mEntries[job->result.match].id) : std::nullopt;
    }
    if (mLoaded)
        mLoaded(job->error);
}

} // namespace vanta
