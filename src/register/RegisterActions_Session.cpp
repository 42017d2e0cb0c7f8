// The register's start-up and its commands around the sale: logon and
// security, the store, the lists, reports, the receipt printer and the
// unfinished sale kept by the journal.
#include "register/RegisterActions.h"

#include "db/EmployeeName.h"
#include "db/UniqueId.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "journal/JournalError.h"
#include "platform/DialogRunner.h"
#include "platform/Utility.h"
#include "posting/ReceiptPrinting.h"
#include "posting/SaleDocuments.h"
#include "posting/frmReportOptions.h"
#include "register/RegisterLists.h"
#include "register/RegisterSession.h"
#include "register/SaleKeeper.h"
#include "security/Logon.h"
#include "security/SecuritySwitch.h"
#include "security/frmLogin.h"
#include "settings/frmMailSettings.h"
#include "shipping/ShippingType.h"
#include "tax/TaxSettings.h"

#include <QApplication>
#include <QDir>

namespace vanta {

namespace {
const QString kTitle = applicationTitle();
} // namespace

void RegisterActions::start()
{
    diag::run("frmPOS", "Form_Load", [&] {
        diag::Trace::instance().setTrappingEnabled(true);
        mSession.sale.clearLines();
        mSession.identity.securityOn = security::CheckSecurity(mSession.settings, mSession.prompt);
        mSession.identity.permissions = security::clsPermissions();
        mStoreOpening.open();
        if (mSession.loggedOn() && mSession.hasStore())
            mSession.identity.permissions.setEmployeeID(mSession.store(), mSession.identity.employeeNumber);
        // Without a store (the open dialog was cancelled) the register comes
        // up empty and quiet; later record operations report their failure.
        const bool haveStore = mSession.hasStore();
        if (haveStore)
            mSession.identity.employeeName = db::GetUserName(mSession.store(), mSession.identity.employeeNumber);
        loadReportSettings(false);
        if (haveStore) {
            mSession.salesTaxRate = tax::Get_Tax(mSession.store()).value_or(mSession.salesTaxRate);
            loadLists();
            mSession.sale.setNumber(mSession.newSaleNumber());
        }
        mSession.PicturesPath = QDir(mSession.DataPath).filePath(QStringLiteral("Pictures")) + QLatin1Char('/');
        mView.showIdentity();
        if (mSession.identity.securityOn && mSession.identity.employeeNumber == 0)
            showLogon();
        else if (!mSession.identity.securityOn && mSession.identity.employeeNumber == 0)
            mSession.identity.employeeNumber = 1;
        // Only for someone at the register: a failed logon closes it and
        // leaves an unfinished sale for the next start.
        if (haveStore && mSession.identity.employeeNumber > 0) {
            offerUnfinishedSale();
            shiftAtStart();
        }
        mStarted = true;
    });
}

bool RegisterActions::storeShips()
{
    return mSession.hasStore() && shipping::GetShippingType(mSession.store()) > 0;
}

// The pay types (none chosen) and the customers (the cash sale chosen) of
// the store, for a new sale.
void RegisterActions::loadLists()
{
    diag::run("frmPOS", "Get_PayTypes", [&] {
        mPayTypes = ReadPayTypes(mSession.store());
        mView.showPayTypes(mPayTypes);
        mSession.sale.setPayType({});
    });
    diag::run("frmPOS", "Get_Customers", [&] { loadCustomers(); });
}

void RegisterActions::loadCustomers()
{
    mCustomers.load(mSession.store());
    mView.showCustomers(mCustomers.entries());
    mSession.sale.setCustomer(mCustomers.walkIn());
}

// The sale keeps its customer while still listed, else takes the walk-in
// customer. A list that could not be read is reported; the register goes on
// with the customers listed so far.
void RegisterActions::customersLoaded(std::exception_ptr error)
{
    diag::run("frmPOS", "Get_Customers", [&] {
        if (error)
            std::rethrow_exception(error);
        const std::optional<qint32> current = mSession.sale.customer();
        mView.showCustomers(mCustomers.entries());
        if (!current || !mCustomers.entry(*current))
            mSession.sale.setCustomer(mCustomers.walkIn());
    });
}

// ------------------------------------------------------- logon and security

void RegisterActions::showLogon()
{
    diag::run("frmPOS", "showLogon", [&] {
        security::frmLogin dlg({mSession.storeOrNone(), mSession.identity, mSession.prompt, mSession.dialogs,
                                [this] { loadReportSettings(true); }},
                               mView.dialogParent());
        dlg.run();
        QApplication::restoreOverrideCursor();
        mView.showIdentity();
        if (!mSession.loggedOn())
            mNoLogonClose.start();
        else if (mStarted)
            offerShift(); // a logon later in the run: the next cashier's day may start here
    });
}

// The employee's report settings from Users.ini; at a logon "Always on Top"
// is read too.
void RegisterActions::loadReportSettings(bool atLogon)
{
    diag::run("frmPOS", "SetReportSettings", [&] {
        mSession.reportSettings =
            posting::LoadReportSettings(mSession.users, mSession.identity.employeeName, atLogon);
    });
}

void RegisterActions::logOn()
{
    diag::run("frmPOS", "mnuLogin_Click", [&] { showLogon(); });
}

void RegisterActions::logOut()
{
    diag::run("frmPOS", "mnuLogout_Click", [&] {
        security::LogOut(mSession.identity);
        mView.showIdentity();
        showLogon();
    });
}

void RegisterActions::toggleSecurity()
{
    diag::run("frmPOS", "mnuCheckSecurity_Click", [&] {
        if (mSession.loggedOn())
            security::ToggleSecurity(mSession.identity, mSession.storeOrNone(), mSession.prompt, mSession.settings);
        else
            showLogon();
        mView.showIdentity(); // the check mark follows the switch, not the click
    });
}

// ------------------------------------------------------------ the store

void RegisterActions::changeStore()
{
    diag::run("frmPOS", "mnuChangeDatabaseLocation_Click", [&] {
        if (!allowed(security::GatedCommand::ChangeDatabaseLocation))
            return;
        mStoreOpening.choose();
        diag::run("frmPOS", "Get_Customers", [&] { loadCustomers(); });
        // An empty register takes up what the store it now opens left
        // unfinished; a sale on the register is kept for its new store.
        if (mSession.sale.empty())
            offerUnfinishedSale();
        else
            mKeeper.changed();
    });
}

// At start-up: a sale left unfinished on this store (the register stopped
// with it open or held) is offered back. Whatever the answer, the journal
// then follows the register's sale.
void RegisterActions::offerUnfinishedSale()
{
    diag::run("frmPOS", "offerUnfinishedSale", [&] {
        journal::SaleJournal *saleJournal = mSession.journal();
        if (!saleJournal)
            return;
        mKeeper.start();
        std::optional<journal::OpenSale> found;
        try {
            found = journal::unfinishedSale(*saleJournal, mSession.store().database());
        } catch (const journal::JournalError &e) {
            const QString kept = saleJournal->setAside()
                                     ? QStringLiteral("\n\nThe damaged file was kept as %1.").arg(saleJournal->path()
                                                                                                 + ".damaged")
                                     : QString();
            mSession.prompt.message(QStringLiteral("An unfinished sale kept by this register could not be read: "
                                                   "%1.\n\nThe register starts with an empty sale.%2")
                                        .arg(e.description(), kept),
                                    platform::Buttons::Ok, platform::Icon::Exclamation, kTitle);
        }
        // A sale kept for the server already (its receipt printed offline)
        // is no unfinished sale.
        if (found && mSession.offline() && mSession.offline()->queue.holds(found->saleId)) {
            saleJournal->clear();
            found.reset();
        }
        if (found
            && mSession.prompt.message(journal::restoreQuestion(*found), platform::Buttons::YesNo,
                                       platform::Icon::Question, kTitle)
                   == platform::Answer::Yes)
            restoreSale(*found);
        else
            mKeeper.changed(); // the empty sale: nothing more to offer
    });
}

// Puts the sale back as it stood: lines as edited, the customer (when still
// listed), shipping (when the store ships) and the pay type, with their tax
// worked out again (the same amounts unless the store's tax settings
// changed meanwhile).
void RegisterActions::restoreSale(const journal::OpenSale &kept)
{
    mKeeper.setRestoring(true);
    if (kept.customerId)
        chooseCustomer(*kept.customerId);
    const auto payType = std::find_if(mPayTypes.begin(), mPayTypes.end(),
                                      [&](const sale::PayType &p) { return kept.payTypeId == p.id; });
    mSession.sale.restore(kept.saleId, kept.lines, mSession.sale.customer(),
                          storeShips() ? kept.shipping : sale::SaleShipping{0, QString(), QStringLiteral("None"), 0},
                          payType != mPayTypes.end() ? *payType : sale::PayType());
    tenderFollowsPayType(); // the tender follows the pay type as when it was chosen
    mKeeper.setRestoring(false);
    mKeeper.changed();
}

// --------------------------------------------------------- other commands

void RegisterActions::reportOptions()
{
    diag::run("frmPOS", "mnuReportOptions_Click", [&] {
        frmReportOptions dlg(mSession.reportSettings, mSession.users, mSession.identity.employeeName,
                             mView.dialogParent());
        mSession.dialogs.run(dlg);
    });
}

void RegisterActions::mailSettings()
{
    diag::run("frmPOS", "mnuMailSettings_Click", [&] {
        if (!allowed(security::GatedCommand::MailSettings))
            return;
        frmMailSettings dlg(mSession.store(), mSession.settings, mSession.prompt, mView.dialogParent());
        mSession.dialogs.run(dlg);
    });
}

void RegisterActions::reprintReceipt()
{
    diag::run("frmPOS", "mnuReprintReceipt_Click", [&] {
        posting::SaleDocuments *docs = mSession.documents;
        if (mSession.lastReceiptSale == 0) {
            mSession.prompt.message(QStringLiteral("No receipt has been printed at this register since it was started."),
                                    platform::Buttons::Ok, platform::Icon::Information, QString());
            return;
        }
        if (!docs || docs->printerCount() < 1) {
            mSession.prompt.message(QStringLiteral("No printer is installed: the receipt cannot be printed."),
                                    platform::Buttons::Ok, platform::Icon::Exclamation, QString());
            return;
        }
        posting::PrintReceiptOfferingRetry(*docs, mSession.store(), mSession.prompt, mSession.lastReceiptSale,
                                           mSession.lastReceiptEmployee, {true, false},
                                           QStringLiteral("The copy of the receipt of sale %1 was not printed.")
                                               .arg(mSession.lastReceiptSale));
    });
}

void RegisterActions::openCashDrawer()
{
    diag::run("frmPOS", "mnuOpenCashDrawer_Click", [&] {
        if (!allowed(security::GatedCommand::OpenCashDrawer))
            return;
        const QString problem = mSession.documents ? mSession.documents->openCashDrawer()
                                                   : QStringLiteral("This register has no receipt printer.");
        if (problem.isEmpty())
            recordAtDrawer(dayend::MovementKind::NoSale, 0);
        else
            mSession.prompt.message(QStringLiteral("The cash drawer did not open.\n\n") + problem, platform::Buttons::Ok,
                                    platform::Icon::Exclamation, QString());
    });
}

void RegisterActions::about()
{
    diag::run("frmPOS", "mnuAbout_Click", [&] { platform::ShowAbout(mSession.prompt); });
}

void RegisterActions::shutDown()
{
    diag::run("frmPOS", "Label2_Click", [&] {
        if (mSession.prompt.message(QStringLiteral("Are you sure that you want to shut down?"),
                                    platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
            == platform::Answer::Yes)
            mView.closeWindow(true);
    });
}

} // namespace vanta
