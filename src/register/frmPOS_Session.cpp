// The register's start-up and sale session: the store, the lists, new,
// cancelled, held and closed sales, queued messages and the close timer.

#include "register/frmPOS.h"

#include "db/DbError.h"
#include "db/EmployeeName.h"
#include "db/Store.h"
#include "db/StoreCheck.h"
#include "db/UniqueId.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "lookup/CatalogueRefresh.h"
#include "platform/SettingsStore.h"
#include "platform/Utility.h"
#include "register/CustomerListModel.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"
#include "register/SaleKeeper.h"
#include "security/SecuritySwitch.h"
#include "shipping/ShippingType.h"
#include "tax/TaxSettings.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QScopeGuard>
#include <QScrollBar>
#include <QTimer>

namespace vanta {

namespace {
const QString kTitle = applicationTitle();
} // namespace

sale::PayType frmPOS::payTypeAt(int index) const
{
    if (index < 0 || index >= cmbPayType->count())
        return {};
    return {cmbPayType->itemData(index).toInt(), cmbPayType->itemText(index),
            sale::PayKind(cmbPayType->itemData(index, kPayKindRole).toInt())};
}

void frmPOS::Form_Load()
{
    diag::run("frmPOS", "Form_Load", [&] {
        diag::Trace::instance().setTrappingEnabled(true);
        mSession.sale.clearLines();
        mSession.identity.securityOn = security::CheckSecurity(mSession.settings, mSession.prompt);
        mnuCheckSecurity->setChecked(mSession.identity.securityOn);
        mSession.identity.permissions = security::clsPermissions();
        Set_Database();
        if (mSession.loggedOn() && mSession.hasStore()) {
            mSession.identity.permissions.setEmployeeID(mSession.store(), mSession.identity.employeeNumber);
            mnuLogin->setEnabled(false);
            mnuLogout->setEnabled(true);
        }
        if (!shippingConfigured())
            cmdShipping->setEnabled(false);
        // Without a store (the open dialog was cancelled) the register comes
        // up empty and quiet; later record operations report their failure.
        const bool haveStore = mSession.hasStore();
        if (haveStore)
            mSession.identity.employeeName = db::GetUserName(mSession.store(), mSession.identity.employeeNumber);
        SetReportSettings(false);
        if (haveStore) {
            mSession.salesTaxRate = tax::Get_Tax(mSession.store()).value_or(mSession.salesTaxRate);
            Get_PayTypes();
            Get_Customers(QStringLiteral("CASH SALE"));
            mSession.sale.setNumber(db::NewUniqueID(mSession.store()));
        }
        Set_Visibility();
        Update_Display();
        mSession.PicturesPath = QDir(mSession.DataPath).filePath(QStringLiteral("Pictures")) + QLatin1Char('/');
        updateCaption();
        if (mSession.identity.securityOn && mSession.identity.employeeNumber == 0)
            showLogon();
        else if (!mSession.identity.securityOn && mSession.identity.employeeNumber == 0)
            mSession.identity.employeeNumber = 1;
        // Only for someone at the register: a failed logon closes it and
        // leaves an unfinished sale for the next start.
        if (haveStore && mSession.identity.employeeNumber > 0)
            offerUnfinishedSale();
    });
}

bool frmPOS::shippingConfigured()
{
    return mSession.hasStore() && shipping::GetShippingType(mSession.store()) > 0;
}

void frmPOS::Set_Database()
{
    diag::run("frmPOS", "Set_Database", [&] {
        // A shared store on a server, when one is set, comes before the data folder.
        QString dataPath = mDataOverride;
        if (dataPath.isEmpty())
            dataPath = mSession.settings.read(QStringLiteral("Marlux"), QStringLiteral("Pathing"),
                                              QStringLiteral("Store"), QString());
        if (dataPath.isEmpty())
            dataPath = mSession.settings.read(QStringLiteral("Marlux"), QStringLiteral("Pathing"),
                                              QStringLiteral("Datapath"), QStringLiteral("None"));
        mSession.DataPath = dataPath;
        if (!db::Store::isServerAddress(dataPath)
            && (dataPath == QLatin1String("None") || !platform::FileExists(db::Store::databaseFile(dataPath)))) {
            mSession.prompt.message(QStringLiteral("Unable to find Vanta! database."), platform::Buttons::Ok,
                                    platform::Icon::Critical, kTitle);
            Find_Database();
            return;
        }
        try {
            mSession.openStore(dataPath);
            startStoreCheck();
        } catch (const db::DbError &e) {
            // A file the register cannot work on: said once, with the way out.
            if (e.number() != db::ErrNotStoreDatabase && e.number() != db::ErrMissingTables
                && e.number() != db::ErrReadOnly && e.number() != db::ErrServerGone
                && e.number() != db::ErrStoreAddress)
                throw;
            if (mSession.prompt.message(e.description()
                                            + QStringLiteral("\n\nDo you want to choose another store database?"),
                                        platform::Buttons::YesNo, platform::Icon::Critical, kTitle)
                == platform::Answer::Yes)
                Find_Database();
        }
    });
}

// Damage inside the file shows only when the damaged pages are read: every
// page is checked once in the background after the store opens, and a
// damaged store is said in plain words and closed to new sales.
void frmPOS::startStoreCheck()
{
    mStoreCheck.reset();
    mCatalogueRefresh.reset();
    if (mSession.store().onServer())
        return; // the server keeps its own pages
    mCatalogueRefresh = std::make_unique<lookup::CatalogueRefresh>(
        [this] { return mSession.hasStore() ? &mSession.store() : nullptr; });
    const QString path = mSession.store().filePath();
    mStoreCheck = std::make_unique<db::BackgroundStoreCheck>(
        path, mSession.store().key(), [this, path](const db::StoreCheckResult &result) {
            diag::run("frmPOS", "StoreChecked", [&] {
                if (result.whole || !mSession.hasStore() || mSession.store().filePath() != path)
                    return;
                mSession.store().markDamaged(result.problem);
                QueueMessage(db::damagedStoreMessage(path, result.problem), platform::Buttons::Ok,
                             platform::Icon::Critical, kTitle);
            });
        });
}

void frmPOS::Find_Database()
{
    diag::run("frmPOS", "Find_Database", [&] {
        const QString start = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("data"));
        const std::optional<QString> chosen = mSession.prompt.openFile(
            QStringLiteral("Open"), QStringLiteral("Vanta! Databases (vanta.mdb VANTA.MDB Vanta.mdb)"), start);
        if (!chosen)
            return; // cancelled: the register runs on without a store
        if (platform::FileExists(*chosen)) {
            const QString folder = QFileInfo(*chosen).absolutePath();
            mSession.settings.save(QStringLiteral("Marlux"), QStringLiteral("Pathing"), QStringLiteral("Datapath"),
                                   QDir::toNativeSeparators(folder));
            mSession.settings.save(QStringLiteral("Marlux"), QStringLiteral("Pathing"),
                                   QStringLiteral("DatabasePath"), QDir::toNativeSeparators(*chosen));
            // A chosen file replaces a shared store set before.
            mSession.settings.save(QStringLiteral("Marlux"), QStringLiteral("Pathing"), QStringLiteral("Store"),
                                   QString());
            mDataOverride.clear(); // the choice now stands in the settings
            Set_Database();
        } else {
            mSession.prompt.message(QStringLiteral("The selected database is invalid."), platform::Buttons::Ok,
                                    platform::Icon::Information, kTitle);
            close();
        }
    });
}

void frmPOS::RefreshPOS()
{
    diag::run("frmPOS", "RefreshPOS", [&] {
        // The old sale goes first, so that nothing below sees (or journals)
        // its lines with the new sale's lists.
        mSession.sale.clearLines();
        Get_PayTypes();
        Get_Customers(QStringLiteral("CASH SALE"));
        mSession.sale.setNumber(db::NewUniqueID(mSession.store()));
        Set_Visibility();
        RefreshingSale = true;
        Update_Display();
        RefreshingSale = false;
        RowsLoading = true;
        POSItem1[0]->setPrice(0);
        RowsLoading = false;
    });
}

void frmPOS::Get_Customers(const QString &name)
{
    diag::run("frmPOS", "Get_Customers", [&] {
        db::Recordset rs = mSession.store().database().openQuery(
            QStringLiteral("SELECT Customers.Name, Customers.\"Cust ID\", Customers.Inactive, customers.phone "
                           "FROM Customers WHERE Customers.Inactive = 0 "
                           "ORDER BY Customers.Name"));
        QList<CustomerListModel::Entry> entries;
        int match = -1;
        for (; !rs.eof(); rs.moveNext()) {
            CustomerListModel::Entry e{rs.text(QStringLiteral("Name")) + QStringLiteral(" - ")
                                           + rs.text(QStringLiteral("Phone")),
                                       db::asLong(rs.field(1))};
            if (e.text.contains(name, Qt::CaseInsensitive))
                match = int(entries.size());
            entries << e;
        }
        cmbCustomers->setCurrentIndex(-1);
        mCustomerModel->setEntries(std::move(entries));
        cmbCustomers->setCurrentIndex(-1);
        if (match >= 0)
            cmbCustomers->setCurrentIndex(match);
    });
}

void frmPOS::Get_PayTypes()
{
    diag::run("frmPOS", "Get_PayTypes", [&] {
        db::Recordset rs = mSession.store().database().openTable(QStringLiteral("PayTypes"));
        cmbPayType->clear();
        for (; !rs.eof(); rs.moveNext()) {
            const QString name = rs.text(QStringLiteral("paytype"));
            if (name.compare(QLatin1String("Internet Sale"), Qt::CaseInsensitive) == 0)
                continue;
            cmbPayType->addItem(name, db::asLong(rs.field(QStringLiteral("id"))));
            cmbPayType->setItemData(cmbPayType->count() - 1, int(sale::PayType::kindOfName(name)), kPayKindRole);
        }
        cmbPayType->setCurrentIndex(-1);
    });
}

void frmPOS::Set_Visibility()
{
    diag::run("frmPOS", "Set_Visibility", [&] {
        const int n = mSession.sale.lines().Count();
        {
            const QSignalBlocker block(VScroll1);
            VScroll1->setMaximum(std::max(0, n - RowCount));
            VScroll1->setValue(0);
        }
        VScroll1->setEnabled(n > RowCount);
        const int last = n >= RowCount ? RowCount - 1 : (n >= 1 ? n - 1 : 0);
        for (int i = 0; i < RowCount; ++i)
            POSItem1[size_t(i)]->setVisible(i <= last);
    });
}

void frmPOS::cmdCancel_Click()
{
    diag::run("frmPOS", "cmdCancel_Click", [&] {
        if (commandAllowed(security::GatedCommand::CancelSale))
            CancelSale();
    });
}

void frmPOS::CancelSale()
{
    diag::run("frmPOS", "CancelSale", [&] {
        if (mSession.prompt.message(QStringLiteral("Are you sure that you want to cancel the sale?"),
                                    platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
            != platform::Answer::Yes)
            return;
        cmdHold->setEnabled(false);
        RefreshPOS();
        DisableButtons();
        clearAmounts();
    });
}

void frmPOS::cmdHold_Click()
{
    diag::run("frmPOS", "cmdHold_Click", [&] {
        if (mSession.identity.employeeNumber > 0 || !mSession.identity.securityOn)
            close();
        else
            showLogon();
    });
}

void frmPOS::mnuExit_Click()
{
    diag::run("frmPOS", "mnuExit_Click", [&] {
        for (QWidget *w : QApplication::topLevelWidgets())
            if (w != this && w->isVisible())
                w->close();
        close();
    });
}

void frmPOS::Label2_Click()
{
    diag::run("frmPOS", "Label2_Click", [&] {
        if (mSession.prompt.message(QStringLiteral("Are you sure that you want to shut down?"),
                                    platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
            != platform::Answer::Yes)
            return;
        mfUnload = true;
        close();
    });
}

void frmPOS::mnuChangeDatabaseLocation_Click()
{
    diag::run("frmPOS", "mnuChangeDatabaseLocation_Click", [&] {
        if (!commandAllowed(security::GatedCommand::ChangeDatabaseLocation))
            return;
        Find_Database();
        Get_Customers(QStringLiteral("CASH SALE"));
        // An empty register takes up what the store it now opens left
        // unfinished; a sale on the register is kept for its new store.
        if (mSession.sale.empty())
            offerUnfinishedSale();
        else
            mKeeper->changed();
    });
}

void frmPOS::QueueMessage(const QString &prompt, platform::Buttons buttons, platform::Icon icon,
                          const QString &title)
{
    diag::run("frmPOS", "QueueMessage", [&] {
        mPending = PendingMessage{prompt, buttons, icon, title};
        if (!mQueuedMessageOpen)
            mQueuedMessageOpen.emplace(mSession.modals());
        tmrMessage->start();
    });
}

void frmPOS::tmrMessage_Timer()
{
    diag::run("frmPOS", "tmrMessage_Timer", [&] {
        tmrMessage->stop();
        const auto shown = qScopeGuard([this] { mQueuedMessageOpen.reset(); });
        mSession.prompt.message(mPending.prompt, mPending.buttons, mPending.icon, mPending.title);
    });
}

void frmPOS::Timer1_Timer()
{
    diag::run("frmPOS", "Timer1_Timer", [&] {
        Timer1->stop();
        close();
    });
}

} // namespace vanta
