#pragma once

#include "db/Store.h"
#include "platform/ProfileFile.h"
#include "sale/clsSaleItems.h"
#include "security/clsPermissions.h"
#include "tax/SalesTax.h"

#include <QString>
#include <memory>

namespace vanta::posting {
class SaleDocuments;
}

namespace vanta::platform {
class Prompt;
class DialogRunner;
class SettingsStore;
} // namespace vanta::platform

namespace vanta {

// How reports are presented, per employee (kept in Users.ini).
struct ReportSettings {
    int destination = 0;   // 0 display on screen, 1 print to printer
    int reportDisplay = 0; // 0 normal, 1 minimized, 2 maximized
    int windowDisplay = 0; // 0 normal, 1 minimized
    bool alwaysOnTop = true;
};

// The register's state for one run: the open store, the current sale, the
// logged-on employee and the platform services every form works through.
// One instance is made by main() (or a test) and passed to the forms.
class RegisterSession {
public:
    RegisterSession(platform::Prompt &prompt, platform::DialogRunner &dialogs,
                    platform::SettingsStore &settings, const QString &usersIniPath)
        : prompt(prompt), dialogs(dialogs), settings(settings), users(usersIniPath) {}

    bool hasStore() const { return mStore != nullptr; }
    // The open store; throws a VantaError when none is open.
    db::Store &store() const;
    // Opens DataPath's store (closing any open one first).
    void openStore(const QString &dataPath);
    void closeStore() { mStore.reset(); }
    QString databaseFile() const { return db::Store::databaseFile(DataPath); }

    bool loggedOn() const { return employeeNumber > 0; }

    platform::Prompt &prompt;
    platform::DialogRunner &dialogs;
    platform::SettingsStore &settings;
    platform::ProfileFile users; // Users.ini: report settings per employee name
    // Receipts and reports of posted sales; none means no printer.
    posting::SaleDocuments *documents = nullptr;

    QString DataPath;     // folder holding vanta.mdb, no trailing separator
    QString PicturesPath; // DataPath + "/Pictures/"
    sale::clsSaleItems SaleItems;
    qint32 mlSaleID = 0;

    qint32 employeeNumber = 0;
    QString employeeName = QStringLiteral("None");
    security::clsPermissions permissions;
    bool mfSecurity = false;
    ReportSettings reportSettings;

    qint32 ShippingID = 0;
    tax::TaxAmounts taxAmounts; // SalesTaxAmount and ShippingTaxAmount
    double salesTaxRate = 0.0; // Company `sales tax`, cached at start-up

private:
    std::unique_ptr<db::Store> mStore;
};

} // namespace vanta
