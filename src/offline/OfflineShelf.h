#pragma once

#include "offline/OfflineNumbers.h"
#include "offline/SaleQueue.h"

#include <QDateTime>
#include <QString>

namespace vanta::offline {

// What a register keeps on this computer for a server store, so that it can
// sell while the server is away: the store's local copy, the sale numbers
// set aside for it and the queue of sales waiting for the server, in one
// folder per server address under the per-user settings' folder.
class OfflineShelf {
public:
    OfflineShelf(const QString &settingsFolder, const QString &serverAddress);

    const QString &serverAddress() const { return mAddress; }
    // The folder of the local copy (its store file lies in it).
    const QString &copyFolder() const { return mFolder; }
    // When the copy was read from the server; null without one.
    QDateTime copyTime() const;

    SaleQueue queue;
    OfflineNumbers numbers;
    // True while the register sells from the copy.
    bool sellingOffline = false;

private:
    QString mAddress;
    QString mFolder;
};

} // namespace vanta::offline
