#pragma once

#include "db/Store.h"
#include "journal/SaleJournal.h"
#include "offline/OfflineShelf.h"
#include "platform/ModalActivity.h"
#include "platform/ProfileFile.h"
#include "platform/SettingsStore.h"
#include "platform/TrackedDialogRunner.h"
#include "platform/TrackedPrompt.h"
#include "posting/ReportSettings.h"
#include "sale/Sale.h"
#include "security/Identity.h"
#include "tax/SaleTax.h"

#include <QString>
#include <functional>
#include <memory>

namespace vanta::posting {
class SaleDocuments;
}

namespace vanta::platform {
class SettingsStore;
} // namespace vanta::platform

namespace vanta {

// The register's state for one run: the open store, the current sale, the
// employee at the register and the platform services the register window
// works through. One instance is made by main() (or a test) and given to the
// register window; other parts get only the pieces they use.
class RegisterSession {
    // Every box and dialog shown through the session is counted while it is
    // open, so that the register can hold back scans meanwhile.
    platform::ModalActivity mModals;
    platform::TrackedPrompt mTrackedPrompt;
    platform::TrackedDialogRunner mTrackedDialogs;

public:
    RegisterSession(platform::Prompt &prompt, platform::DialogRunner &dialogs,
                    platform::SettingsStore &settings, const QString &usersIniPath)
        : mTrackedPrompt(prompt, mModals), mTrackedDialogs(dialogs, mModals), prompt(mTrackedPrompt),
          dialogs(mTrackedDialogs), settings(settings), users(usersIniPath), journalFolder(settings.folder())
    {
        keepStampFresh();
        taxTheSaleFromTheStore();
    }

    bool hasStore() const { return mStore != nullptr; }
    // The open store; throws a DbError when none is open.
    db::Store &store() const { return db::requireStore(mStore.get()); }
    // The open store, or none.
    db::Store *storeOrNone() const { return mStore.get(); }
    // Opens DataPath's store (closing any open one first) and its journal;
    // for a server store, also what lets the register sell while the server
    // is away (offline()).
    void openStore(const QString &dataPath);
    // Opens the local copy of the server store at `serverAddress` in its
    // place, to sell from while the server is away; false when the register
    // has no copy of it. Throws DbError when the copy cannot be read (it is
    // set aside).
    bool openLocalCopy(const QString &serverAddress);
    void closeStore()
    {
        mJournal.reset();
        mStore.reset();
        mOffline.reset();
    }
    // What lets the register sell while the server is away: none for a
    // store file.
    offline::OfflineShelf *offline() const { return mOffline.get(); }
    bool sellingOffline() const { return mOffline && mOffline->sellingOffline; }
    // A number for a new sale: drawn from the store, or while selling
    // offline taken from those set aside for this register. Throws
    // OfflineError when none is left.
    qint32 newSaleNumber();
    // The open store's journal of the open sale; none without a store or
    // with journalling off.
    journal::SaleJournal *journal() const { return mJournal.get(); }
    QString databaseFile() const { return db::Store::databaseFile(DataPath); }

    bool loggedOn() const { return identity.loggedOn(); }
    // The boxes and dialogs of the register open right now.
    platform::ModalActivity &modals() { return mModals; }

    // The boxes and dialogs of the register: show every one through these.
    platform::Prompt &prompt;
    platform::DialogRunner &dialogs;
    platform::SettingsStore &settings;
    platform::ProfileFile users; // Users.ini: report settings per employee name
    // Receipts and reports of posted sales; none means no printer.
    posting::SaleDocuments *documents = nullptr;

    QString DataPath;     // folder holding vanta.mdb, no trailing separator
    QString PicturesPath; // DataPath + "/Pictures/"
    sale::Sale sale; // the sale on the register
    // The last ordinary sale whose receipt this register printed (0: none
    // yet this run) and the employee who sold it: what "Reprint last
    // receipt" prints again.
    qint32 lastReceiptSale = 0;
    qint32 lastReceiptEmployee = 0;

    security::Identity identity; // the employee at the register and the security switch
    posting::ReportSettings reportSettings;

    double salesTaxRate = 0.0; // Company `sales tax`, cached at start-up

    // Where the open sale is journaled, a file per store (the per-user
    // settings folder); empty: not journaled. Read when a store opens.
    QString journalFolder;
    journal::JournalFile::Sync journalSync = journal::JournalFile::Sync::Behind;
    // Where the register keeps backups of its stores, a folder per store;
    // empty: it makes none by itself.
    QString backupFolder;
    // The user's data folder: the start window makes the demo store there
    // and every file dialog starts there.
    QString userDataFolder;
    // Makes the demo store in a folder (the program has vanta-admin make
    // it); throws VantaError with the reason when it cannot.
    std::function<void(const QString &folder)> makeDemoStore;

private:
    // While a box or dialog was open another register may have changed the
    // store: a span of work reads the store's change stamp again after it.
    void keepStampFresh();
    // The sale's tax is worked out from the open store.
    void taxTheSaleFromTheStore();

    // The journal of the store at `location` (a server's copy keeps the
    // server's journal), the one before cleared when it is another.
    void openJournal(const QString &location, std::unique_ptr<journal::SaleJournal> previous);

    std::unique_ptr<db::Store> mStore;
    std::unique_ptr<journal::SaleJournal> mJournal;
    std::unique_ptr<offline::OfflineShelf> mOffline;
};

} // namespace vanta
