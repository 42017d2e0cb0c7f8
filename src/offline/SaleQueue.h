#pragma once

#include "offline/QueuedSale.h"

#include <QString>
#include <QStringList>

namespace vanta::offline {

// The sales rung up while the server was away, waiting in a folder of their
// own to be posted in the order they were sold: a file per sale, written
// beside its place, put on disk and then moved into it, with a checksum, so
// that a kill or a power cut leaves each sale either whole in the queue or
// not there at all (and then still on the register).
class SaleQueue {
public:
    explicit SaleQueue(QString folder);

    const QString &folder() const { return mFolder; }
    // The entries waiting, oldest first (file names within the folder).
    QStringList entries() const;
    int size() const { return int(entries().size()); }
    bool empty() const { return entries().isEmpty(); }

    // Adds the sale as the newest entry; it is on disk when this returns.
    // Throws OfflineError when it cannot be written (nothing is queued).
    void add(const QueuedSale &sale);
    // The sale of an entry. Throws OfflineError naming the entry when it
    // cannot be read whole.
    QueuedSale read(const QString &entry) const;
    // Whether a sale of that number waits in the queue.
    bool holds(qint32 saleId) const;
    // Takes a posted entry out of the queue.
    void remove(const QString &entry);
    // Moves an entry that cannot be posted out of the queue, under a name of
    // its own beside it ("<entry>.damaged", say); answers that file's path.
    QString setAside(const QString &entry, const QString &suffix);

private:
    QString pathOf(const QString &entry) const { return mFolder + QLatin1Char('/') + entry; }

    QString mFolder;
};

} // namespace vanta::offline
