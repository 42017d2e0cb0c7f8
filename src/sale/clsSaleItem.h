#pragma once

#include "sale/Good.h"
#include "sale/Money.h"
#include "sale/SaleTaxAmounts.h"

#include <QString>
#include <QtGlobal>

namespace vanta::sale {

// One line of the current sale: an item, or one variant of an item, with its
// quantity, unit price, discount and line amount. A plain value holder; the
// only rule it enforces is the length of the short name.
class clsSaleItem {
public:
    static constexpr int NameLength = 50;

    float Discount() const { return mDiscount; } // percent
    void setDiscount(float v) { mDiscount = v; }

    // The cashier accepted selling more than the recorded stock.
    bool ExceedQty() const { return mExceedQty; }
    void setExceedQty(bool v) { mExceedQty = v; }

    const QString &FullName() const { return mFullName; }
    void setFullName(const QString &v) { mFullName = v; }

    const QString &FullUOM() const { return mFullUOM; }
    void setFullUOM(const QString &v) { mFullUOM = v; }

    // What the line sells; two lines of one sale never sell the same good.
    const Good &good() const { return mGood; }
    void setGood(const Good &v) { mGood = v; }
    bool isVariant() const { return mGood.isVariant(); }

    // The item index, or the variant's id for a variant line.
    qint32 ITEMINDEX() const { return mGood.id; }
    void setITEMINDEX(qint32 v) { mGood.id = v; }

    // A longer name is cut to its first NameLength characters.
    const QString &Name() const { return mName; }
    void setName(const QString &v) { mName = v.left(NameLength); }

    // Chosen option values of the variant; 0 = no option in that position.
    qint32 OptionID1() const { return mGood.options[0]; }
    void setOptionID1(qint32 v) { mGood.options[0] = v; }
    qint32 OptionID2() const { return mGood.options[1]; }
    void setOptionID2(qint32 v) { mGood.options[1] = v; }
    qint32 OptionID3() const { return mGood.options[2]; }
    void setOptionID3(qint32 v) { mGood.options[2] = v; }

    Money Price() const { return mPrice; } // unit price after pricing
    void setPrice(Money v) { mPrice = v; }

    float qty() const { return mQty; }
    void setQty(float v) { mQty = v; }

    Money Subtotal() const { return mSubtotal; }
    void setSubtotal(Money v) { mSubtotal = v; }

    bool Taxable() const { return mTaxable; }
    void setTaxable(bool v) { mTaxable = v; }

    qint32 TaxRuleID() const { return mTaxRuleID; } // 0 = none
    void setTaxRuleID(qint32 v) { mTaxRuleID = v; }

    const QString &UOM() const { return mUOM; }
    void setUOM(const QString &v) { mUOM = v; }

    float Weight() const { return mWeight; } // shipping weight of one unit
    void setWeight(float v) { mWeight = v; }

    // A line that gives back a sold line (good().isReturn()): the sale it
    // was sold in, and the tax it refunds by agency (positive cents; its
    // quantity and subtotal are negative).
    qint32 ReturnSale() const { return mReturnSale; }
    void setReturnSale(qint32 v) { mReturnSale = v; }
    const std::vector<AgencyTax> &TaxRefund() const { return mTaxRefund; }
    void setTaxRefund(std::vector<AgencyTax> v) { mTaxRefund = std::move(v); }

    bool operator==(const clsSaleItem &) const = default;

private:
    float mDiscount = 0;
    bool mExceedQty = false;
    QString mFullName;
    QString mFullUOM;
    Good mGood;
    QString mName;
    Money mPrice;
    float mQty = 0;
    Money mSubtotal;
    bool mTaxable = false;
    qint32 mTaxRuleID = 0;
    QString mUOM;
    float mWeight = 0;
    qint32 mReturnSale = 0;
    std::vector<AgencyTax> mTaxRefund;
};

} // namespace vanta::sale
