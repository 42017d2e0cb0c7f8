#include "register/RegisterSession.h"

namespace vanta {

void RegisterSession::openStore(const QString &dataPath)
{
    std::unique_ptr<journal::SaleJournal> previous = std::move(mJournal);
    mStore.reset();
    mStore = std::make_unique<db::Store>(dataPath);
    DataPath = dataPath;
    if (!journalFolder.isEmpty())
        mJournal = std::make_unique<journal::SaleJournal>(journalFolder, databaseFile(), journalSync);
    // The open sale goes with the register to this store: the store it
    // leaves no longer keeps it.
    if (previous && (!mJournal || previous->path() != mJournal->path()))
        previous->clear();
}

} // namespace vanta
