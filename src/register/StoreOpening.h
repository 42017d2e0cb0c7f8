#pragma once

#include "register/StoreBackups.h"

#include <QSet>
#include <QString>
#include <functional>
#include <memory>

namespace vanta {

class DeferredMessage;
class RegisterSession;

namespace db {
class BackgroundStoreCheck;
}
namespace lookup {
class CatalogueRefresh;
}

// Opens the register's store: a shared store on a server when one is set,
// else the data folder given for this run or kept in the settings, asking
// for the file when there is none. Once a store file is open its pages are
// checked in the background, and the finder's catalogue is read again after
// another register changed it.
class StoreOpening {
public:
    // `closeRegister`: a chosen file that is no store ends the register.
    StoreOpening(RegisterSession &session, QString dataOverride, DeferredMessage &messages,
                 std::function<void()> closeRegister);
    ~StoreOpening();

    // Opens the store of the settings (or of this run). Without one, or
    // with one the register cannot work on, the cashier may choose a file.
    void open();
    // Asks for the store file; a file chosen is kept in the settings and
    // opened. Cancelled: the register goes on as it was.
    void choose();
    // The backups of the open store.
    StoreBackups &backups() { return mBackups; }

private:
    void addMissingTables();
    void startChecks();
    void warnIfReadableByEveryone();

    RegisterSession &mSession;
    QString mDataOverride;
    DeferredMessage &mMessages;
    std::function<void()> mCloseRegister;
    std::unique_ptr<db::BackgroundStoreCheck> mStoreCheck;
    std::unique_ptr<lookup::CatalogueRefresh> mCatalogueRefresh;
    QSet<QString> mWarnedReadable;
    StoreBackups mBackups;
};

} // namespace vanta
