#include "sale/LineEdits.h"

#include "diagnostics/ApplicationTitle.h"
#include "platform/Prompt.h"
#include "sale/Pricing.h"
#include "sale/StockCheck.h"

namespace vanta::sale {

namespace {

const QString kExceedsStock = QStringLiteral("The quantity of items that you are adding exceeds inventory amount.");
const QString kAddAnyway = QStringLiteral("Do you want to add the quantity anyway?");

} // namespace

bool LineEdits::askAddAnyway(const QString &text)
{
    return mPrompt.message(text + QLatin1Char('\n') + kAddAnyway, platform::Buttons::YesNoCancel, platform::Icon::None,
                           applicationTitle())
           == platform::Answer::Yes;
}

bool LineEdits::addOne(const Adding &add)
{
    const clsSaleItems::Line existing = mSale.lines().Find(add.good);
    // Out of stock: asked once per line; an accepted line is not asked again.
    bool exceed = false;
    if (add.stock <= 0 && !(existing && existing->ExceedQty())) {
        if (!askAddAnyway(kExceedsStock))
            return false;
        exceed = true;
    }
    if (add.sourceFound && !add.sourceFound())
        return false;
    if (existing) {
        const float newQty = existing->qty() + 1;
        if (exceed) {
            existing->setExceedQty(true);
        } else if (!existing->ExceedQty() && add.stock < double(newQty)) {
            if (!askAddAnyway(add.raiseQuestion(*existing)))
                return false;
            existing->setExceedQty(true);
        }
        existing->setQty(newQty);
        add.price(*existing, newQty);
        mSale.lineChanged();
    } else {
        auto line = std::make_shared<clsSaleItem>();
        line->setExceedQty(exceed);
        line->setGood(add.good);
        line->setQty(1);
        add.describe(*line);
        add.price(*line, 1);
        mSale.addLine(line);
    }
    return true;
}

bool LineEdits::add(const Good &good)
{
    if (good.isVariant())
        return addVariant(good.id);
    const std::optional<ItemRecord> item = readItem(mStore, good.id);
    if (!item) {
        mPrompt.message(QStringLiteral("Unable to add item."), platform::Buttons::Ok, platform::Icon::Information,
                        applicationTitle());
        return false;
    }
    return addItem(*item, good.options);
}

bool LineEdits::addItem(const ItemRecord &item, const std::array<qint32, 3> &options)
{
    const auto [option1, option2, option3] = options;
    const bool hasOptions = option1 != 0 || option2 != 0 || option3 != 0;
    Adding add;
    add.good = Good::item(item.index, options);
    add.stock = item.stock;
    add.raiseQuestion = [](const clsSaleItem &line) {
        return QStringLiteral("The quantity of ") + line.Name()
               + QStringLiteral(" that you are adding exceeds inventory amount.");
    };
    add.describe = [&](clsSaleItem &line) {
        line.setName(hasOptions ? GetOptionName(mStore, item.name, option1, option2, option3) : item.name);
        copyItemDetails(mStore, line, item);
    };
    add.price = [&](clsSaleItem &line, float) { priceItemLine(mStore, line, item); };
    return addOne(add);
}

bool LineEdits::addVariant(qint32 subItemId)
{
    const std::optional<SubItemRecord> sub = readSubItem(mStore, subItemId);
    if (!sub) {
        mPrompt.message(QStringLiteral("Unable to add item."), platform::Buttons::Ok, platform::Icon::Information,
                        applicationTitle());
        return false;
    }
    std::optional<ItemRecord> parent;
    Adding add;
    add.good = Good::variant(subItemId);
    add.stock = sub->stock;
    add.raiseQuestion = [](const clsSaleItem &) { return kExceedsStock; };
    add.sourceFound = [&] {
        parent = readItem(mStore, sub->itemId);
        if (!parent)
            mPrompt.message(QStringLiteral("I am not able to find the parent item so I can't add this item"),
                            platform::Buttons::Ok, platform::Icon::None, QString());
        return parent.has_value();
    };
    add.describe = [&](clsSaleItem &line) {
        line.setName(GetSubItemName(mStore, *parent, subItemId));
        copyItemDetails(mStore, line, *parent);
    };
    add.price = [&](clsSaleItem &line, float qty) { priceSubItemLine(mStore, line, *parent, qty); };
    return addOne(add);
}

// A return line stands as it was given back: it is taken off and returned
// again to change it.
clsSaleItems::Line LineEdits::editable(int position) const
{
    clsSaleItems::Line line = mSale.line(position);
    return line && !line->good().isReturn() ? line : nullptr;
}

Quote LineEdits::quote(const clsSaleItem &line, double qty) const
{
    const Good &good = line.good();
    Quote q;
    if (qty > 0) {
        q.price = GetPrice(mStore, good, float(qty))
                  + GetPriceForOptions(mStore, good.options[0], good.options[1], good.options[2]);
        q.priced = true;
    } else {
        q.price = GetPrice(mStore, good, float(qty));
        q.priced = q.price != Money();
    }
    q.discount = GetDiscount(mStore, good, qty);
    return q;
}

void LineEdits::setQuantity(int position, double qty)
{
    if (const clsSaleItems::Line line = editable(position)) {
        takeQuantity(*line, qty);
        mSale.lineChanged();
    }
}

void LineEdits::editLine(int position, double qty, double discount, bool exempt)
{
    if (const clsSaleItems::Line line = editable(position)) {
        takeQuantity(*line, qty);
        line->setDiscount(float(discount));
        line->setTaxable(!exempt);
        mSale.lineChanged();
    }
}

void LineEdits::takeQuantity(clsSaleItem &line, double qty)
{
    const float stock = RegisterCheckQTY(mStore, line.good());
    if (qty > double(stock) && !line.ExceedQty()) {
        if (mPrompt.message(QStringLiteral("The quantity of items selected exceeds the number in "
                                           "inventory.\nDo you want to enter the quantity anyway?"),
                            platform::Buttons::YesNoCancel, platform::Icon::None, applicationTitle())
            == platform::Answer::Yes)
            line.setExceedQty(true);
        else
            qty = stock;
    }
    if (float(qty) != line.qty()) {
        const Quote q = quote(line, qty);
        if (q.priced)
            line.setPrice(q.price);
        line.setDiscount(float(q.discount));
        line.setQty(float(qty));
    }
    line.setSubtotal(lineSubtotal(line.Price(), line.qty()));
}

void LineEdits::setPrice(int position, Money price)
{
    if (const clsSaleItems::Line line = editable(position)) {
        line->setPrice(price);
        line->setSubtotal(lineSubtotal(price, line->qty()));
        mSale.lineChanged();
    }
}

void LineEdits::setDiscount(int position, double percent)
{
    if (const clsSaleItems::Line line = editable(position)) {
        line->setDiscount(float(percent));
        mSale.lineChanged();
    }
}

void LineEdits::setExempt(int position, bool exempt)
{
    if (const clsSaleItems::Line line = editable(position)) {
        line->setTaxable(!exempt);
        mSale.lineChanged();
    }
}

} // namespace vanta::sale
