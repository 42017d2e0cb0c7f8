#pragma once

#include "register/CustomerListModel.h"

#include <QObject>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class QThread;

namespace vanta::db {
class Store;
}

namespace vanta {

// The register's customer list (every active customer, "Name - Phone", by
// name) and the walk-in customer a new sale starts with. A store of up to
// `readAtOnce` active customers is read at once. A larger one lists the
// walk-in customer ("CASH SALE", found through the name index) at once and
// reads the whole list on a worker thread with a connection of its own, so
// that the register is ready without waiting for a hundred thousand rows; a
// customer picked by number meanwhile is read by number and listed.
class RegisterCustomers : public QObject {
    Q_OBJECT
public:
    static constexpr int kReadAtOnce = 2000;
    using Entry = CustomerListModel::Entry;

    explicit RegisterCustomers(int readAtOnce = kReadAtOnce, QObject *parent = nullptr);
    ~RegisterCustomers() override; // waits for running reads

    // Called when a background read ends: with no error the whole list is
    // in entries(); with one, entries() stay as they were.
    void setLoadedCallback(std::function<void(std::exception_ptr error)> f) { mLoaded = std::move(f); }

    // Reads the store's list (again). Read again from the same store, a
    // large list stays as it was until the new one arrives; a read still
    // running for an earlier call is dropped.
    void load(db::Store &store);
    const QList<Entry> &entries() const { return mEntries; }
    // The customer a new sale starts with; none when no walk-in customer is
    // listed.
    std::optional<qint32> walkIn() const { return mWalkIn; }
    // A background read is running for the list shown.
    bool loading() const { return mPending != nullptr; }
    const Entry *entry(qint32 custId) const;
    // Whether the customer is listed. While the list loads, an active
    // customer not yet in it is read by number and added.
    bool listed(db::Store &store, qint32 custId);
    // Waits for the running read and takes its result now.
    void finishLoading();

private:
    struct Job;
    void startReading(db::Store &store);
    void finished(const std::shared_ptr<Job> &job);
    void apply(const std::shared_ptr<Job> &job);

    int mReadAtOnce;
    QString mStorePath; // the store the entries come from
    QList<Entry> mEntries;
    std::optional<qint32> mWalkIn;
    std::function<void(std::exception_ptr)> mLoaded;
    std::shared_ptr<Job> mPending; // the read whose result is wanted
    std::vector<QThread *> mThreads;
};

} // namespace vanta
