// The register window: controls, menus, layout and window events.
#include "register/frmPOS.h"

#include "db/StoreCheck.h"
#include "diagnostics/ApplicationTitle.h"
#include "lookup/CatalogueRefresh.h"
#include "register/CustomerListModel.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"
#include "register/SaleKeeper.h"

#include <QAction>
#include <QCloseEvent>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QTimer>
#include <QVBoxLayout>

namespace vanta {

namespace {

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QString &tip)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setToolTip(tip);
    return b;
}

QLabel *amountLabel(QWidget *parent, const char *name)
{
    auto *l = new QLabel(QStringLiteral("$0.00"), parent);
    l->setObjectName(QLatin1String(name));
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    l->setFrameShape(QFrame::StyledPanel);
    l->setMinimumWidth(110);
    QFont f = l->font();
    f.setBold(true);
    l->setFont(f);
    return l;
}

} // namespace

frmPOS::frmPOS(RegisterSession &session, const QString &dataOverride, QWidget *parent)
    : QMainWindow(parent), mSession(session), mDataOverride(dataOverride),
      mScans(session.modals(), [this](const ScanQueue::Scan &scan) { applyScan(scan); })
{
    setObjectName(QStringLiteral("frmPOS"));
    QFont tahoma(QStringLiteral("Tahoma"));
    tahoma.setPointSize(9);
    setFont(tahoma);
    buildControls();
    buildMenus();
    connectRows();
    setMinimumSize(MinWidth, MinHeight);
    resize(1000, 600);
    updateCaption();

    tmrMessage = new QTimer(this);
    tmrMessage->setObjectName(QStringLiteral("tmrMessage"));
    tmrMessage->setSingleShot(true);
    tmrMessage->setInterval(200);
    connect(tmrMessage, &QTimer::timeout, this, &frmPOS::tmrMessage_Timer);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, &frmPOS::Timer1_Timer);

    whBarcode = new platform::KeyboardHook([this](const platform::KeyPress &k) { return whBarcode_KeyDown(k); },
                                           this);
    // Held scans go on once the last box or dialog has closed and the code
    // that opened it has finished.
    connect(&session.modals(), &platform::ModalActivity::allClosed, this, [this] { mScans.resume(); },
            Qt::QueuedConnection);
    mSaleObserver = mSession.sale.observe([this](unsigned changes) { saleModelChanged(changes); });
    mKeeper = new SaleKeeper(mSession.sale, [&session] { return session.journal(); }, session.prompt, this);
}

frmPOS::~frmPOS() { mSession.sale.unobserve(mSaleObserver); }

void frmPOS::buildControls()
{
    auto *central = new QWidget(this);
    setCentralWidget(central);
    auto *grid = new QGridLayout(central);
    grid->setContentsMargins(8, 8, 8, 8);

    // Customer and command buttons along the top.
    auto *top = new QHBoxLayout;
    auto *label1 = new QLabel(QStringLiteral("Customer"), central);
    top->addWidget(label1);
    cmbCustomers = new QComboBox(central);
    cmbCustomers->setObjectName(QStringLiteral("cmbCustomers"));
    cmbCustomers->setToolTip(QStringLiteral("Current Customer"));
    mCustomerModel = new CustomerListModel(cmbCustomers);
    auto *customerView = new QListView(cmbCustomers);
    customerView->setUniformItemSizes(true); // thousands of customers: no per-entry measuring
    cmbCustomers->setView(customerView);
    cmbCustomers->setModel(mCustomerModel);
    cmbCustomers->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    cmbCustomers->setMinimumContentsLength(34);
    cmbCustomers->setMaxVisibleItems(20);
    top->addWidget(cmbCustomers, 1);
    cmdAdd = button(central, "cmdAdd", QStringLiteral("&Add Item"), QStringLiteral("Add an item to this sale"));
    cmdRemove = button(central, "cmdRemove", QStringLiteral("&Remove Item"),
                       QStringLiteral("Remove an item from the sale"));
    cmdEdit = button(central, "cmdEdit", QStringLiteral("&View Customers"),
                     QStringLiteral("Edit selected customer information"));
    cmdShipping = button(central, "cmdShipping", QStringLiteral("Add &Shipping"),
                         QStringLiteral("Add shipping charges to sale"));
    cmdCancel = button(central, "cmdCancel", QStringLiteral("&Cancel Sale"), QStringLiteral("Close current sale"));
    cmdHold = button(central, "cmdHold", QStringLiteral("&Hold Sale"), QStringLiteral("Hold current sale"));
    for (QPushButton *b : {cmdAdd, cmdRemove, cmdEdit, cmdShipping, cmdCancel, cmdHold})
        top->addWidget(b);
    cmdAdd->setEnabled(false);
    cmdRemove->setEnabled(false);
    cmdShipping->setEnabled(false);
    cmdHold->setEnabled(false);
    grid->addLayout(top, 0, 0, 1, 2);

    // The sale rows.
    fraPOS = new QGroupBox(central);
    fraPOS->setObjectName(QStringLiteral("fraPOS"));
    auto *rowsOuter = new QVBoxLayout(fraPOS);
    rowsOuter->setContentsMargins(6, 6, 6, 6);
    rowsOuter->setSpacing(2);
    mHeadings = new QWidget(fraPOS);
    mHeadings->setFixedHeight(20);
    const std::array<std::pair<const char *, const char *>, 6> headings{{{"lblName", "Name"},
                                                                         {"lblPrice", "Price"},
                                                                         {"lblQty", "Qty"},
                                                                         {"lblUOM", "UOM"},
                                                                         {"lblDisc", "Disc%"},
                                                                         {"lblSub", "Subtotal"}}};
    for (size_t i = 0; i < headings.size(); ++i) {
        auto *l = new QLabel(QLatin1String(headings[i].second), mHeadings);
        l->setObjectName(QLatin1String(headings[i].first));
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
        mHeadingLabels[i] = l;
    }
    rowsOuter->addWidget(mHeadings);
    auto *rowsAndBar = new QHBoxLayout;
    rowsAndBar->setSpacing(2);
    auto *rowsBox = new QVBoxLayout;
    rowsBox->setSpacing(0);
    for (int i = 0; i < RowCount; ++i) {
        auto *r = new POSItem(mSession.settings, fraPOS);
        r->setObjectName(QStringLiteral("POSItem1_%1").arg(i));
        r->setRowsLoadingFlag(&RowsLoading);
        r->setRecordNumber(qint16(i));
        POSItem1[size_t(i)] = r;
        rowsBox->addWidget(r);
    }
    rowsBox->addStretch(1);
    rowsAndBar->addLayout(rowsBox, 1);
    VScroll1 = new QScrollBar(Qt::Vertical, fraPOS);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setEnabled(false);
    rowsAndBar->addWidget(VScroll1);
    rowsOuter->addLayout(rowsAndBar, 1);
    POSItem1[0]->installEventFilter(this); // the headings follow the row's fields
    grid->addWidget(fraPOS, 1, 0);

    // Shipping description under the rows, with the shut-down hot spot.
    auto *below = new QHBoxLayout;
    lblMethod = new QLabel(central);
    lblMethod->setObjectName(QStringLiteral("lblMethod"));
    lblshippingDesc = new QLabel(central);
    lblshippingDesc->setObjectName(QStringLiteral("lblshippingDesc"));
    below->addWidget(lblMethod);
    below->addWidget(lblshippingDesc, 1);
    Label2 = new QPushButton(central);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFlat(true);
    Label2->setFocusPolicy(Qt::NoFocus);
    Label2->setFixedSize(33, 9);
    below->addWidget(Label2);
    grid->addLayout(below, 2, 0);

    // Totals and payment.
    fraTotals = new QGroupBox(central);
    fraTotals->setObjectName(QStringLiteral("fraTotals"));
    auto *totals = new QGridLayout(fraTotals);
    cmbPayType = new QComboBox(fraTotals);
    cmbPayType->setObjectName(QStringLiteral("cmbPayType"));
    cmbPayType->setToolTip(QStringLiteral("Payment method used"));
    lblSubtotal = amountLabel(fraTotals, "lblSubtotal");
    lblShipping = amountLabel(fraTotals, "lblShipping");
    lblTax = amountLabel(fraTotals, "lblTax");
    lblTotal = amountLabel(fraTotals, "lblTotal");
    txtAmountTendered = new QLineEdit(QStringLiteral("0.00"), fraTotals);
    txtAmountTendered->setObjectName(QStringLiteral("txtAmountTendered"));
    txtAmountTendered->setToolTip(QStringLiteral("Enter amount tendered"));
    txtAmountTendered->setAlignment(Qt::AlignRight);
    lblChangeDue = amountLabel(fraTotals, "lblChangeDue");
    lblChangeDue->setToolTip(QStringLiteral("Customer's change due"));
    const QList<std::pair<QString, QWidget *>> rows{{QStringLiteral("Pay type:"), cmbPayType},
                                                     {QStringLiteral("Subtotal"), lblSubtotal},
                                                     {QStringLiteral("Shipping"), lblShipping},
                                                     {QStringLiteral("Tax"), lblTax},
                                                     {QStringLiteral("Total Due"), lblTotal},
                                                     {QStringLiteral("Tendered $"), txtAmountTendered},
                                                     {QStringLiteral("Change Due:"), lblChangeDue}};
    for (int i = 0; i < rows.size(); ++i) {
        totals->addWidget(new QLabel(rows[i].first, fraTotals), i, 0);
        totals->addWidget(rows[i].second, i, 1);
    }
    cmdProcessTransaction = button(fraTotals, "cmdProcessTransaction", QStringLiteral("&Process"), QString());
    cmdProcessTransaction->setEnabled(false);
    cmdProcessTransaction->setMinimumHeight(40);
    totals->addWidget(cmdProcessTransaction, int(rows.size()), 0, 1, 2);
    totals->setRowStretch(int(rows.size()) + 1, 1);
    grid->addWidget(fraTotals, 1, 1, 2, 1);
    grid->setColumnStretch(0, 1);

    connect(cmdAdd, &QPushButton::clicked, this, &frmPOS::cmdAdd_Click);
    connect(cmdRemove, &QPushButton::clicked, this, &frmPOS::cmdRemove_Click);
    connect(cmdEdit, &QPushButton::clicked, this, &frmPOS::cmdEdit_Click);
    connect(cmdShipping, &QPushButton::clicked, this, &frmPOS::cmdShipping_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmPOS::cmdCancel_Click);
    connect(cmdHold, &QPushButton::clicked, this, &frmPOS::cmdHold_Click);
    connect(cmdProcessTransaction, &QPushButton::clicked, this, &frmPOS::cmdProcessTransaction_Click);
    connect(Label2, &QPushButton::clicked, this, &frmPOS::Label2_Click);
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmPOS::VScroll1_Change);
    // The customer and pay type chosen go to the sale at once.
    connect(cmbCustomers, &QComboBox::currentIndexChanged, this, [this](int index) {
        mSession.sale.setCustomer(selectedCustomer());
        if (index >= 0)
            cmbCustomers_Click();
    });
    connect(cmbPayType, &QComboBox::currentIndexChanged, this, [this](int index) {
        mSession.sale.setPayType(payTypeAt(index));
        if (index >= 0)
            cmbPayType_Click();
    });
    connect(txtAmountTendered, &QLineEdit::textChanged, this, &frmPOS::txtAmountTendered_Change);
    txtAmountTendered->installEventFilter(this);
}

void frmPOS::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, auto slot) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuLogin = action(file, "mnuLogin", QStringLiteral("Log&in"), &frmPOS::mnuLogin_Click);
    mnuLogout = action(file, "mnuLogout", QStringLiteral("Log&out"), &frmPOS::mnuLogout_Click);
    mnuLogout->setEnabled(false);
    file->addSeparator();
    mnuExit = action(file, "mnuExit", QStringLiteral("E&xit"), &frmPOS::mnuExit_Click);

    QMenu *utilities = menuBar()->addMenu(QStringLiteral("&Utilities"));
    mnuChangeDatabaseLocation = action(utilities, "mnuChangeDatabaseLocation",
                                       QStringLiteral("&Change Database Location"),
                                       &frmPOS::mnuChangeDatabaseLocation_Click);
    mnuCheckSecurity = action(utilities, "mnuCheckSecurity", QStringLiteral("&Enable Security"),
                              &frmPOS::mnuCheckSecurity_Click);
    mnuCheckSecurity->setCheckable(true);
    mnuManualAdd = action(utilities, "mnuManualAdd", QStringLiteral("&Manual Add"), &frmPOS::mnuManualAdd_Click);
    mnuManualAdd->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_M));
    mnuManualAdd->setShortcutContext(Qt::ApplicationShortcut);
    addAction(mnuManualAdd);
    utilities->addSeparator();
    mnuReportOptions = action(utilities, "mnuReportOptions", QStringLiteral("&Report Options"),
                              &frmPOS::mnuReportOptions_Click);
    buildReceiptCommands(utilities);
    mnuMailSettings = action(utilities, "mnuMailSettings", QStringLiteral("Mai&l Settings"),
                             &frmPOS::mnuMailSettings_Click);

    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->addAction(QStringLiteral("&Context Sensative Help"))->setObjectName(QStringLiteral("mnuContextHelp"));
    action(help, "mnuHelpContents", QStringLiteral("Help C&ontents"),
           [this] { mHelp.ShowTopic(QStringLiteral("point_of_sale.htm")); });
    action(help, "mnuHelpIndex", QStringLiteral("Help &Index"), [this] { mHelp.ShowIndex(); });
    // F1 asks the help component for the register's topic.
    auto *f1 = new QAction(this);
    f1->setShortcut(QKeySequence(Qt::Key_F1));
    connect(f1, &QAction::triggered, this, [this] { mHelp.ShowTopic(QStringLiteral("Point_of_Sale.htm")); });
    addAction(f1);
    help->addSeparator();
    mnuAbout = action(help, "mnuAbout", QStringLiteral("&About..."), &frmPOS::mnuAbout_Click);
}

void frmPOS::connectRows()
{
    for (int i = 0; i < RowCount; ++i) {
        POSItem *r = POSItem1[size_t(i)];
        connect(r, &POSItem::GotFocus, this, [this, i] { POSItem1_GotFocus(i); });
        connect(r, &POSItem::HasFocus, this, [this, i] { POSItem1_HasFocus(i); });
        connect(r, &POSItem::edited, this,
                [this, i](double qty, double discount, bool exempt) { POSItem1_Changed(i, qty, discount, exempt); });
        connect(r, &POSItem::quantityEdited, this, [this, i](double qty) { POSItem1_QtyChanged(i, qty); });
        connect(r, &POSItem::ChangePrice, this, [this, i] { POSItem1_ChangePrice(i); });
    }
}

// ------------------------------------------------------------- window events

void frmPOS::updateCaption()
{
    if (isMinimized())
        setWindowTitle(QStringLiteral("Hold Sale - ") + mSession.identity.employeeName);
    else if (mSession.identity.employeeName == QLatin1String("None"))
        setWindowTitle(applicationTitle() + QLatin1Char(' '));
    else
        setWindowTitle(applicationTitle() + QStringLiteral(" - ") + mSession.identity.employeeName);
}

void frmPOS::Form_Resize()
{
    updateCaption();
    if (isMinimized())
        return;
    placeHeadings();
}

void frmPOS::placeHeadings()
{
    // Headings over the columns the first row reports, offset a little into
    // the fields (Name, Price, Qty by 16 px; Disc% by 7; Subtotal by 12).
    const std::array<int, 6> left = POSItem1[0]->GetLeftValues();
    const std::array<int, 6> offset{16, 16, 16, 0, 7, 12};
    const int shift = POSItem1[0]->mapTo(fraPOS, QPoint(0, 0)).x() - mHeadings->mapTo(fraPOS, QPoint(0, 0)).x();
    for (size_t i = 0; i < left.size(); ++i) {
        mHeadingLabels[i]->adjustSize();
        mHeadingLabels[i]->move(shift + left[i] + offset[i], 2);
    }
}

void frmPOS::resizeEvent(QResizeEvent *event)
{
    QMainWindow::resizeEvent(event);
    Form_Resize();
}

void frmPOS::showEvent(QShowEvent *event)
{
    QMainWindow::showEvent(event);
    Form_Resize();
}

void frmPOS::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange)
        Form_Resize();
}

bool frmPOS::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == POSItem1[0] && (event->type() == QEvent::Resize || event->type() == QEvent::Move))
        placeHeadings();
    if (watched == txtAmountTendered && tenderEvent(event))
        return true;
    return QMainWindow::eventFilter(watched, event);
}

// Form_QueryUnload: a sale with lines is never lost by closing; the window is
// minimised instead (a held sale), unless the shut-down action asked to close.
void frmPOS::closeEvent(QCloseEvent *event)
{
    if (!mSession.sale.empty() && !mfUnload) {
        event->ignore();
        showMinimized();
        return;
    }
    mKeeper->writePending(); // a change made on the way out is kept too
    mClosed = true;
    mScans.clear(); // no sale left to go to
    event->accept();
}

} // namespace vanta
