#include "register/StoreOpening.h"

#include "db/DbError.h"
#include "db/Schema.h"
#include "db/StoreCheck.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "lookup/CatalogueRefresh.h"
#include "offline/CatchUp.h"
#include "offline/CopyKeeper.h"
#include "platform/Utility.h"
#include "register/DeferredMessage.h"
#include "register/RegisterSession.h"

#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <algorithm>

namespace vanta {

namespace {
const QString kTitle = applicationTitle();

QString pathing(platform::SettingsStore &settings, const QString &key, const QString &fallback)
{
    return settings.read(QStringLiteral("Marlux"), QStringLiteral("Pathing"), key, fallback);
}
} // namespace

StoreOpening::StoreOpening(RegisterSession &session, QString dataOverride, DeferredMessage &messages,
                           std::function<void()> closeRegister, std::function<void(const QString &)> showState)
    : mSession(session), mDataOverride(std::move(dataOverride)), mMessages(messages),
      mCloseRegister(std::move(closeRegister)), mShowState(std::move(showState)),
      mBackups(session.backupFolder, messages)
{
}

StoreOpening::~StoreOpening() = default;

void StoreOpening::open()
{
    diag::run("frmPOS", "Set_Database", [&] {
        // A shared store on a server, when one is set, comes before the data folder.
        QString dataPath = mDataOverride;
        if (dataPath.isEmpty())
            dataPath = pathing(mSession.settings, QStringLiteral("Store"), QString());
        if (dataPath.isEmpty())
            dataPath = pathing(mSession.settings, QStringLiteral("Datapath"), QStringLiteral("None"));
        mSession.DataPath = dataPath;
        const bool none = dataPath == QLatin1String("None") || dataPath.isEmpty();
        if (!db::Store::isServerAddress(dataPath)
            && (none || !platform::FileExists(db::Store::databaseFile(dataPath)))) {
            const QString note = none ? QString()
                                      : QStringLiteral("No store database was found in %1.")
                                            .arg(QDir::toNativeSeparators(dataPath));
            if (!startWindow(note))
                mCloseRegister();
            return;
        }
        try {
            mSession.openStore(dataPath);
            storeOpened();
        } catch (const db::DbError &e) {
            // A file the register cannot work on: said once, with the way out.
            if (e.number() != db::ErrNotStoreDatabase && e.number() != db::ErrMissingTables
                && e.number() != db::ErrReadOnly && e.number() != db::ErrServerGone
                && e.number() != db::ErrStoreAddress)
                throw;
            // The server away: the register sells from its copy of the store.
            if (e.number() == db::ErrServerGone && openLocalCopy(dataPath))
                return;
            const QString noCopy = e.number() == db::ErrServerGone
                                       ? QStringLiteral("\n\nThis register has no copy of the store to sell from "
                                                        "while the server is away: it makes one once it has "
                                                        "reached the server.")
                                       : QString();
            if (mSession.prompt.message(e.description() + noCopy
                                            + QStringLiteral("\n\nDo you want to choose another store database?"),
                                        platform::Buttons::YesNo, platform::Icon::Critical, kTitle)
                == platform::Answer::Yes)
                choose();
        }
    });
}

void StoreOpening::storeOpened()
{
    addMissingTables();
    warnIfReadableByEveryone();
    startChecks();
    prepareForOffline();
}

// Tables added since older stores were made are added where the store
// lets the register; otherwise the owner is told once what to run. Sales go
// on either way.
void StoreOpening::addMissingTables()
{
    db::Connection &conn = mSession.store().database().connection();
    const QStringList missing = db::missingAddedTables(conn);
    if (missing.isEmpty())
        return;
    try {
        db::createAddedTables(conn);
    } catch (const db::DbError &e) {
        const QString store = mSession.store().onServer() ? QStringLiteral("--pg ") + mSession.DataPath
                                                          : QDir::toNativeSeparators(mSession.DataPath);
        // Missing indexes only slow the store's figures down; missing tables
        // change what a return refunds.
        const bool tables = std::any_of(missing.cbegin(), missing.cend(),
                                        [](const QString &name) { return db::findTable(name) != nullptr; });
        mMessages.queue(QStringLiteral("This store lacks %1, and the register could not add them:\n%2\n\n%3"
                                       "To add them, run as the store's owner:\n\nvanta-admin upgrade %4")
                            .arg(missing.join(QStringLiteral(", ")), e.description(),
                                 tables ? QStringLiteral("Sales go on, but returns of them are refunded at their "
                                                         "sold price. ")
                                        : QStringLiteral("Sales go on, but the store's figures are slow to show. "),
                                 store),
                        platform::Buttons::Ok, platform::Icon::Exclamation, kTitle);
    }
}

// Damage inside the file shows only when the damaged pages are read: every
// page is checked once in the background after the store opens, and a
// damaged store is said in plain words and closed to new sales.
void StoreOpening::startChecks()
{
    mStoreCheck.reset();
    mCatalogueRefresh.reset();
    mCopyKeeper.reset();
    mCatchUp.reset();
    mCatchUpTimer.reset();
    mBackups.storeOpened(mSession.store());
    if (mSession.store().onServer())
        return; // the server keeps its own pages
    mCatalogueRefresh = std::make_unique<lookup::CatalogueRefresh>(
        [this] { return mSession.hasStore() ? &mSession.store() : nullptr; });
    // The first read starts once the register's window is up and waiting.
    QTimer::singleShot(0, mCatalogueRefresh.get(), &lookup::CatalogueRefresh::checkNow);
    const QString path = mSession.store().filePath();
    mStoreCheck = std::make_unique<db::BackgroundStoreCheck>(
        path, mSession.store().key(), [this, path](const db::StoreCheckResult &result) {
            diag::run("frmPOS", "StoreChecked", [&] {
                if (result.whole || !mSession.hasStore() || mSession.store().filePath() != path)
                    return;
                mSession.store().markDamaged(result.problem);
                mMessages.queue(mBackups.damagedStoreMessage(path, result.problem), platform::Buttons::Ok,
                                platform::Icon::Critical, kTitle);
            });
        });
}

std::optional<QString> StoreOpening::askStoreFile()
{
    return mSession.prompt.openFile(QStringLiteral("Open"),
                                    QStringLiteral("Vanta! Databases (vanta.mdb VANTA.MDB Vanta.mdb)"), dataFolder());
}

QString StoreOpening::dataFolder() const
{
    QDir().mkpath(mSession.userDataFolder);
    return mSession.userDataFolder;
}

void StoreOpening::choose()
{
    diag::run("frmPOS", "Find_Database", [&] {
        const std::optional<QString> chosen = askStoreFile();
        if (!chosen)
            return; // cancelled: the register runs on without a store
        if (platform::FileExists(*chosen)) {
            const QString folder = QFileInfo(*chosen).absolutePath();
            auto save = [this](const QString &key, const QString &value) {
                mSession.settings.save(QStringLiteral("Marlux"), QStringLiteral("Pathing"), key, value);
            };
            save(QStringLiteral("Datapath"), QDir::toNativeSeparators(folder));
            save(QStringLiteral("DatabasePath"), QDir::toNativeSeparators(*chosen));
            save(QStringLiteral("Store"), QString()); // a chosen file replaces a shared store set before
            mDataOverride.clear(); // the choice now stands in the settings
            open();
        } else {
            mSession.prompt.message(QStringLiteral("The selected database is invalid."), platform::Buttons::Ok,
                                    platform::Icon::Information, kTitle);
            mCloseRegister();
        }
    });
}

} // namespace vanta
