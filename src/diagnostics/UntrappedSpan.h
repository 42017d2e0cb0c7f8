#pragma once

#include "diagnostics/Trace.h"

namespace vanta::diag {

// While it lives, failures propagate to the caller even with trapping on:
// for work that handles its own failures with no one watching (sales posted
// in the background), which must not open the error report for them.
class UntrappedSpan {
public:
    UntrappedSpan() : mWas(Trace::instance().trappingEnabled()) { Trace::instance().setTrappingEnabled(false); }
    ~UntrappedSpan() { Trace::instance().setTrappingEnabled(mWas); }
    UntrappedSpan(const UntrappedSpan &) = delete;
    UntrappedSpan &operator=(const UntrappedSpan &) = delete;

private:
    bool mWas;
};

} // namespace vanta::diag
