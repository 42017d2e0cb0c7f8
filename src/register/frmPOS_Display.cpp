// Showing the sale: the rows and their paging, the amounts, the shipping,
// the customer and pay type chosen, and the sale buttons.
#include "register/frmPOS.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "register/CustomerListModel.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScrollBar>

namespace vanta {

namespace {
const QColor kUnselected(0xE0, 0xE0, 0xE0);
} // namespace

sale::SaleTotals frmPOS::totals() const { return mSession.sale.totals(); }

// Controls set here from the sale raise no changes of their own.
void frmPOS::saleModelChanged(unsigned changes)
{
    const QScopedValueRollback showing(ShowingSale, true);
    using S = sale::Sale;
    if (changes & (S::Lines | S::Number))
        Update_Display();
    if (changes & (S::Lines | S::Shipping | S::Tax | S::Payment))
        showTotals();
    if (changes & S::Shipping) {
        const sale::SaleShipping &s = mSession.sale.shipping();
        lblMethod->setText(s.method);
        lblshippingDesc->setText(s.description);
        if (s.chargeCents == 0 && s.description == QLatin1String("None"))
            cmdShipping->setText(QStringLiteral("Add Shipping"));
    }
    if (changes & (S::Customer | S::Payment))
        showChosen();
    // A refund's tender follows its total: it is what is paid back.
    if (changes & (S::Payment | S::Lines | S::Tax | S::Shipping))
        showTender();
}

void frmPOS::fillRow(int rowIndex, int linePosition)
{
    const sale::clsSaleItems::Line line = mSession.sale.lines().Item(linePosition);
    POSItem *r = POSItem1[size_t(rowIndex)];
    // The quantity goes in before the price so that the line's own price,
    // discount and subtotal are what the row ends up showing.
    r->setLinePosition(linePosition);
    r->setFixed(line->good().isReturn()); // before the quantity: a fixed row shows it as it is
    // A line given back is marked so on its row.
    const QString mark = line->good().isReturn() ? QStringLiteral("Return: ") : QString();
    r->setItemName(mark + line->Name());
    r->setQty(line->qty());
    r->setPrice(line->Price().dollars());
    r->setDisc(line->Discount());
    r->setSubtotal(line->Subtotal().dollars());
    r->setTaxExempt(!line->Taxable());
    r->setUOM(line->UOM());
    r->setFullUOM(line->FullUOM());
    r->setFullName(mark + line->FullName());
}

void frmPOS::fillEmptyRow(int rowIndex)
{
    POSItem *r = POSItem1[size_t(rowIndex)];
    r->setLinePosition(0);
    r->setItemName(POSItem::EmptyName);
    r->setQty(0);
    r->setPrice(0);
    r->setDisc(0);
    r->setSubtotal(0);
    r->setTaxExempt(false);
    r->setFixed(false);
    r->setUOM(QStringLiteral("-"));
    r->setFullUOM(QStringLiteral("No Unit of Measure"));
    r->setFullName(QStringLiteral("No Items Added"));
}

void frmPOS::Update_Display()
{
    diag::run("frmPOS", "Update_Display", [&] {
        Set_Visibility();
        // A store that ships nothing offers no shipping and shows "None".
        const bool ships = mActions->storeShips();
        if (!ships) {
            lblshippingDesc->setText(QStringLiteral("None"));
            cmdShipping->setText(QStringLiteral("Add Shipping"));
        }
        const QScopedValueRollback loading(RowsLoading, true);
        const int n = mSession.sale.lines().Count();
        for (int pos = 1; pos <= std::min(n, int(RowCount)); ++pos)
            fillRow(pos - 1, pos);
        if (n == 0)
            fillEmptyRow(0);
        // The sale buttons work on a sale with lines.
        cmdHold->setEnabled(n > 0);
        cmdRemove->setEnabled(n > 0);
        cmdProcessTransaction->setEnabled(n > 0);
        cmdShipping->setEnabled(n > 0 && ships);
    });
}

void frmPOS::Set_Visibility()
{
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
}

void frmPOS::VScroll1_Change()
{
    diag::run("frmPOS", "VScroll1_Change", [&] {
        if (mSession.sale.empty())
            return;
        const QScopedValueRollback loading(RowsLoading, true);
        const int v = VScroll1->value();
        for (int r = 0; r < RowCount && v + r + 1 <= mSession.sale.lines().Count(); ++r)
            fillRow(r, v + r + 1);
        SelectedRow = -1;
        paintRowsUnselected();
    });
}

void frmPOS::paintRowsUnselected()
{
    for (POSItem *r : POSItem1)
        r->setSelBack(kUnselected);
}

// Every amount label from the sale's totals.
void frmPOS::showTotals()
{
    const sale::SaleTotals t = totals();
    lblSubtotal->setText(formatCurrencyCents(t.subtotal));
    lblShipping->setText(formatCurrencyCents(t.shipping));
    lblTax->setText(formatCurrencyCents(t.tax));
    lblTotal->setText(formatCurrencyCents(t.totalDue()));
    // A refund shows what is paid back where the change due stands.
    const bool refund = mSession.sale.refund();
    lblChangeDueCaption->setText(refund ? QStringLiteral("Refund Due:") : QStringLiteral("Change Due:"));
    lblChangeDue->setText(formatCurrencyCents(refund ? mSession.sale.refundDueCents() : mSession.sale.changeCents()));
}

// The lists show the sale's customer (its first entry) and pay type.
void frmPOS::showChosen()
{
    const auto &customers = mCustomerModel->entries();
    const std::optional<qint32> customer = mSession.sale.customer();
    int index = -1;
    for (int i = 0; customer && i < customers.size() && index < 0; ++i)
        if (customers[i].id == *customer)
            index = i;
    cmbCustomers->setCurrentIndex(index);
    if (index >= 0)
        cmdAdd->setEnabled(true);
    const qint32 payType = mSession.sale.payType().id;
    index = -1;
    for (int i = 0; payType != 0 && i < mPayTypes.size() && index < 0; ++i)
        if (mPayTypes[i].id == payType)
            index = i;
    cmbPayType->setCurrentIndex(index);
}

void frmPOS::showCustomers(QList<CustomerListModel::Entry> entries)
{
    const QScopedValueRollback showing(ShowingSale, true);
    cmbCustomers->setCurrentIndex(-1);
    mCustomerModel->setEntries(std::move(entries));
    showChosen();
}

void frmPOS::showPayTypes(const QList<sale::PayType> &payTypes)
{
    const QScopedValueRollback showing(ShowingSale, true);
    mPayTypes = payTypes;
    cmbPayType->clear();
    for (const sale::PayType &p : payTypes)
        cmbPayType->addItem(p.name);
    showChosen();
}

} // namespace vanta
