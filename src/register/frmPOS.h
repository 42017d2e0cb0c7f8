#pragma once

#include "platform/BarcodeCapture.h"
#include "platform_ui/HelpComponent.h"
#include "platform_ui/KeyboardHook.h"
#include "register/RegisterActions.h"
#include "sale/SaleTotals.h"

#include <QMainWindow>
#include <array>
#include <memory>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QScrollBar;

namespace vanta {

class CustomerListModel;
class POSItem;
class RegisterSession;
class SaleKeeper;

// The register window: the current sale in ten rows with a scroll bar, the
// customer and pay-type lists, the four amounts, the sale buttons and the
// menus. It shows the sale (observing it) and forwards what the cashier
// does to the register's commands; it holds no state of the sale itself.
class frmPOS : public QMainWindow, private RegisterView {
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

    // Adds one of the good to the sale: a new line, or one more on its line.
    void Add_Item(const sale::Good &good);
    // The sale's amounts in whole cents, as the labels show them.
    sale::SaleTotals totals() const;

    POSItem *row(int index) const { return POSItem1[size_t(index)]; }
    QWidget *helpWindow() const { return mHelp.window(); }
    qint16 selectedRow() const { return SelectedRow; }
    bool scanning() const { return mCapture.scanning(); }
    // Scanned codes waiting for an open box or dialog to close.
    int heldScans() const { return mActions->heldScans(); }
    // The customer list of the customer box (read in the background on a large store).
    RegisterCustomers &customerList() { return mActions->customerList(); }
    // The window has closed (for good, not minimised to hold a sale).
    bool isClosed() const override { return mClosed; }

    // Key handling of the keyboard hook (barcode capture); true consumes the key.
    bool whBarcode_KeyDown(const platform::KeyPress &key);

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // What the commands ask of the window.
    QWidget *dialogParent() override { return this; }
    void focus(Field field) override;
    void showIdentity() override;
    void showStoreState(const QString &text) override;
    void showCustomers(QList<CustomerListModel::Entry> entries) override;
    void showPayTypes(const QList<sale::PayType> &payTypes) override;
    void bringToFront() override;
    void closeWindow(bool forGood) override;

    // Building the window.
    void buildControls();
    void buildTotals(QWidget *central);
    void buildMenus();
    void connectControls();
    void connectRows();
    void Form_Resize();
    void placeHeadings();
    void updateCaption();
    void mnuExit_Click();

    // Showing the sale.
    // The sale changed (the set of sale::Sale::Change bits given).
    void saleModelChanged(unsigned changes);
    void Update_Display();
    void Set_Visibility();
    void VScroll1_Change();
    void fillRow(int rowIndex, int linePosition);
    void fillEmptyRow(int rowIndex);
    void showTotals();
    void showChosen();
    void paintRowsUnselected();

    // The rows' events.
    int linePositionOfRow(int index) const;
    void cmdRemove_Click();
    void POSItem1_GotFocus(int index);
    void POSItem1_HasFocus(int index);
    void POSItem1_Changed(int index, double qty, double discount, bool exempt);
    void POSItem1_QtyChanged(int index, double qty);

    // The tender.
    qint64 tenderedCents() const;
    void showTender();
    void txtAmountTendered_Change();
    void txtAmountTendered_LostFocus();
    bool tenderEvent(QEvent *event);

    RegisterSession &mSession;

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
    QLabel *lblStoreState = nullptr; // in the status bar: selling offline, sales waiting
    QLabel *lblChangeDueCaption = nullptr;
    QComboBox *cmbPayType = nullptr;
    QLineEdit *txtAmountTendered = nullptr;
    QPushButton *cmdProcessTransaction = nullptr;
    QPushButton *Label2 = nullptr;
    QAction *mnuLogin = nullptr;
    QAction *mnuLogout = nullptr;
    QAction *mnuCheckSecurity = nullptr;
    platform::KeyboardHook *whBarcode = nullptr;
    platform::HelpComponent mHelp;

    // The window's own state.
    bool mfUnload = false;
    bool mClosed = false;
    platform::BarcodeCapture mCapture; // mfScanning and BarcodeBuffer
    qint16 SelectedRow = -1;
    bool RowsLoading = false;  // rows being filled raise no edits
    bool ShowingSale = false;  // controls set from the sale raise no changes
    QList<sale::PayType> mPayTypes; // the pay type list's entries
    SaleKeeper *mKeeper = nullptr;  // the journal of the open sale
    std::unique_ptr<RegisterActions> mActions;
    int mSaleObserver = 0;
};

} // namespace vanta
