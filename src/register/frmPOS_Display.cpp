// The sale rows, paging and the four amounts of the register.
#include "register/frmPOS.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "register/CustomerListModel.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"
#include "tax/SaleTax.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>

namespace vanta {

namespace {
const QColor kUnselected(0xE0, 0xE0, 0xE0);
} // namespace

std::optional<qint32> frmPOS::selectedCustomer() const
{
    const int i = cmbCustomers->currentIndex();
    if (i < 0 || i >= mCustomerModel->entries().size())
        return std::nullopt;
    return mCustomerModel->entries()[i].id;
}

void frmPOS::setAmountTendered(const QString &text) { txtAmountTendered->setText(text); }

sale::SaleTotals frmPOS::totals() const { return mSession.sale.totals(); }

void frmPOS::fillRow(int rowIndex, int linePosition)
{
    const sale::clsSaleItems::Line line = mSession.sale.lines().Item(linePosition);
    POSItem *r = POSItem1[size_t(rowIndex)];
    // The quantity goes in before the price so that the line's own price,
    // discount and subtotal are what the row ends up showing.
    r->setLinePosition(linePosition);
    r->setItemName(line->Name());
    r->setQty(line->qty());
    r->setPrice(line->Price().dollars());
    r->setDisc(line->Discount());
    r->setSubtotal(line->Subtotal().dollars());
    r->setTaxExempt(!line->Taxable());
    r->setUOM(line->UOM());
    r->setFullUOM(line->FullUOM());
    r->setFullName(line->FullName());
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
    r->setUOM(QStringLiteral("-"));
    r->setFullUOM(QStringLiteral("No Unit of Measure"));
    r->setFullName(QStringLiteral("No Items Added"));
}

void frmPOS::Update_Display()
{
    diag::run("frmPOS", "Update_Display", [&] {
        Set_Visibility();
        // A store that ships nothing carries no shipping on its sales.
        if (!shippingConfigured()) {
            if (mSession.sale.shipping().chargeCents != 0)
                mSession.sale.setShipping({mSession.sale.shipping().methodId, mSession.sale.shipping().method,
                                           QStringLiteral("None"), 0});
            lblshippingDesc->setText(QStringLiteral("None"));
            cmdShipping->setText(QStringLiteral("Add Shipping"));
        }
        // Refilling is not editing: the rows raise no change of their own.
        const bool wasLoading = RowsLoading;
        RowsLoading = true;
        const int n = mSession.sale.lines().Count();
        for (int pos = 1; pos <= std::min(n, int(RowCount)); ++pos)
            fillRow(pos - 1, pos);
        if (n == 0)
            fillEmptyRow(0);
        RowsLoading = wasLoading;
    });
}

void frmPOS::VScroll1_Change()
{
    diag::run("frmPOS", "VScroll1_Change", [&] {
        if (mSession.sale.empty())
            return;
        RowsLoading = true;
        const int v = VScroll1->value();
        for (int r = 0; r < RowCount && v + r + 1 <= mSession.sale.lines().Count(); ++r)
            fillRow(r, v + r + 1);
        SelectedRow = -1;
        paintRowsUnselected();
        RowsLoading = false;
    });
}

void frmPOS::paintRowsUnselected()
{
    for (POSItem *r : POSItem1)
        r->setSelBack(kUnselected);
}

double frmPOS::Total_Subtotals()
{
    return diag::run("frmPOS", "Total_Subtotals", 0.0, [&] { return sale::dollars(totals().subtotal); });
}

// Every amount label from the sale's totals.
void frmPOS::showTotals()
{
    const sale::SaleTotals t = totals();
    lblSubtotal->setText(formatCurrencyCents(t.subtotal));
    lblShipping->setText(formatCurrencyCents(t.shipping));
    lblTax->setText(formatCurrencyCents(t.tax));
    lblTotal->setText(formatCurrencyCents(t.totalDue()));
}

void frmPOS::saleModelChanged(unsigned changes)
{
    if (changes & (sale::Sale::Lines | sale::Sale::Shipping | sale::Sale::Tax))
        showTotals();
    if (changes & sale::Sale::Shipping) {
        const sale::SaleShipping &s = mSession.sale.shipping();
        lblMethod->setText(s.method);
        lblshippingDesc->setText(s.description);
        if (s.chargeCents == 0 && s.description == QLatin1String("None"))
            cmdShipping->setText(QStringLiteral("Add Shipping"));
    }
}

// After the lines changed (the sale has shown its new amounts already):
// the tender is entered again.
void frmPOS::UpdateTotals()
{
    diag::run("frmPOS", "UpdateTotals", [&] { setAmountTendered(QStringLiteral("0.00")); });
}

// The total due: the three amounts exactly as they are shown, added in
// whole cents, so 12.99 + 0.94 is exactly 13.93 and a tender of exactly the
// total is enough.
double frmPOS::Get_Grand_Total()
{
    return diag::run("frmPOS", "Get_Grand_Total", 0.0, [&] { return sale::dollars(totals().totalDue()); });
}

void frmPOS::refreshTax() { mSession.sale.retax(); }

void frmPOS::EnableButtons()
{
    cmdHold->setEnabled(true);
    cmdRemove->setEnabled(true);
    cmdProcessTransaction->setEnabled(true);
    cmdShipping->setEnabled(shippingConfigured());
}

void frmPOS::DisableButtons()
{
    cmdHold->setEnabled(false);
    cmdRemove->setEnabled(false);
    cmdProcessTransaction->setEnabled(false);
    cmdShipping->setEnabled(false);
}

// A finished or abandoned sale leaves nothing of its amounts on the screen.
void frmPOS::clearAmounts()
{
    mSession.sale.clearLines();
    lblChangeDue->setText(formatCurrencyCents(0));
    setAmountTendered(QStringLiteral("0.00"));
}

void frmPOS::cmbCustomers_Click()
{
    diag::run("frmPOS", "cmbCustomers_Click", [&] {
        if (!cmbCustomers->currentText().isEmpty())
            cmdAdd->setEnabled(true);
    });
}

} // namespace vanta
