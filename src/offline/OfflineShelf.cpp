#include "offline/OfflineShelf.h"

#include "db/Store.h"
#include "offline/LocalCopy.h"

#include <QDir>
#include <QFileInfo>

namespace vanta::offline {

OfflineShelf::OfflineShelf(const QString &settingsFolder, const QString &serverAddress)
    : queue(LocalCopy::folderFor(settingsFolder, serverAddress) + QStringLiteral("/queue")),
      numbers(LocalCopy::folderFor(settingsFolder, serverAddress) + QStringLiteral("/numbers")),
      mAddress(serverAddress), mFolder(LocalCopy::folderFor(settingsFolder, serverAddress))
{
    QDir().mkpath(mFolder); // where the numbers are kept; the copy and the queue make theirs
}

QDateTime OfflineShelf::copyTime() const
{
    // The copy is moved into place whole once read: its file's time is the read's end.
    const QFileInfo file(db::Store::databaseFile(mFolder));
    return file.exists() ? file.lastModified() : QDateTime();
}

} // namespace vanta::offline
