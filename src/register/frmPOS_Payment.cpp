// Payment: the pay type, the amount tendered and the change due.
#include "register/frmPOS.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform_ui/SelectAllText.h"
#include "register/RegisterSession.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace vanta {

bool frmPOS::isInvoicePayType() const { return mSession.sale.payType().kind == sale::PayKind::Invoice; }

// The amount in the tender field. Amounts the register writes carry group
// separators ("1,250.00"), so a number with separators reads whole; other
// text counts by the number it starts with.
double frmPOS::tenderedAmount() const
{
    const QString text = txtAmountTendered->text();
    if (const std::optional<double> v = parseNumber(text))
        return *v;
    return leadingNumber(text);
}

qint64 frmPOS::tenderedCents() const
{
    return toCents(tenderedAmount());
}

bool frmPOS::AmountTenderedOK()
{
    return diag::run("frmPOS", "AmountTenderedOK", false, [&] { return mSession.sale.tenderCovers(); });
}

void frmPOS::cmbPayType_Click()
{
    diag::run("frmPOS", "cmbPayType_Click", [&] {
        // An invoice is paid later: nothing is tendered now, whatever an
        // earlier pay type filled in.
        if (isInvoicePayType())
            setAmountTendered(QStringLiteral("0.00"));
        else if (mSession.sale.payType().kind != sale::PayKind::Cash)
            txtAmountTendered_DblClick();
    });
}

void frmPOS::txtAmountTendered_DblClick()
{
    diag::run("frmPOS", "txtAmountTendered_DblClick",
              [&] { setAmountTendered(formatNumberCents(totals().totalDue())); });
}

void frmPOS::txtAmountTendered_Change()
{
    diag::run("frmPOS", "txtAmountTendered_Change", [&] {
        if (isInvoicePayType() && txtAmountTendered->text() != QLatin1String("0.00")) {
            setAmountTendered(QStringLiteral("0.00")); // an invoice takes no tender
            return;
        }
        mSession.sale.setTendered(tenderedCents()); // typed text becomes an amount here, once
        lblChangeDue->setText(formatCurrencyCents(mSession.sale.changeCents()));
        if (tenderedAmount() == 0 && isVisible()) {
            txtAmountTendered->setFocus();
            txtAmountTendered->selectAll();
        }
    });
}

void frmPOS::txtAmountTendered_LostFocus()
{
    diag::run("frmPOS", "txtAmountTendered_LostFocus", [&] {
        const double tendered = tenderedAmount();
        const double total = Get_Grand_Total();
        if (tendered < total) {
            lblChangeDue->setText(formatCurrency(0));
            return;
        }
        setAmountTendered(formatNumber(std::round(tendered * 100.0) / 100.0));
        lblChangeDue->setText(formatCurrency(tendered - total));
    });
}

// Focus, click, double-click and leaving of the tender field.
bool frmPOS::tenderEvent(QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn:
        platform::selectAllOnFocus(txtAmountTendered, static_cast<QFocusEvent *>(event)->reason());
        break;
    case QEvent::FocusOut:
        if (static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason
            && static_cast<QFocusEvent *>(event)->reason() != Qt::ActiveWindowFocusReason)
            txtAmountTendered_LostFocus();
        break;
    case QEvent::MouseButtonDblClick:
        txtAmountTendered_DblClick();
        return true;
    default:
        break;
    }
    return false;
}

} // namespace vanta
