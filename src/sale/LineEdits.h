#pragma once

#include "sale/LineSource.h"
#include "sale/Sale.h"

#include <functional>

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta::sale {

// The price a line shows for a quantity while the cashier types it: the
// unit price (list or bulk level, with the options' charges) and the bulk
// discount. `priced` is false when the quantity names no price (0 or less
// with nothing found): the line keeps the price it has.
struct Quote {
    Money price;
    double discount = 0;
    bool priced = false;
};

// The cashier's changes of the sale's lines, asking the stock questions
// through the prompt as they arise. Each change is one call; the sale tells
// its observers. Return lines are not edited here.
class LineEdits {
public:
    LineEdits(db::Store &store, platform::Prompt &prompt, Sale &sale) : mStore(store), mPrompt(prompt), mSale(sale) {}

    // One more of a good: a new line, or one more on its line. Out of stock
    // (or, for an item, beyond it) the cashier is asked first; an item or
    // variant the store lacks is refused with a message. True when the sale
    // changed.
    bool add(const Good &good);
    // One more of an item already read (a scanned label), with options.
    bool addItem(const ItemRecord &item, const std::array<qint32, 3> &options = {});

    Quote quote(const clsSaleItem &line, double qty) const;
    // A quantity typed on a line: priced for it (when it changed), and
    // asked about beyond the stock on hand unless the line was accepted
    // beyond it already; "No" keeps the quantity on hand. The mark and the
    // discount shown are set with it.
    void setQuantity(int position, double qty);
    // The edits of a line's row taken together (its quantity, discount and
    // tax-exempt mark), as one change of the sale.
    void editLine(int position, double qty, double discount, bool exempt);
    // A price typed for a line: it stands as it is, the subtotal is
    // quantity x price, without the line's discount.
    void setPrice(int position, Money price);
    void setDiscount(int position, double percent);
    void setExempt(int position, bool exempt);

private:
    struct Adding {
        Good good;
        double stock = 0;
        std::function<QString(const clsSaleItem &)> raiseQuestion; // when one more passes the stock
        std::function<bool()> sourceFound; // after the out-of-stock question; false stops
        std::function<void(clsSaleItem &)> describe; // name and details of a new line
        std::function<void(clsSaleItem &, float qty)> price;
    };
    bool addOne(const Adding &add);
    bool addVariant(qint32 subItemId);
    bool askAddAnyway(const QString &text);
    clsSaleItems::Line editable(int position) const;
    void takeQuantity(clsSaleItem &line, double qty);

    db::Store &mStore;
    platform::Prompt &mPrompt;
    Sale &mSale;
};

} // namespace vanta::sale
