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
#include "sale/LineSource.h"
#include "sale/Pricing.h"
#include "sale/StockCheck.h"
#include "security/CommandGate.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>

namespace vanta {

namespace {
const QString kTitle = applicationTitle();
const QString kExceedsStock = QStringLiteral("The quantity of items that you are adding exceeds inventory amount.");
const QString kAddAnyway = QStringLiteral("Do you want to add the quantity anyway?");

double round4(double v) { return std::round(v * 10000.0) / 10000.0; }
} // namespace

bool frmPOS::askAddAnyway(const QString &text)
{
    return mSession.prompt.message(text + QLatin1Char('\n') + kAddAnyway, platform::Buttons::YesNoCancel,
                                   platform::Icon::None, kTitle)
           == platform::Answer::Yes;
}

void frmPOS::addToSale(const LineToAdd &add)
{
    const sale::clsSaleItems::Line existing = mSession.sale.lines().Find(add.good);

    // Out of stock: asked once per line; an accepted line is not asked again.
    bool exceed = false;
    if (add.stock <= 0 && !(existing && existing->ExceedQty())) {
        if (!askAddAnyway(kExceedsStock))
            return;
        exceed = true;
    }
    if (add.sourceFound && !add.sourceFound())
        return;
    if (existing) {
        const float newQty = existing->qty() + 1;
        if (exceed) {
            existing->setExceedQty(true);
        } else if (!existing->ExceedQty() && add.stock < double(newQty)) {
            if (!askAddAnyway(add.raiseQuestion(*existing)))
                return;
            existing->setExceedQty(true);
        }
        existing->setQty(newQty);
        add.price(*existing, newQty);
    } else {
        auto line = std::make_shared<sale::clsSaleItem>();
        line->setExceedQty(exceed);
        line->setGood(add.good);
        line->setQty(1);
        add.describe(*line);
        add.price(*line, 1);
        mSession.sale.addLine(line);
    }
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

void frmPOS::addItem(const sale::ItemRecord &item, const std::array<qint32, 3> &options)
{
    db::Store &store = mSession.store();
    const auto [option1, option2, option3] = options;
    const bool hasOptions = option1 != 0 || option2 != 0 || option3 != 0;
    LineToAdd add;
    add.good = sale::Good::item(item.index, options);
    add.stock = item.stock;
    add.raiseQuestion = [](const sale::clsSaleItem &line) {
        return QStringLiteral("The quantity of ") + line.Name()
               + QStringLiteral(" that you are adding exceeds inventory amount.");
    };
    add.describe = [&](sale::clsSaleItem &line) {
        line.setName(hasOptions ? sale::GetOptionName(store, item.name, option1, option2, option3) : item.name);
        sale::copyItemDetails(store, line, item);
    };
    add.price = [&](sale::clsSaleItem &line, float) { sale::priceItemLine(store, line, item); };
    addToSale(add);
}

void frmPOS::Add_Item(const sale::Good &good)
{
    diag::run("frmPOS", "Add_Item", [&] {
        if (!customerChosen())
            return;
        if (good.isVariant()) {
            Add_SubItem(good.id);
            return;
        }
        const std::optional<sale::ItemRecord> item = sale::readItem(mSession.store(), good.id);
        if (!item) {
            mSession.prompt.message(QStringLiteral("Unable to add item."), platform::Buttons::Ok,
                                    platform::Icon::Information, kTitle);
            return;
        }
        addItem(*item, good.options);
    });
}

bool frmPOS::addByCode(const QString &code)
{
    db::Store &store = mSession.store();
    // Most codes are barcode labels: the item and its units in one reading.
    if (const std::optional<sale::ItemRecord> item = sale::readItemByLabel(store, code)) {
        diag::run("frmPOS", "Add_Item", [&] {
            if (customerChosen())
                addItem(*item, {0, 0, 0});
        });
        return true;
    }
    const std::optional<db::CodedGood> found = db::FindItemByNumber(store, code);
    if (!found)
        return false;
    Add_Item(found->variant ? sale::Good::variant(found->id) : sale::Good::item(found->id));
    return true;
}

void frmPOS::Add_SubItem(qint32 subItemId)
{
    diag::run("frmPOS", "Add_SubItem", [&] {
        db::Store &store = mSession.store();
        const std::optional<sale::SubItemRecord> sub = sale::readSubItem(store, subItemId);
        if (!sub) {
            mSession.prompt.message(QStringLiteral("Unable to add item."), platform::Buttons::Ok,
                                    platform::Icon::Information, kTitle);
            return;
        }
        std::optional<sale::ItemRecord> parent;
        LineToAdd add;
        add.good = sale::Good::variant(subItemId);
        add.stock = sub->stock;
        add.raiseQuestion = [](const sale::clsSaleItem &) { return kExceedsStock; };
        add.sourceFound = [&] {
            parent = sale::readItem(store, sub->itemId);
            if (!parent)
                mSession.prompt.message(
                    QStringLiteral("I am not able to find the parent item so I can't add this item"),
                    platform::Buttons::Ok, platform::Icon::None, QString());
            return parent.has_value();
        };
        add.describe = [&](sale::clsSaleItem &line) {
            line.setName(sale::GetSubItemName(store, *parent, subItemId));
            sale::copyItemDetails(store, line, *parent);
        };
        add.price = [&](sale::clsSaleItem &line, float qty) { sale::priceSubItemLine(store, line, *parent, qty); };
        addToSale(add);
    });
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

void frmPOS::POSItem1_QtyChanged(int index)
{
    diag::run("frmPOS", "POSItem1_QtyChanged", [&] {
        if (RowsLoading)
            return; // a refill shows the line as it is; nothing to reprice
        POSItem *r = POSItem1[size_t(index)];
        const sale::clsSaleItems::Line line = lineOfRow(index);
        if (!line)
            return;
        const sale::Good &good = line->good();
        db::Store &store = mSession.store();
        const double q = r->qty();
        if (q > 0) {
            r->setPrice(sale::GetPrice(store, good, float(q))
                        + double(sale::GetPriceForOptions(store, good.options[0], good.options[1], good.options[2])));
        } else {
            const double price = sale::GetPrice(store, good, float(q));
            if (price != 0)
                r->setPrice(price);
        }
        r->setDisc(sale::GetDiscount(store, good, q));
    });
}

void frmPOS::POSItem1_Changed(int index)
{
    diag::run("frmPOS", "POSItem1_Changed", [&] {
        POSItem *r = POSItem1[size_t(index)];
        if (RowsLoading || RefreshingSale)
            return;
        const sale::clsSaleItems::Line line = lineOfRow(index);
        if (!line)
            return;
        const float stock = sale::RegisterCheckQTY(mSession.store(), line->good());
        if (r->qty() > double(stock) && !line->ExceedQty()) {
            if (mSession.prompt.message(QStringLiteral("The quantity of items selected exceeds the number in "
                                                       "inventory.\nDo you want to enter the quantity anyway?"),
                                        platform::Buttons::YesNoCancel, platform::Icon::None, kTitle)
                == platform::Answer::Yes)
                line->setExceedQty(true);
            else
                r->setQty(stock);
        }
        Update_Records(index);
        UpdateTotals();
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
        dlg.msCurrentPrice = float(round4(POSItem1[size_t(index)]->Price()));
        mSession.dialogs.run(dlg);
        // The new price stands as it is: the subtotal is quantity × price,
        // without the line's discount.
        if (const std::optional<double> price = dlg.newPrice()) {
            line->setPrice(float(*price));
            line->setSubtotal(line->qty() * line->Price());
        }
        Update_Display();
        UpdateTotals();
    });
}

void frmPOS::Update_Records(int index)
{
    diag::run("frmPOS", "Update_Records", [&] {
        if (mSession.sale.empty() || AddingItem)
            return;
        const POSItem *r = POSItem1[size_t(index)];
        const sale::clsSaleItems::Line line = lineOfRow(index);
        if (!line)
            return;
        line->setName(r->ItemName());
        line->setPrice(float(round4(r->Price())));
        line->setQty(float(r->qty()));
        line->setDiscount(float(r->Disc()));
        line->setSubtotal(float(round4(r->Subtotal())));
        line->setTaxable(!r->TaxExempt());
    });
}

} // namespace vanta
