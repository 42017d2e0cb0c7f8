// The start window: the register's first start, or a start whose store is
// gone, offers the stores it can sell from.
#include "register/StoreOpening.h"

#include "db/DbError.h"
#include "db/Store.h"
#include "diagnostics/ApplicationTitle.h"
#include "platform/Utility.h"
#include "register/RegisterSession.h"
#include "register/frmStart.h"

#include <QDir>
#include <QFileInfo>

namespace vanta {

bool StoreOpening::startWindow(const QString &note)
{
    for (;;) {
        frmStart start(note);
        if (mSession.dialogs.run(start) != QDialog::Accepted)
            return false;
        bool opened = false;
        switch (start.choice()) {
        case StartChoice::DemoStore: opened = openDemoStore(); break;
        case StartChoice::NewStore: opened = createNewStore(); break;
        case StartChoice::StoreFile: opened = openStoreFile(); break;
        case StartChoice::SharedStore: opened = connectSharedStore(); break;
        case StartChoice::None: return false;
        }
        if (opened)
            return true;
    }
}

bool StoreOpening::openDemoStore()
{
    const QString folder = QDir(dataFolder()).filePath(QStringLiteral("demo"));
    if (!db::Store::exists(folder)) {
        try {
            if (!mSession.makeDemoStore)
                throw VantaError(3044, QStringLiteral("This register cannot make stores."), applicationTitle());
            mSession.makeDemoStore(folder);
        } catch (const VantaError &e) {
            tell(QStringLiteral("The demo store could not be made in %1.\n\n%2")
                     .arg(QDir::toNativeSeparators(folder), e.description()));
            return false;
        }
    }
    return keepStore(folder);
}

bool StoreOpening::createNewStore()
{
    const std::optional<QString> folder
        = mSession.prompt.chooseFolder(QStringLiteral("Choose a Folder for the New Store"), dataFolder());
    if (!folder)
        return false;
    try {
        db::Store::create(*folder);
    } catch (const VantaError &e) {
        tell(QStringLiteral("No store was created.\n\n%1").arg(e.description()));
        return false;
    }
    return keepStore(*folder);
}

bool StoreOpening::openStoreFile()
{
    const std::optional<QString> chosen = askStoreFile();
    if (!chosen)
        return false;
    const QString folder = QFileInfo(*chosen).absolutePath();
    if (!platform::FileExists(*chosen)
        || QFileInfo(db::Store::databaseFile(folder)).canonicalFilePath() != QFileInfo(*chosen).canonicalFilePath()) {
        tell(QStringLiteral("%1 is not a store database. A store database is a file named %2.")
                 .arg(QDir::toNativeSeparators(*chosen), db::Store::fileName()));
        return false;
    }
    return keepStore(folder);
}

bool StoreOpening::connectSharedStore()
{
    const std::optional<QString> address = mSession.prompt.input(
        QStringLiteral("The address of the shared store, such as postgresql://vanta_pos@storehost/vanta_store\n"
                       "(the password comes from the password file ~/.pgpass):"),
        QStringLiteral("Connect to a Shared Store"));
    if (!address)
        return false;
    const QString location = address->trimmed();
    if (!db::Store::isServerAddress(location)) {
        tell(QStringLiteral("\"%1\" is not the address of a shared store. It begins with postgresql://, "
                            "such as postgresql://vanta_pos@storehost/vanta_store.")
                 .arg(location));
        return false;
    }
    return keepStore(location);
}

bool StoreOpening::keepStore(const QString &location)
{
    try {
        mSession.openStore(location);
    } catch (const VantaError &e) {
        tell(e.description());
        return false;
    }
    auto save = [this](const QString &key, const QString &value) {
        mSession.settings.save(QStringLiteral("Marlux"), QStringLiteral("Pathing"), key, value);
    };
    if (db::Store::isServerAddress(location)) {
        save(QStringLiteral("Store"), location);
    } else {
        save(QStringLiteral("Datapath"), QDir::toNativeSeparators(location));
        save(QStringLiteral("DatabasePath"), QDir::toNativeSeparators(db::Store::databaseFile(location)));
        save(QStringLiteral("Store"), QString());
    }
    mDataOverride.clear();
    storeOpened();
    return true;
}

void StoreOpening::tell(const QString &text, platform::Icon icon)
{
    mSession.prompt.message(text, platform::Buttons::Ok, icon, applicationTitle());
}

} // namespace vanta
