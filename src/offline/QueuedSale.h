#pragma once

#include "posting/PostingRequest.h"
#include "sale/clsSaleItem.h"

#include <QByteArray>
#include <QDateTime>
#include <vector>

namespace vanta::offline {

// A sale rung up while the server was away, as it waits to be posted: its
// lines as sold, when it was sold and what posting is asked to store.
struct QueuedSale {
    QDateTime soldAt;
    std::vector<sale::clsSaleItem> lines;
    posting::PostingRequest request; // an ordinary sale: no invoice details

    qint32 saleId() const { return request.saleId; }
};

// The sale as the queue keeps it, and back. Decoding throws OfflineError on
// a record it cannot read whole.
QByteArray encodeQueuedSale(const QueuedSale &sale);
QueuedSale decodeQueuedSale(const QByteArray &record);

} // namespace vanta::offline
