#pragma once

#include "sale/SaleTaxAmounts.h"
#include "sale/SaleTotals.h"
#include "sale/clsSaleItems.h"

#include <QString>
#include <algorithm>
#include <functional>
#include <optional>

namespace vanta::sale {

// How a pay type is settled: cash opens the drawer and takes any tender,
// an invoice takes none (the customer pays later), the others take the
// total due.
enum class PayKind { None, Cash, Invoice, Other };

struct PayType {
    qint32 id = 0; // `PayTypes`.`id`
    QString name;
    PayKind kind = PayKind::None;
    bool operator==(const PayType &) const = default;

    // The kind a pay type's stored name stands for.
    static PayKind kindOfName(const QString &name);
};

// The shipping of a sale: the method chosen and the charge.
struct SaleShipping {
    qint32 methodId = 0; // `ShippingID`; 0 = none chosen
    QString method;      // the method's name
    QString description; // what the charge is ("None" when there is none)
    qint64 chargeCents = 0;
    bool operator==(const SaleShipping &) const = default;
};

// The sale on the register, with no widget in it: its number, lines,
// customer, shipping, tax, pay type and tender. Every change is a call on
// it, and each call tells the observers what changed. The tax is worked
// out again (through the tax work given) whenever the lines, the customer
// or the shipping change, so what is shown is what will be charged.
class Sale {
public:
    // What a change touched; observers receive an or-ed set.
    enum Change : unsigned {
        Lines = 1u << 0,
        Customer = 1u << 1,
        Shipping = 1u << 2,
        Tax = 1u << 3,
        Payment = 1u << 4, // pay type or tender
        Number = 1u << 5,
    };
    using Observer = std::function<void(unsigned changes)>;
    using TaxWork = std::function<SaleTax(const Sale &)>;

    Sale() = default;
    Sale(const Sale &) = delete;
    Sale &operator=(const Sale &) = delete;

    // Observers are told in the order they were added; the number given
    // back takes one off again.
    int observe(Observer observer);
    void unobserve(int id);
    // How the tax is worked out; none leaves the sale untaxed.
    void setTaxWork(TaxWork work) { mTaxWork = std::move(work); }

    qint32 number() const { return mNumber; }
    void setNumber(qint32 number);

    const clsSaleItems &lines() const { return mLines; }
    bool empty() const { return mLines.Count() == 0; }
    // The line at a 1-based position; none outside 1..count.
    clsSaleItems::Line line(int position) const;
    void addLine(clsSaleItems::Line line);
    // After a line was changed in place (quantity, price, discount, mark).
    void lineChanged();
    void removeLine(int position);
    // Return lines put on the sale as one change: each takes the place of
    // the line that returns the same sold line, if any; one of quantity 0
    // takes that line off.
    void putReturnLines(std::vector<clsSaleItem> lines);

    std::optional<qint32> customer() const { return mCustomer; }
    void setCustomer(std::optional<qint32> custId);

    const SaleShipping &shipping() const { return mShipping; }
    void setShipping(const SaleShipping &shipping);

    const SaleTax &tax() const { return mTax; }
    // Works the tax out again (the store's tax settings may have changed).
    void retax();

    const PayType &payType() const { return mPayType; }
    void setPayType(const PayType &payType);
    // What is tendered; for a refund, what is paid back: the refund due
    // exactly (an invoice refund pays nothing out: the customer's balance
    // is lowered instead).
    qint64 tenderedCents() const;
    void setTendered(qint64 cents);

    // The amounts as shown: the lines' subtotals to the cent, the shipping
    // charge and the tax.
    SaleTotals totals() const;
    // A sale whose returns outweigh what it sells: the customer is paid
    // the difference back.
    bool refund() const { return totals().totalDue() < 0; }
    qint64 refundDueCents() const { return std::max<qint64>(-totals().totalDue(), 0); }
    // No change is given on a refund: the tender is the refund itself.
    qint64 changeCents() const { return refund() ? 0 : changeDue(mTendered, totals().totalDue()); }
    // Whether the tender covers the sale: always for an invoice or a refund.
    bool tenderCovers() const
    {
        return mPayType.kind == PayKind::Invoice || refund() || mTendered >= totals().totalDue();
    }

    // Once the sale is stored: no lines, shipping or tender are left; the
    // number, customer and pay type stay until the next sale sets them.
    void clearLines();
    // A new, empty sale under a new number; the customer and pay type stay.
    void startOver(qint32 number);
    // Puts a kept sale back as it stood.
    void restore(qint32 number, std::vector<clsSaleItem> lines, std::optional<qint32> customer,
                 const SaleShipping &shipping, const PayType &payType);

private:
    void changed(unsigned changes);
    // No lines, shipping or tender.
    void emptied();
    void workOutTax();

    qint32 mNumber = 0;
    clsSaleItems mLines;
    std::optional<qint32> mCustomer;
    SaleShipping mShipping;
    SaleTax mTax;
    PayType mPayType;
    qint64 mTendered = 0;
    TaxWork mTaxWork;
    std::vector<std::pair<int, Observer>> mObservers;
    int mNextObserver = 1;
};

} // namespace vanta::sale
