#pragma once

#include <QtGlobal>
#include <vector>

namespace vanta::sale {

// `cents` shared in proportion to `weights` (none negative): each share
// takes its whole cents (toward zero), the largest remainders the cents
// left over, so that the shares add up to `cents` exactly. Nothing to
// share by (no weight above 0): every share is 0.
std::vector<qint64> shareInProportion(qint64 cents, const std::vector<double> &weights);

} // namespace vanta::sale
