#pragma once

#include "platform/Prompt.h"
#include "register/StoreBackups.h"

#include <QSet>
#include <QTimer>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace vanta {

class DeferredMessage;
class RegisterSession;

namespace db {
class BackgroundStoreCheck;
}
namespace lookup {
class CatalogueRefresh;
}
namespace offline {
class CatchUp;
class CopyKeeper;
}

// Opens the register's store: a shared store on a server when one is set,
// else the data folder given for this run or kept in the settings; without
// one, the start window offers the demo store, a new store, a store file or
// a shared store. Once a store file is open its pages are
// checked in the background, and the finder's catalogue is read in the
// background as soon as the register is up, and again after another
// register changed it.
class StoreOpening {
public:
    // `closeRegister`: a chosen file that is no store, or the start window
    // closed without a store, ends the register.
    // `showState`: the line that tells of selling offline and of sales
    // waiting for the server.
    StoreOpening(RegisterSession &session, QString dataOverride, DeferredMessage &messages,
                 std::function<void()> closeRegister, std::function<void(const QString &)> showState);
    ~StoreOpening();

    // Opens the store of the settings (or of this run). Without one the
    // start window opens; with one the register cannot work on, the cashier
    // may choose a file.
    void open();
    // Asks for the store file; a file chosen is kept in the settings and
    // opened. Cancelled: the register goes on as it was.
    void choose();
    // The backups of the open store.
    StoreBackups &backups() { return mBackups; }
    // The background reader of the finder's catalogue; none for a server store.
    lookup::CatalogueRefresh *catalogueReader() { return mCatalogueRefresh.get(); }
    // Says again how the register stands with the server (after a sale
    // kept for it, say).
    void showOfflineState();
    // Posts the sales kept while the server was away, one per turn of the
    // event loop, until none waits; what could not be posted and what went
    // below zero is said at the end.
    void catchUp();
    bool catchingUp() const;
    // On a server store with a local copy: whether the register could go on
    // selling from the copy if the server were lost now.
    bool canGoOffline() const;
    // The server lost in the middle of the run: the register sells from its
    // copy from now on (said on the status line); false when it has none.
    bool goOffline();

private:
    // The start window, again after each choice that failed, until a store
    // is open (true) or it is closed (false).
    bool startWindow(const QString &note);
    bool openDemoStore();
    bool createNewStore();
    bool openStoreFile();
    bool connectSharedStore();
    // Opens the store of a data folder or server address; once it is open it
    // is kept in the settings. Refused: said in plain words, false.
    bool keepStore(const QString &location);
    // The open-file dialog for a store file; nullopt when cancelled.
    std::optional<QString> askStoreFile();
    // The user's data folder, made when missing.
    QString dataFolder() const;
    void tell(const QString &text, platform::Icon icon = platform::Icon::Exclamation);
    void storeOpened();
    void addMissingTables();
    void startChecks();
    void warnIfReadableByEveryone();
    // A server store that cannot be reached: the register's copy of it is
    // opened to sell from; false when it has none.
    bool openLocalCopy(const QString &address);
    // On a server store: its copy kept current, sale numbers set aside, the
    // sales waiting posted.
    void prepareForOffline();
    void catchUpStep();
    void caughtUp();

    RegisterSession &mSession;
    QString mDataOverride;
    DeferredMessage &mMessages;
    std::function<void()> mCloseRegister;
    std::unique_ptr<db::BackgroundStoreCheck> mStoreCheck;
    std::unique_ptr<lookup::CatalogueRefresh> mCatalogueRefresh;
    std::function<void(const QString &)> mShowState;
    std::unique_ptr<offline::CopyKeeper> mCopyKeeper;
    std::unique_ptr<offline::CatchUp> mCatchUp;
    std::unique_ptr<QTimer> mCatchUpTimer;
    QSet<QString> mWarnedReadable;
    StoreBackups mBackups;
};

} // namespace vanta
