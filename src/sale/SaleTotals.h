#pragma once

#include <QtGlobal>

namespace vanta::sale {

// The amounts of the current sale in whole cents, exactly as the register
// shows them: the labels display these numbers, and the total due, the
// tender check and posting read them.
struct SaleTotals {
    qint64 subtotal = 0; // the lines' subtotals
    qint64 shipping = 0;
    qint64 tax = 0;      // sales tax and shipping tax
    qint64 totalDue() const { return subtotal + shipping + tax; }
};

// The change due on a tender: nothing while the tender is short.
inline qint64 changeDue(qint64 tendered, qint64 totalDue) { return tendered < totalDue ? 0 : tendered - totalDue; }

// An amount in cents as a number of dollars.
inline double dollars(qint64 cents) { return double(cents) / 100.0; }

} // namespace vanta::sale
