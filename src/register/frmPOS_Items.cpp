// Adding items to the sale, removing them, and the sale rows' events.
#include "register/frmPOS.h"

#include "db/BarcodeLookup.h"
#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "lookup/frmFind.h"
#include "platform/DialogRunner.h"
#include "register/POSItem.h"
#include "register/RegisterSession.h"
#include "register/frmEditPrice.h"
#include "sale/LineEdits.h"
#include "sale/LineSource.h"
#include "security/CommandGate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>

namespace vanta {

namespace {
const QString kTitle = applicationTitle();
} // namespace

sale::LineEdits frmPOS::lineEdits() { return {mSession.store(), mSession.prompt, mSession.sale}; }

// After the lines changed: the rows show them and the tender is entered again.
void frmPOS::linesChanged()
{
    AddingItem = true;
    Update_Display();
    UpdateTotals();
    AddingItem = false;
}

bool frmPOS::customerChosen()
{
    if (!cmbCustomers->currentText().isEmpty())
        return true;
    cmbCustomers->setFocus();
    return false;
}

void frmPOS::Add_Item(const sale::Good &good)
{
    diag::run("frmPOS", "Add_Item", [&] {
        if (customerChosen() && lineEdits().add(good))
            linesChanged();
    });
}

bool frmPOS::addByCode(const QString &code)
{
    db::Store &store = mSession.store();
    // Most codes are barcode labels: the item and its units in one reading.
    if (const std::optional<sale::ItemRecord> item = sale::readItemByLabel(store, code)) {
        diag::run("frmPOS", "Add_Item", [&] {
            if (customerChosen() && lineEdits().addItem(*item))
                linesChanged();
        });
        return true;
    }
    const std::optional<db::CodedGood> found = db::FindItemByNumber(store, code);
    if (!found)
        return false;
    Add_Item(found->variant ? sale::Good::variant(found->id) : sale::Good::item(found->id));
    return true;
}

void frmPOS::cmdAdd_Click()
{
    diag::run("frmPOS", "cmdAdd_Click", [&] {
        if (!commandAllowed(security::GatedCommand::AddItem))
            return;
        if (cmbCustomers->currentText().isEmpty()) {
            cmbCustomers->setFocus();
            return;
        }
        lookup::frmFind dlg({mSession.store(), mSession.prompt, mSession.dialogs, mSession.PicturesPath,
                             [this](const sale::Good &good) { Add_Item(good); },
                             [this] { UpdateTotals(); }},
                            this);
        mSession.dialogs.run(dlg);
        if (!mSession.sale.empty())
            EnableButtons();
    });
}

void frmPOS::cmdRemove_Click()
{
    diag::run("frmPOS", "cmdRemove_Click", [&] {
        if (SelectedRow == -1)
            return;
        if (!commandAllowed(security::GatedCommand::RemoveItem))
            return;
        Remove_Item(POSItem1[size_t(SelectedRow)]->linePosition());
    });
}

sale::clsSaleItems::Line frmPOS::lineOfRow(int rowIndex) const
{
    const int position = POSItem1[size_t(rowIndex)]->linePosition();
    return mSession.sale.line(position);
}

void frmPOS::Remove_Item(int linePosition)
{
    diag::run("frmPOS", "Remove_Item", [&] {
        const sale::clsSaleItems &items = mSession.sale.lines();
        if (items.Count() > 0 && SelectedRow >= 0 && SelectedRow < RowCount && linePosition >= 1
            && linePosition <= items.Count()) {
            if (mSession.prompt.message(QStringLiteral("Are you sure that you want to remove the selected item?"),
                                        platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
                == platform::Answer::Yes) {
                mSession.sale.removeLine(linePosition);
                Update_Display();
                UpdateTotals();
            }
        } else if (items.Count() == 0) {
            mSession.prompt.message(QStringLiteral("No Item selected for removal from list!"), platform::Buttons::Ok,
                                    platform::Icon::None, QStringLiteral("You must first select an Item."));
        }
        SelectedRow = -1;
        paintRowsUnselected();
        if (items.Count() == 0) {
            DisableButtons();
        } else {
            EnableButtons();
        }
        if (mSession.sale.tenderedCents() > 0 && mSession.sale.payType().kind != sale::PayKind::Cash)
            setAmountTendered(formatNumberCents(totals().totalDue()));
    });
}

void frmPOS::POSItem1_GotFocus(int index)
{
    diag::run("frmPOS", "POSItem1_GotFocus", [&] {
        SelectedRow = qint16(index);
        const QColor selected = palette().color(QPalette::Base);
        for (int i = 0; i < RowCount; ++i)
            POSItem1[size_t(i)]->setSelBack(i == index ? selected : QColor(0xE0, 0xE0, 0xE0));
    });
}

void frmPOS::POSItem1_HasFocus(int index)
{
    diag::run("frmPOS", "POSItem1_HasFocus", [&] {
        if (POSItem1[size_t(index)]->ItemName() == POSItem::EmptyName && cmdAdd->isEnabled())
            cmdAdd->setFocus();
    });
}

void frmPOS::POSItem1_QtyChanged(int index, double qty)
{
    diag::run("frmPOS", "POSItem1_QtyChanged", [&] {
        if (RowsLoading)
            return; // a refill shows the line as it is; nothing to reprice
        POSItem *r = POSItem1[size_t(index)];
        const sale::clsSaleItems::Line line = lineOfRow(index);
        if (!line)
            return;
        // The row shows what the quantity typed would cost; the line takes
        // it when the row's edit is done.
        const sale::Quote quote = lineEdits().quote(*line, qty);
        if (quote.priced)
            r->setPrice(quote.price);
        r->setDisc(quote.discount);
    });
}

void frmPOS::POSItem1_Changed(int index, double qty, double discount, bool exempt)
{
    diag::run("frmPOS", "POSItem1_Changed", [&] {
        if (RowsLoading || RefreshingSale || AddingItem || !lineOfRow(index))
            return;
        lineEdits().editLine(POSItem1[size_t(index)]->linePosition(), qty, discount, exempt);
        linesChanged();
    });
}

void frmPOS::POSItem1_ChangePrice(int index)
{
    diag::run("frmPOS", "POSItem1_ChangePrice", [&] {
        if (mSession.sale.empty())
            return;
        if (!commandAllowed(security::GatedCommand::EditPrice))
            return;
        const sale::clsSaleItems::Line line = lineOfRow(index);
        if (!line)
            return;
        frmEditPrice dlg(this);
        dlg.msCurrentPrice = line->Price().single();
        mSession.dialogs.run(dlg);
        if (const std::optional<double> price = dlg.newPrice())
            lineEdits().setPrice(mSession.sale.lines().PositionOf(line.get()), sale::Money::fromDollars(*price));
        linesChanged();
    });
}

} // namespace vanta
