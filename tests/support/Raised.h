#pragma once

#include "diagnostics/VantaError.h"

#include <QString>
#include <functional>

namespace vanta::test {

// What a call raised: the error's number and text; number 0 when it raised
// no error.
struct Raised {
    int number = 0;
    QString text;
};

inline Raised raised(const std::function<void()> &f)
{
    try {
        f();
    } catch (const VantaError &e) {
        return {e.number(), e.description()};
    }
    return {};
}

inline int errorNumber(const std::function<void()> &f) { return raised(f).number; }

} // namespace vanta::test
