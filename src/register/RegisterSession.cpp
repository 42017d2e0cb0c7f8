#include "register/RegisterSession.h"

#include "db/KeptData.h"
#include "db/UniqueId.h"
#include "offline/LocalCopy.h"
#include "offline/OfflineError.h"
#include "platform/SettingsStore.h"

namespace vanta {

void RegisterSession::openStore(const QString &dataPath)
{
    std::unique_ptr<journal::SaleJournal> previous = std::move(mJournal);
    mStore.reset();
    mOffline.reset();
    // A server store's password, when the password file does not hold it.
    const bool server = db::Store::isServerAddress(dataPath);
    const QString password = server ? settings.read(QStringLiteral("Marlux"), QStringLiteral("Pathing"),
                                                    QStringLiteral("Store Password"), QString())
                                    : QString();
    mStore = std::make_unique<db::Store>(dataPath, db::Store::defaultKey(), password);
    DataPath = dataPath;
    if (server)
        mOffline = std::make_unique<offline::OfflineShelf>(settings.folder(), dataPath);
    openJournal(dataPath, std::move(previous));
}

bool RegisterSession::openLocalCopy(const QString &serverAddress)
{
    auto shelf = std::make_unique<offline::OfflineShelf>(settings.folder(), serverAddress);
    // The store open so far stays open until the copy is.
    std::unique_ptr<db::Store> copy = offline::LocalCopy::open(shelf->copyFolder(), db::Store::defaultKey());
    if (!copy)
        return false;
    std::unique_ptr<journal::SaleJournal> previous = std::move(mJournal);
    mStore = std::move(copy);
    shelf->sellingOffline = true;
    mOffline = std::move(shelf);
    DataPath = serverAddress;
    openJournal(serverAddress, std::move(previous));
    return true;
}

void RegisterSession::openJournal(const QString &location, std::unique_ptr<journal::SaleJournal> previous)
{
    if (!journalFolder.isEmpty())
        mJournal = std::make_unique<journal::SaleJournal>(journalFolder, db::Store::databaseFile(location),
                                                          journalSync);
    // The open sale goes with the register to this store: the store it
    // leaves no longer keeps it.
    if (previous && (!mJournal || previous->path() != mJournal->path()))
        previous->clear();
}

qint32 RegisterSession::newSaleNumber()
{
    if (!sellingOffline())
        return db::NewUniqueID(store());
    if (const std::optional<qint32> n = mOffline->numbers.take())
        return *n;
    throw offline::OfflineError(QStringLiteral("This register has used every sale number it set aside for selling "
                                               "while the store server is away. It can sell again once the server "
                                               "is back."));
}

void RegisterSession::taxTheSaleFromTheStore()
{
    sale.setTaxWork([this](const sale::Sale &s) {
        return mStore ? tax::ComputeSaleTax(*mStore, s.lines(), s.customer(), sale::dollars(s.shipping().chargeCents))
                      : sale::SaleTax();
    });
}

void RegisterSession::keepStampFresh()
{
    QObject::connect(&mModals, &platform::ModalActivity::allClosed, [this] {
        if (mStore)
            db::StampSpan::readAgain(*mStore);
    });
}

} // namespace vanta
