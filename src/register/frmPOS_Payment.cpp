// The tender field: the amount typed goes to the sale, and the field shows
// the sale's tender when a command sets it.
#include "register/frmPOS.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform_ui/SelectAllText.h"
#include "register/RegisterSession.h"

#include <QFocusEvent>
#include <QLabel>
#include <QLineEdit>

namespace vanta {

namespace {
// The amount in a tender text. Amounts the register writes carry group
// separators ("1,250.00"), so a number with separators reads whole; other
// text counts by the number it starts with.
double amountOf(const QString &text)
{
    if (const std::optional<double> v = parseNumber(text))
        return *v;
    return leadingNumber(text);
}
} // namespace

qint64 frmPOS::tenderedCents() const { return toCents(amountOf(txtAmountTendered->text())); }

// A tender set by a command (the total due, or nothing) replaces what the
// field holds; the amount typed is left as typed.
void frmPOS::showTender()
{
    const qint64 tendered = mSession.sale.tenderedCents();
    if (tendered != tenderedCents())
        txtAmountTendered->setText(formatNumberCents(tendered));
}

void frmPOS::txtAmountTendered_Change()
{
    diag::run("frmPOS", "txtAmountTendered_Change", [&] {
        const bool invoice = mSession.sale.payType().kind == sale::PayKind::Invoice;
        if (invoice && txtAmountTendered->text() != QLatin1String("0.00")) {
            txtAmountTendered->setText(QStringLiteral("0.00")); // an invoice takes no tender
            return;
        }
        mSession.sale.setTendered(tenderedCents()); // typed text becomes an amount here, once
        if (mSession.sale.tenderedCents() == 0 && isVisible()) {
            txtAmountTendered->setFocus();
            txtAmountTendered->selectAll();
        }
    });
}

// Leaving the field: a tender that covers the sale is shown to the cent.
void frmPOS::txtAmountTendered_LostFocus()
{
    diag::run("frmPOS", "txtAmountTendered_LostFocus", [&] {
        if (mSession.sale.tenderCovers() && mSession.sale.payType().kind != sale::PayKind::Invoice)
            txtAmountTendered->setText(formatNumberCents(mSession.sale.tenderedCents()));
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
        mActions->tenderTotal();
        return true;
    default:
        break;
    }
    return false;
}

} // namespace vanta
