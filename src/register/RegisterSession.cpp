#include "register/RegisterSession.h"

#include "db/KeptData.h"
#include "platform/SettingsStore.h"

namespace vanta {

void RegisterSession::openStore(const QString &dataPath)
{
    std::unique_ptr<journal::SaleJournal> previous = std::move(mJournal);
    mStore.reset();
    // A server store's password, when the password file does not hold it.
    const QString password = db::Store::isServerAddress(dataPath)
                                 ? settings.read(QStringLiteral("Marlux"), QStringLiteral("Pathing"),
                                                 QStringLiteral("Store Password"), QString())
                                 : QString();
    mStore = std::make_unique<db::Store>(dataPath, db::Store::defaultKey(), password);
    DataPath = dataPath;
    if (!journalFolder.isEmpty())
        mJournal = std::make_unique<journal::SaleJournal>(journalFolder, databaseFile(), journalSync);
    // The open sale goes with the register to this store: the store it
    // leaves no longer keeps it.
    if (previous && (!mJournal || previous->path() != mJournal->path()))
        previous->clear();
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
