#pragma once

#include "platform/BarcodeCapture.h"
#include "platform_ui/HelpComponent.h"
#include "platform_ui/KeyboardHook.h"
#include "platform/ModalActivity.h"
#include "platform/Prompt.h"
#include "register/ScanQueue.h"
#include "sale/SaleTotals.h"
#include "sale/LineEdits.h"
#include "sale/Sale.h"
#include "security/CommandGate.h"

#include <QMainWindow>
#include <array>
#include <functional>
#include <memory>
#include <optional>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;
class QTimer;

namespace vanta {

class CustomerListModel;
class POSItem;
class RegisterSession;
class SaleKeeper;

namespace db {
class BackgroundStoreCheck;
}
namespace lookup {
class CatalogueRefresh;
}
namespace sale {
class clsSaleItem;
struct ItemRecord;
}
namespace shipping {
struct ShippingChoice;
}
namespace journal {
struct OpenSale;
}

// The register window: the current sale in ten rows with a scroll bar, the
// customer and pay-type lists, the four amounts, the sale buttons and the
// menus. It owns nothing of the register's state: that lives in the session.
class frmPOS : public QMainWindow {
    Q_OBJECT
public:
    static constexpr int RowCount = 10;
    // Minimum size: 11100 x 6135 twips at 15 twips a pixel.
    static constexpr int MinWidth = 740;
    static constexpr int MinHeight = 409;

    // `dataOverride`: open this data folder for this run instead of the one
    // stored in the settings (the stored setting is left as it is).
    explicit frmPOS(RegisterSession &session, const QString &dataOverride = QString(),
                    QWidget *parent = nullptr);
    ~frmPOS() override;

    // Start-up: opens the store, fills the lists, starts a sale and, with
    // security on, asks for a logon. Call once before showing the window.
    void Form_Load();

    // Public operations other forms use.
    void RefreshPOS();
    void Get_Customers(const QString &name);
    // Adds one of the good to the sale: a new line, or one more on its line.
    void Add_Item(const sale::Good &good);
    void UpdateTotals();
    double Total_Subtotals();
    void Find_Database();
    void QueueMessage(const QString &prompt, platform::Buttons buttons, platform::Icon icon, const QString &title);

    // The sale's amounts in whole cents, as the labels show them.
    sale::SaleTotals totals() const;

    // The sale on the register as its journal keeps it.
    journal::OpenSale openSale() const;

    // The `Cust ID` of the customer shown, if any.
    std::optional<qint32> selectedCustomer() const;
    POSItem *row(int index) const { return POSItem1[size_t(index)]; }
    QWidget *helpWindow() const { return mHelp.window(); }
    qint16 selectedRow() const { return SelectedRow; }
    bool scanning() const { return mCapture.scanning(); }
    // Scanned codes waiting for an open box or dialog to close.
    int heldScans() const { return mScans.held(); }
    // The window has closed (for good, not minimised to hold a sale).
    bool isClosed() const { return mClosed; }

    // Key handling of the keyboard hook (barcode capture); true consumes the key.
    bool whBarcode_KeyDown(const platform::KeyPress &key);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Building the window.
    void buildControls();
    void buildMenus();
    void buildReceiptCommands(QMenu *menu);
    void connectRows();
    void Form_Resize();
    void placeHeadings();

    // Start-up and the sale session.
    void Set_Database();
    void startStoreCheck();
    void Get_PayTypes();
    void Set_Visibility();
    void CancelSale();
    void cmdCancel_Click();
    void cmdHold_Click();
    void mnuExit_Click();
    void Label2_Click();
    void mnuChangeDatabaseLocation_Click();
    void tmrMessage_Timer();
    void Timer1_Timer();
    void updateCaption();

    // Display and totals.
    void Update_Display();
    void VScroll1_Change();
    void fillRow(int rowIndex, int linePosition);
    void fillEmptyRow(int rowIndex);
    double Get_Grand_Total();
    void showTotals();
    // The sale changed (the set of sale::Sale::Change bits given): the
    // amounts and the shipping shown follow, and the journal keeps it.
    void saleModelChanged(unsigned changes);
    void EnableButtons();
    void DisableButtons();
    void paintRowsUnselected();
    void clearAmounts();
    // Works out the sale's tax afresh (lines, customer and shipping as they
    // stand) and shows the amounts.
    void refreshTax();
    void cmbCustomers_Click();
    bool shippingConfigured();

    // Adding and removing.
    void cmdAdd_Click();
    void cmdRemove_Click();
    // Removes the line at a 1-based position, once the cashier confirms.
    void Remove_Item(int linePosition);
    void POSItem1_GotFocus(int index);
    void POSItem1_HasFocus(int index);
    // A row's edit is complete: the line takes its quantity, discount and mark.
    void POSItem1_Changed(int index, double qty, double discount, bool exempt);
    // A quantity is being typed: the row shows what it would cost.
    void POSItem1_QtyChanged(int index, double qty);
    void POSItem1_ChangePrice(int index);
    // One way onto the sale for items and variants alike: the stock
    // questions, then the line raised by one or a new line made.
    // The cashier's changes of the lines, on the open store.
    sale::LineEdits lineEdits();
    // After the lines changed: rows and amounts follow.
    void linesChanged();
    // False (and the customer list focused) when no customer is chosen.
    bool customerChosen();
    // Adds one of a catalogue item already read.
    // The line a row shows; none for an empty row.
    sale::clsSaleItems::Line lineOfRow(int rowIndex) const;
    // Adds the item or variant a scanned or typed code stands for; false
    // when it stands for none.
    bool addByCode(const QString &code);

    // Barcodes and menus.
    void scanCompleted(const QString &code);
    void applyScan(const ScanQueue::Scan &scan);
    bool scanAllowed() const;
    void bringToFront();
    void mnuManualAdd_Click();
    void mnuLogin_Click();
    void mnuLogout_Click();
    void mnuCheckSecurity_Click();
    void cmdEdit_Click();
    void cmdShipping_Click();
    void applyShipping(const shipping::ShippingChoice &choice);
    void cmdProcessTransaction_Click();
    void mnuAbout_Click();
    void mnuReportOptions_Click();
    // Receipt printer commands.
    void mnuReprintReceipt_Click();
    void mnuOpenCashDrawer_Click();
    void mnuMailSettings_Click();
    void selectCustomerEntry(qint32 custId);
    void reloadCustomers();
    void showLogon();
    // True when the command may run now. Otherwise its refusal was shown,
    // or the logon dialog when nobody is logged on.
    bool commandAllowed(security::GatedCommand command);
    void SetReportSettings(bool atLogon);
    void startNextSale();
    void setAmountTendered(const QString &text);

    // The unfinished sale the journal kept, offered back at start-up.
    void offerUnfinishedSale();
    void restoreSale(const journal::OpenSale &sale);

    // Payment.
    bool isInvoicePayType() const;
    // The pay type of an entry of the list; none for -1.
    sale::PayType payTypeAt(int index) const;
    double tenderedAmount() const;
    qint64 tenderedCents() const;
    bool AmountTenderedOK();
    void cmbPayType_Click();
    void txtAmountTendered_Change();
    void txtAmountTendered_DblClick();
    void txtAmountTendered_LostFocus();
    bool tenderEvent(QEvent *event);

    RegisterSession &mSession;
    QString mDataOverride;

    // Controls, named as the window's design names them.
    QComboBox *cmbCustomers = nullptr;
    CustomerListModel *mCustomerModel = nullptr;
    QPushButton *cmdAdd = nullptr;
    QPushButton *cmdRemove = nullptr;
    QPushButton *cmdEdit = nullptr;
    QPushButton *cmdShipping = nullptr;
    QPushButton *cmdCancel = nullptr;
    QPushButton *cmdHold = nullptr;
    QGroupBox *fraPOS = nullptr;
    QWidget *mHeadings = nullptr;
    std::array<QLabel *, 6> mHeadingLabels{}; // Name, Price, Qty, UOM, Disc%, Subtotal
    std::array<POSItem *, RowCount> POSItem1{};
    QScrollBar *VScroll1 = nullptr;
    QLabel *lblMethod = nullptr;
    QLabel *lblshippingDesc = nullptr;
    QGroupBox *fraTotals = nullptr;
    QLabel *lblSubtotal = nullptr;
    QLabel *lblShipping = nullptr;
    QLabel *lblTax = nullptr;
    QLabel *lblTotal = nullptr;
    QLabel *lblChangeDue = nullptr;
    QComboBox *cmbPayType = nullptr;
    QLineEdit *txtAmountTendered = nullptr;
    QPushButton *cmdProcessTransaction = nullptr;
    QPushButton *Label2 = nullptr;
    QTimer *tmrMessage = nullptr;
    QTimer *Timer1 = nullptr;
    QAction *mnuLogin = nullptr;
    QAction *mnuLogout = nullptr;
    QAction *mnuExit = nullptr;
    QAction *mnuChangeDatabaseLocation = nullptr;
    QAction *mnuCheckSecurity = nullptr;
    QAction *mnuManualAdd = nullptr;
    QAction *mnuReportOptions = nullptr;
    QAction *mnuMailSettings = nullptr;
    QAction *mnuAbout = nullptr;
    QAction *mnuReprintReceipt = nullptr;
    QAction *mnuOpenCashDrawer = nullptr;
    platform::KeyboardHook *whBarcode = nullptr;
    platform::HelpComponent mHelp;

    // Register state of the window.
    bool mfUnload = false;
    bool mClosed = false;
    platform::BarcodeCapture mCapture; // mfScanning and BarcodeBuffer
    ScanQueue mScans;
    qint16 SelectedRow = -1;
    bool RowsLoading = false;
    bool RefreshingSale = false;
    bool AddingItem = false;
    SaleKeeper *mKeeper = nullptr; // the journal of the open sale
    int mSaleObserver = 0;
    // The pay type list keeps each entry's kind under this role.
    static constexpr int kPayKindRole = Qt::UserRole + 1;
    struct PendingMessage {
        QString prompt;
        platform::Buttons buttons = platform::Buttons::Ok;
        platform::Icon icon = platform::Icon::None;
        QString title;
    } mPending;
    // Scans wait while a queued message is still to be shown.
    std::optional<platform::ModalActivity::Scope> mQueuedMessageOpen;
    // The check of the store file's pages running after start-up.
    std::unique_ptr<db::BackgroundStoreCheck> mStoreCheck;
    // The finder's catalogue read again in the background after another
    // register changed the store.
    std::unique_ptr<lookup::CatalogueRefresh> mCatalogueRefresh;
};

} // namespace vanta
