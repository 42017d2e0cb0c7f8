#pragma once

#include "dayend/CashMovement.h"
#include "dayend/ShiftBook.h"
#include "platform/Prompt.h"
#include "register/DeferredMessage.h"
#include "register/RegisterCustomers.h"
#include "register/RegisterView.h"
#include "register/ScanQueue.h"
#include "register/StoreOpening.h"
#include "sale/LineEdits.h"
#include "security/CommandGate.h"

#include <QList>
#include <QString>
#include <QTimer>

namespace vanta {

class CheckoutFlow;
class RegisterSession;
class SaleKeeper;

namespace sale {
struct StoredSale;
}
namespace journal {
struct OpenSale;
}
namespace shipping {
struct ShippingChoice;
}

// The register's commands: what its menus, buttons, keys and scans do,
// each behind the permission that gates it. The commands change the sale
// (the window follows it) and the session; they ask the window only for
// what the sale does not hold (see RegisterView).
class RegisterActions {
public:
    // `dataOverride`: the data folder or server store of this run (empty:
    // the one kept in the settings).
    RegisterActions(RegisterSession &session, RegisterView &view, SaleKeeper &keeper, QString dataOverride);
    ~RegisterActions();

    // Start-up: the store, its lists and a new sale; with security on, the
    // logon; then the sale this register left unfinished, offered back.
    void start();

    // The sale's lines.
    // A code from the scanner: applied now, or held while a box is open.
    void scanned(const QString &code);
    int heldScans() const { return mScans.held(); }
    // One of the good (an item or a variant) onto the sale.
    void addGood(const sale::Good &good);
    void findItem();
    void manualAdd();
    // The line at a 1-based position, once the cashier confirms.
    void removeLine(int position);
    void editLine(int position, double qty, double discount, bool exempt);
    // What the line would cost at a quantity being typed.
    std::optional<sale::Quote> quote(int position, double qty);
    void changePrice(int position);

    // Customer, shipping and payment.
    void choosePayType(const sale::PayType &payType);
    // The tender becomes the total due (a double click on it).
    void tenderTotal();
    void editCustomer();
    void shipping();
    void process();
    void cancelSale();
    void holdSale();
    // Goods given back: the sale number is asked for (or a receipt is
    // scanned), then the lines to return are chosen from that sale.
    void returnItems();
    void returnFromSale(qint32 saleId);
    void returnWithoutReceipt();

    // Logon, menus and the window.
    void logOn();
    void logOut();
    void toggleSecurity();
    void changeStore();
    void reportOptions();
    void mailSettings();
    void reprintReceipt();
    void openCashDrawer();
    void backUpNow();
    // The register's shift: opened with its float, cash paid in and out,
    // the X report, the Z report that closes it and a Z report again.
    void openShift();
    void paidIn();
    void paidOut();
    void xReport();
    void zReport();
    void reprintZReport();
    // The store's figures as charts (the "Download sales" permission).
    void storeFigures();
    void about();
    // Ends the register for good, once the cashier confirms.
    void shutDown();
    // The window closed for good: scans held have no sale left to go to.
    void windowClosed();

    // Whether the open store ships (offers shipping on its sales).
    bool storeShips();

    // The customer entry the cashier or a command chose (none: no entry).
    void chooseCustomer(std::optional<qint32> custId);
    const QList<CustomerListModel::Entry> &customers() const { return mCustomers.entries(); }
    // The register's customer list, read in the background on a large store.
    RegisterCustomers &customerList() { return mCustomers; }

private:
    bool allowed(security::GatedCommand command);
    // While selling offline: what needs the server (`what` names it) is
    // refused, and said.
    bool refusedOffline(const QString &what);
    sale::LineEdits lineEdits();
    void linesChanged();
    bool customerChosen();
    bool addByCode(const QString &code);
    void applyScan(const ScanQueue::Scan &scan);
    bool scanAllowed() const;
    void showLogon();
    void loadReportSettings(bool atLogon);
    void loadLists();
    // The store's customers, the cash sale chosen.
    void loadCustomers();
    void reloadCustomers();
    // The whole list arrived from the background (or its read failed).
    void customersLoaded(std::exception_ptr error);
    void startNextSale();
    void applyShipping(const shipping::ShippingChoice &choice);
    void tenderFollowsPayType();
    void tellAboutReturn(const QString &text);
    bool saleApproved(CheckoutFlow &flow);
    std::optional<QString> refundPaidOtherwise() const;
    std::optional<sale::Good> goodOfCode(const QString &code);
    QString returnHeading(const sale::StoredSale &stored) const;
    void offerUnfinishedSale();
    dayend::ShiftBook shiftBook();
    // The shift open on this register (0: none, or no store).
    qint32 currentShiftId();
    // Something at the drawer, kept in the open shift (if there is one).
    void recordAtDrawer(dayend::MovementKind kind, qint64 cents, const QString &reason = QString());
    // An amount asked for until one is good; none when cancelled.
    std::optional<qint64> askAmount(const QString &question, const QString &title, bool zeroAllowed);
    void tellShift(const QString &text, platform::Icon icon, const QString &title);
    void cashInOut(dayend::MovementKind kind);
    void printShiftReport(const dayend::ShiftFigures &figures, bool copy, const QString &title);
    // At start: a shift left open by a run that never ended is closed as it
    // stands; then the float is asked for (offerShift).
    void shiftAtStart();
    // With no shift open on the register, and the setting "Open Shift At
    // Logon" not 0, the float is asked for to open one.
    void offerShift();
    void openWithFloat(dayend::ShiftBook &book, const QString &question);
    void restoreSale(const journal::OpenSale &kept);

    RegisterSession &mSession;
    RegisterView &mView;
    SaleKeeper &mKeeper;
    DeferredMessage mMessages;
    StoreOpening mStoreOpening;
    ScanQueue mScans;
    RegisterCustomers mCustomers;
    QList<sale::PayType> mPayTypes;
    QTimer mNoLogonClose;
    bool mStarted = false; // start() is over: later logons may open the day's shift // nobody logged on after the logon dialog: the register closes
};

} // namespace vanta
