#pragma once

#include "offline/SaleQueue.h"

#include <QString>
#include <QStringList>
#include <map>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::offline {

// A good sold while the server was away whose stock is now below zero.
struct StockBelowZero {
    QString name;
    double stock = 0;
    bool operator==(const StockBelowZero &) const = default;
};

// Posting the sales of the queue to the server once it is back, oldest
// first, each exactly once: a sale is taken out of the queue only after its
// posting committed, and one found in the store already (its posting
// committed but the answer was lost with the server) is taken out without
// posting it again. The sale's number, set aside for this register, tells
// it apart from every other sale. The goods are sold as they were, even
// beyond the stock the server has now.
class CatchUp {
public:
    CatchUp(db::Store &server, SaleQueue &queue) : mServer(server), mQueue(queue) {}

    // Posts the oldest waiting sale; false when none waits. Throws the
    // store's error when the server is lost or refuses (the sale stays first
    // in the queue). A sale that cannot be read, or that the server's data
    // no longer allows (its customer deleted, say), is set aside in the
    // queue's folder and named in setAside().
    bool postNext();
    // Posts every waiting sale.
    void postAll()
    {
        while (postNext()) {
        }
    }

    int posted() const { return mPosted; }
    // Found posted already.
    int postedBefore() const { return mPostedBefore; }
    // The sales set aside, each as "<file>: <why>".
    const QStringList &setAside() const { return mSetAside; }
    // The goods of the sales posted so far whose stock is now below zero,
    // read from the server.
    std::vector<StockBelowZero> belowZero() const;

private:
    void setAsideEntry(const QString &entry, const QString &suffix, const QString &why);
    void noteGoods(const QueuedSale &sale);

    db::Store &mServer;
    SaleQueue &mQueue;
    int mPosted = 0;
    int mPostedBefore = 0;
    QStringList mSetAside;
    // The goods sold, by kind and number (items, variants), with their names.
    std::map<std::pair<int, qint32>, QString> mGoods;
};

} // namespace vanta::offline
