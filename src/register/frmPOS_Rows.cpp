// The sale rows' events and the barcode capture: what the cashier does on
// the rows goes to the register's commands.
#include "register/frmPOS.h"

#include "diagnostics/Trace.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"

#include <QComboBox>
#include <QPushButton>

namespace vanta {

void frmPOS::connectRows()
{
    for (int i = 0; i < RowCount; ++i) {
        POSItem *r = POSItem1[size_t(i)];
        connect(r, &POSItem::GotFocus, this, [this, i] { POSItem1_GotFocus(i); });
        connect(r, &POSItem::HasFocus, this, [this, i] { POSItem1_HasFocus(i); });
        connect(r, &POSItem::edited, this,
                [this, i](double qty, double discount, bool exempt) { POSItem1_Changed(i, qty, discount, exempt); });
        connect(r, &POSItem::quantityEdited, this, [this, i](double qty) { POSItem1_QtyChanged(i, qty); });
        connect(r, &POSItem::ChangePrice, this,
                [this, i] { mActions->changePrice(linePositionOfRow(i)); });
    }
}

bool frmPOS::whBarcode_KeyDown(const platform::KeyPress &key)
{
    return diag::run("frmPOS", "whBarcode_KeyDown", false, [&] {
        const platform::BarcodeCapture::Result result = mCapture.feed(key);
        if (result.step == platform::BarcodeCapture::Step::Started)
            cmbCustomers->setFocus(); // so that the characters do not land in a text box
        else if (result.step == platform::BarcodeCapture::Step::Completed)
            mActions->scanned(result.code);
        return result.consumed();
    });
}

int frmPOS::linePositionOfRow(int index) const { return POSItem1[size_t(index)]->linePosition(); }

void frmPOS::cmdRemove_Click()
{
    if (SelectedRow == -1)
        return;
    mActions->removeLine(linePositionOfRow(SelectedRow));
    SelectedRow = -1;
    paintRowsUnselected();
}

void frmPOS::POSItem1_GotFocus(int index)
{
    SelectedRow = qint16(index);
    const QColor selected = palette().color(QPalette::Base);
    for (int i = 0; i < RowCount; ++i)
        POSItem1[size_t(i)]->setSelBack(i == index ? selected : QColor(0xE0, 0xE0, 0xE0));
}

void frmPOS::POSItem1_HasFocus(int index)
{
    if (POSItem1[size_t(index)]->ItemName() == POSItem::EmptyName && cmdAdd->isEnabled())
        cmdAdd->setFocus();
}

// The row shows what the quantity being typed would cost; the line takes
// it when the row's edit is done.
void frmPOS::POSItem1_QtyChanged(int index, double qty)
{
    if (RowsLoading)
        return; // a refill shows the line as it is; nothing to reprice
    if (const std::optional<sale::Quote> quote = mActions->quote(linePositionOfRow(index), qty)) {
        if (quote->priced)
            POSItem1[size_t(index)]->setPrice(quote->price.dollars());
        POSItem1[size_t(index)]->setDisc(quote->discount);
    }
}

// A row's edit is complete: the line takes its quantity, discount and mark.
void frmPOS::POSItem1_Changed(int index, double qty, double discount, bool exempt)
{
    if (!RowsLoading && !ShowingSale)
        mActions->editLine(linePositionOfRow(index), qty, discount, exempt);
}

} // namespace vanta
