// The register window: controls, menus, layout and window events.
#include "register/frmPOS.h"

#include "diagnostics/ApplicationTitle.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/UiFont.h"
#include "register/CustomerListModel.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"
#include "register/SaleKeeper.h"

#include <QAction>
#include <QApplication>
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
#include <QScopedValueRollback>
#include <QScrollBar>
#include <QStatusBar>
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
    : QMainWindow(parent), mSession(session)
{
    setObjectName(QStringLiteral("frmPOS"));
    setFont(platform::uiFont(9));
    mKeeper = new SaleKeeper(mSession.sale, [&session] { return session.journal(); }, session.prompt, this);
    RegisterView &view = *this;
    mActions = std::make_unique<RegisterActions>(session, view, *mKeeper, dataOverride);
    buildControls();
    buildMenus();
    connectControls();
    connectRows();
    setMinimumSize(MinWidth, MinHeight);
    resize(1000, 600);
    updateCaption();
    whBarcode = new platform::KeyboardHook([this](const platform::KeyPress &k) { return whBarcode_KeyDown(k); },
                                           this);
    const platform::ScannerSettings scanner = platform::readScannerSettings(session.settings);
    mCapture = platform::BarcodeCapture(scanner);
    whBarcode->timeScans(scanner, [this](const QString &code) { mActions->scanned(code); });
    mSaleObserver = mSession.sale.observe([this](unsigned changes) { saleModelChanged(changes); });
    platform::nameFields(this); // fields found by what they are
}

frmPOS::~frmPOS() { mSession.sale.unobserve(mSaleObserver); }

void frmPOS::Form_Load() { mActions->start(); }

void frmPOS::Add_Item(const sale::Good &good) { mActions->addGood(good); }

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
    cmdHold = button(central, "cmdHold", QStringLiteral("H&old Sale"), QStringLiteral("Hold current sale"));
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

    buildTotals(central);
    grid->addWidget(fraTotals, 1, 1, 2, 1);
    grid->setColumnStretch(0, 1);
}

// The amounts, the pay type, the tender and the Process button.
void frmPOS::buildTotals(QWidget *central)
{
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
        auto *caption = new QLabel(rows[i].first, fraTotals);
        totals->addWidget(caption, i, 0);
        totals->addWidget(rows[i].second, i, 1);
        lblChangeDueCaption = caption; // the last row's: change or refund due
    }
    lblChangeDueCaption->setObjectName(QStringLiteral("lblChangeDueCaption"));
    cmdProcessTransaction = button(fraTotals, "cmdProcessTransaction", QStringLiteral("&Process"), QString());
    cmdProcessTransaction->setEnabled(false);
    cmdProcessTransaction->setMinimumHeight(40);
    totals->addWidget(cmdProcessTransaction, int(rows.size()), 0, 1, 2);
    totals->setRowStretch(int(rows.size()) + 1, 1);
}

// The controls' signals go to the commands; the customer and pay type
// chosen go to the sale at once.
void frmPOS::connectControls()
{
    connect(cmdAdd, &QPushButton::clicked, this, [this] { mActions->findItem(); });
    connect(cmdRemove, &QPushButton::clicked, this, &frmPOS::cmdRemove_Click);
    connect(cmdEdit, &QPushButton::clicked, this, [this] { mActions->editCustomer(); });
    connect(cmdShipping, &QPushButton::clicked, this, [this] { mActions->shipping(); });
    connect(cmdCancel, &QPushButton::clicked, this, [this] { mActions->cancelSale(); });
    connect(cmdHold, &QPushButton::clicked, this, [this] { mActions->holdSale(); });
    connect(cmdProcessTransaction, &QPushButton::clicked, this, [this] { mActions->process(); });
    connect(Label2, &QPushButton::clicked, this, [this] { mActions->shutDown(); });
    connect(VScroll1, &QScrollBar::valueChanged, this, &frmPOS::VScroll1_Change);
    connect(cmbCustomers, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (ShowingSale)
            return;
        const auto &entries = mActions->customers();
        mActions->chooseCustomer(index >= 0 && index < entries.size() ? std::optional(entries[index].id)
                                                                      : std::nullopt);
    });
    connect(cmbPayType, &QComboBox::currentIndexChanged, this, [this](int index) {
        if (!ShowingSale)
            mActions->choosePayType(index >= 0 && index < mPayTypes.size() ? mPayTypes[index] : sale::PayType());
    });
    connect(txtAmountTendered, &QLineEdit::textChanged, this, &frmPOS::txtAmountTendered_Change);
    txtAmountTendered->installEventFilter(this);
}

void frmPOS::buildMenus()
{
    auto action = [this](QMenu *menu, const char *name, const QString &caption, auto slot,
                         const QKeySequence &shortcut = {}) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, slot);
        if (!shortcut.isEmpty()) {
            a->setShortcut(shortcut);
            a->setShortcutContext(Qt::ApplicationShortcut);
            addAction(a);
        }
        return a;
    };
    RegisterActions *r = mActions.get();
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    mnuLogin = action(file, "mnuLogin", QStringLiteral("Log&in"), [r] { r->logOn(); });
    mnuLogout = action(file, "mnuLogout", QStringLiteral("Log&out"), [r] { r->logOut(); });
    mnuLogout->setEnabled(false);
    file->addSeparator();
    action(file, "mnuExit", QStringLiteral("E&xit"), &frmPOS::mnuExit_Click);

    QMenu *utilities = menuBar()->addMenu(QStringLiteral("&Utilities"));
    action(utilities, "mnuChangeDatabaseLocation", QStringLiteral("&Change Database Location"),
           [r] { r->changeStore(); });
    mnuCheckSecurity = action(utilities, "mnuCheckSecurity", QStringLiteral("&Enable Security"),
                              [r] { r->toggleSecurity(); });
    mnuCheckSecurity->setCheckable(true);
    action(utilities, "mnuManualAdd", QStringLiteral("&Manual Add"), [r] { r->manualAdd(); },
           QKeySequence(Qt::CTRL | Qt::Key_M));
    action(utilities, "mnuReturnItems", QStringLiteral("Re&turn Items"), [r] { r->returnItems(); },
           QKeySequence(Qt::CTRL | Qt::Key_R));
    action(utilities, "mnuReturnWithoutReceipt", QStringLiteral("Return &Without Receipt"),
           [r] { r->returnWithoutReceipt(); }, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
    utilities->addSeparator();
    action(utilities, "mnuReportOptions", QStringLiteral("&Report Options"), [r] { r->reportOptions(); });
    utilities->addSeparator();
    action(utilities, "mnuReprintReceipt", QStringLiteral("Re&print Last Receipt"), [r] { r->reprintReceipt(); },
           QKeySequence(Qt::CTRL | Qt::Key_P));
    action(utilities, "mnuOpenCashDrawer", QStringLiteral("Open Cash &Drawer"), [r] { r->openCashDrawer(); });
    action(utilities, "mnuMailSettings", QStringLiteral("Mai&l Settings"), [r] { r->mailSettings(); });
    action(utilities, "mnuBackUpNow", QStringLiteral("&Back Up Store Now"), [r] { r->backUpNow(); });
    QMenu *shift = utilities->addMenu(QStringLiteral("Shi&ft"));
    shift->setObjectName(QStringLiteral("mnuShift"));
    action(shift, "mnuOpenShift", QStringLiteral("&Open Shift..."), [r] { r->openShift(); });
    action(shift, "mnuPaidIn", QStringLiteral("Paid &In..."), [r] { r->paidIn(); });
    action(shift, "mnuPaidOut", QStringLiteral("Paid O&ut..."), [r] { r->paidOut(); });
    action(shift, "mnuXReport", QStringLiteral("&X Report"), [r] { r->xReport(); });
    action(shift, "mnuZReport", QStringLiteral("&Z Report (Close Shift)..."), [r] { r->zReport(); });
    action(shift, "mnuReprintZReport", QStringLiteral("Print Z Report &Again..."), [r] { r->reprintZReport(); });
    action(utilities, "mnuStoreFigures", QStringLiteral("Store Fi&gures..."), [r] { r->storeFigures(); });

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
    action(help, "mnuAbout", QStringLiteral("&About..."), [r] { r->about(); });
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
    mActions->windowClosed();
    event->accept();
}

void frmPOS::closeWindow(bool forGood)
{
    mfUnload = mfUnload || forGood;
    close();
}

void frmPOS::mnuExit_Click()
{
    for (QWidget *w : QApplication::topLevelWidgets())
        if (w != this && w->isVisible())
            w->close();
    close();
}

void frmPOS::bringToFront()
{
    if (isMinimized())
        showNormal();
    raise();
    activateWindow();
}

void frmPOS::focus(Field field)
{
    switch (field) {
    case Field::Customers:
        return cmbCustomers->setFocus();
    case Field::PayType:
        return cmbPayType->setFocus();
    case Field::Tender:
        return txtAmountTendered->setFocus();
    }
}

void frmPOS::showStoreState(const QString &text)
{
    if (!lblStoreState) {
        lblStoreState = new QLabel(this);
        lblStoreState->setObjectName(QStringLiteral("lblStoreState"));
        lblStoreState->setWordWrap(true);
        statusBar()->addWidget(lblStoreState, 1);
    }
    lblStoreState->setText(text);
    statusBar()->setVisible(!text.isEmpty());
}

// The logon menus, the security mark and the caption follow who is logged on.
void frmPOS::showIdentity()
{
    mnuLogin->setEnabled(!mSession.loggedOn());
    mnuLogout->setEnabled(mSession.loggedOn());
    mnuCheckSecurity->setChecked(mSession.identity.securityOn);
    updateCaption();
}

} // namespace vanta
