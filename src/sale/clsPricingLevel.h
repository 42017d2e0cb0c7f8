#pragma once

#include "sale/Money.h"

namespace vanta::sale {

// One bulk price level: the unit price for quantities from Min to Max, both
// inclusive; Max -1 means no upper bound.
class clsPricingLevel {
public:
    static constexpr float Unbounded = -1.0f;

    float Min() const { return mMin; }
    void setMin(float v) { mMin = v; }
    float Max() const { return mMax; }
    void setMax(float v) { mMax = v; }
    Money Price() const { return mPrice; }
    void setPrice(Money v) { mPrice = v; }

    bool Contains(float qty) const { return mMin <= qty && (qty <= mMax || mMax == Unbounded); }

private:
    float mMin = 0;
    float mMax = 0;
    Money mPrice;
};

} // namespace vanta::sale
