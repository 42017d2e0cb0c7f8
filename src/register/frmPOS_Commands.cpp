// Barcode capture, manual add, logon and the register's other commands.
#include "register/frmPOS.h"

#include "customers/frmCustomers.h"
#include "db/KeptData.h"
#include "db/UniqueId.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform/DialogRunner.h"
#include "platform/Utility.h"
#include "posting/SaleDocuments.h"
#include "posting/frmReportOptions.h"
#include "register/CheckoutFlow.h"
#include "register/CustomerListModel.h"
#include "register/RegisterSession.h"
#include "security/CommandGate.h"
#include "security/Logon.h"
#include "security/SecuritySwitch.h"
#include "security/frmLogin.h"
#include "settings/frmMailSettings.h"
#include "shipping/ShippingCalc.h"
#include "shipping/frmShipping.h"
#include "tax/TaxSettings.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace vanta {

namespace {
const QString kManualAddTitle = QStringLiteral("Vanta POS Manual Add Item");
} // namespace

bool frmPOS::whBarcode_KeyDown(const platform::KeyPress &key)
{
    return diag::run("frmPOS", "whBarcode_KeyDown", false, [&] {
        const platform::BarcodeCapture::Result result = mCapture.feed(key);
        if (result.step == platform::BarcodeCapture::Step::Started)
            cmbCustomers->setFocus(); // so that the characters do not land in a text box
        else if (result.step == platform::BarcodeCapture::Step::Completed)
            scanCompleted(result.code);
        return result.consumed();
    });
}

// With security on, scans count only while someone is logged on.
bool frmPOS::scanAllowed() const
{
    return !mSession.identity.securityOn || mSession.loggedOn();
}

// A code from the scanner goes to the sale now, or waits for the open box
// or dialog. Nobody logged on: nothing is added, not even after the logon;
// the register asks for the logon unless a box or dialog (the logon itself)
// is open already.
void frmPOS::scanCompleted(const QString &code)
{
    if (!scanAllowed()) {
        mSession.prompt.beep();
        if (!mSession.modals().anyOpen()) {
            bringToFront();
            showLogon();
        }
        return;
    }
    mScans.add({code, mSession.sale.number()});
}

void frmPOS::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void frmPOS::applyScan(const ScanQueue::Scan &scan)
{
    diag::run("frmPOS", "applyScan", [&] {
        if (mClosed || !scanAllowed())
            return;
        if (scan.saleId != mSession.sale.number()) {
            // Scanned while the sale it was meant for was being posted or
            // cancelled: it is not slipped into the next sale unasked.
            mSession.prompt.message(QStringLiteral("The scanned code ") + scan.code
                                        + QStringLiteral(" was not added: the sale it was scanned for has "
                                                         "ended.\nScan it again to add it to this sale."),
                                    platform::Buttons::Ok, platform::Icon::Information,
                                    QStringLiteral("Vanta P.O.S"));
            return;
        }
        bringToFront();
        bool found = false;
        if (mSession.hasStore()) {
            // What the store keeps read is checked once for the whole scan.
            const db::StampSpan span(mSession.store());
            found = addByCode(scan.code);
            if (found)
                EnableButtons();
        }
        if (!found) {
            QCoreApplication::processEvents();
            QueueMessage(QStringLiteral("The scanned barcode was invalid."), platform::Buttons::Ok,
                         platform::Icon::Information, QStringLiteral("Vanta P.O.S"));
        }
    });
}

void frmPOS::mnuManualAdd_Click()
{
    diag::run("frmPOS", "mnuManualAdd_Click", [&] {
        const std::optional<QString> code = mSession.prompt.input(
            QStringLiteral("Enter the barcode number for the Item to be added to the current sale."), kManualAddTitle);
        if (code && !code->isEmpty() && !addByCode(*code))
            mSession.prompt.message(QStringLiteral("Sorry, the item '") + *code + QStringLiteral("' was not found."),
                                    platform::Buttons::Ok, platform::Icon::None, kManualAddTitle);
        if (!mSession.sale.empty())
            EnableButtons();
    });
}

void frmPOS::showLogon()
{
    diag::run("frmPOS", "showLogon", [&] {
        security::frmLogin dlg({mSession.storeOrNone(), mSession.identity, mSession.prompt, mSession.dialogs,
                                [this] { SetReportSettings(true); }},
                               this);
        dlg.run();
        QApplication::restoreOverrideCursor();
        mnuLogin->setEnabled(!mSession.loggedOn());
        mnuLogout->setEnabled(mSession.loggedOn());
        updateCaption();
        if (!mSession.loggedOn())
            Timer1->start();
    });
}

bool frmPOS::commandAllowed(security::GatedCommand command)
{
    const security::Gate gate =
        security::checkCommand(mSession.identity, mSession.storeOrNone(), mSession.prompt, command);
    if (gate == security::Gate::ShowLogon)
        showLogon();
    return gate == security::Gate::Run;
}

// The employee's report settings from Users.ini; at a logon "Always on Top"
// is read too.
void frmPOS::SetReportSettings(bool atLogon)
{
    diag::run("frmPOS", "SetReportSettings", [&] {
        mSession.reportSettings =
            posting::LoadReportSettings(mSession.users, mSession.identity.employeeName, atLogon);
    });
}

void frmPOS::mnuLogin_Click()
{
    diag::run("frmPOS", "mnuLogin_Click", [&] { showLogon(); });
}

void frmPOS::mnuLogout_Click()
{
    diag::run("frmPOS", "mnuLogout_Click", [&] {
        security::LogOut(mSession.identity);
        setWindowTitle(applicationTitle());
        mnuLogin->setEnabled(true);
        mnuLogout->setEnabled(false);
        showLogon();
    });
}

void frmPOS::mnuCheckSecurity_Click()
{
    diag::run("frmPOS", "mnuCheckSecurity_Click", [&] {
        // The check mark follows the switch, not the click.
        mnuCheckSecurity->setChecked(mSession.identity.securityOn);
        if (!mSession.loggedOn()) {
            showLogon();
            return;
        }
        if (security::ToggleSecurity(mSession.identity, mSession.storeOrNone(), mSession.prompt, mSession.settings))
            mnuCheckSecurity->setChecked(mSession.identity.securityOn);
    });
}

void frmPOS::cmdEdit_Click()
{
    diag::run("frmPOS", "cmdEdit_Click", [&] {
        if (!selectedCustomer())
            return;
        if (!commandAllowed(security::GatedCommand::EditCustomer))
            return;
        db::Store &store = mSession.store();
        frmCustomers dlg({store, mSession.prompt, mSession.dialogs, mSession.identity,
                          [this] { reloadCustomers(); },
                          [this](qint32 id) { selectCustomerEntry(id); },
                          [this](const QStringList &lines) {
                              if (mSession.documents)
                                  mSession.documents->printLabel(lines);
                          }},
                         *selectedCustomer(), this);
        mSession.dialogs.run(dlg);
        reloadCustomers(); // names, phones and inactive flags may have changed
    });
}

// Reloads the customer list and keeps the current customer when it is
// still listed.
void frmPOS::reloadCustomers()
{
    const std::optional<qint32> current = selectedCustomer();
    Get_Customers(QStringLiteral("CASH SALE"));
    if (current)
        selectCustomerEntry(*current);
}

// The first entry of the register's customer list with this `Cust ID`
// becomes the current customer; nothing changes when there is none.
void frmPOS::selectCustomerEntry(qint32 custId)
{
    const auto &entries = mCustomerModel->entries();
    for (int i = 0; i < entries.size(); ++i) {
        if (entries[i].id == custId) {
            cmbCustomers->setCurrentIndex(i);
            return;
        }
    }
}

void frmPOS::mnuMailSettings_Click()
{
    diag::run("frmPOS", "mnuMailSettings_Click", [&] {
        if (!commandAllowed(security::GatedCommand::MailSettings))
            return;
        frmMailSettings dlg(mSession.store(), mSession.settings, mSession.prompt, this);
        mSession.dialogs.run(dlg);
    });
}

void frmPOS::cmdShipping_Click()
{
    diag::run("frmPOS", "cmdShipping_Click", [&] {
        if (!commandAllowed(security::GatedCommand::Shipping))
            return;
        // Each press prices the shipping afresh; choosing "None" or a custom
        // charge of 0 takes it off again.
        db::Store &store = mSession.store();
        if (const auto offer = shipping::OfferFor(store, mSession.sale.lines(), sale::dollars(totals().subtotal))) {
            shipping::frmShipping dlg(store, *offer, this);
            mSession.dialogs.run(dlg);
            applyShipping(dlg.choice());
        }
        // The total has changed: the tender is entered again.
        setAmountTendered(QStringLiteral("0.00"));
    });
}

void frmPOS::applyShipping(const shipping::ShippingChoice &choice)
{
    sale::SaleShipping shipping = mSession.sale.shipping();
    if (choice.methodText) {
        shipping.method = *choice.methodText;
        shipping.methodId = choice.methodId;
    }
    if (choice.cleared) {
        shipping.chargeCents = 0;
        shipping.description = QStringLiteral("None");
    } else if (choice.description) {
        shipping.chargeCents = choice.chargeCents;
        shipping.description = *choice.description;
    }
    mSession.sale.setShipping(shipping);
}

void frmPOS::cmdProcessTransaction_Click()
{
    diag::run("frmPOS", "cmdProcessTransaction_Click", [&] {
        if (!commandAllowed(security::GatedCommand::ProcessSale))
            return;
        CheckoutFlow flow({mSession.store(), mSession.sale, mSession.prompt, mSession.dialogs, mSession.documents,
                           mSession.identity.employeeNumber, this});
        switch (flow.refusal()) {
        case CheckoutFlow::Refusal::None:
            break;
        case CheckoutFlow::Refusal::NoPayType:
            return cmbPayType->setFocus();
        case CheckoutFlow::Refusal::NoCustomer:
            return cmbCustomers->setFocus();
        case CheckoutFlow::Refusal::TenderShort:
            return txtAmountTendered->setFocus();
        default:
            return;
        }
        const CheckoutFlow::Outcome outcome = flow.process();
        if (outcome.receiptSale != 0) {
            mSession.lastReceiptSale = outcome.receiptSale;
            mSession.lastReceiptEmployee = mSession.identity.employeeNumber;
        }
        if (outcome.stored)
            startNextSale();
    });
}

// After a sale was stored: a new, empty sale with nothing of the last one's
// amounts left on the screen.
void frmPOS::startNextSale()
{
    RefreshPOS();
    DisableButtons();
    clearAmounts();
}

void frmPOS::mnuReportOptions_Click()
{
    diag::run("frmPOS", "mnuReportOptions_Click", [&] {
        frmReportOptions dlg(mSession.reportSettings, mSession.users, mSession.identity.employeeName, this);
        mSession.dialogs.run(dlg);
    });
}

void frmPOS::mnuAbout_Click()
{
    diag::run("frmPOS", "mnuAbout_Click", [&] { platform::ShowAbout(mSession.prompt); });
}

} // namespace vanta
