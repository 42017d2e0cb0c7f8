#include "sale/Proportion.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace vanta::sale {

std::vector<qint64> shareInProportion(qint64 cents, const std::vector<double> &weights)
{
    std::vector<qint64> shares(weights.size(), 0);
    const double total = std::accumulate(weights.begin(), weights.end(), 0.0);
    if (weights.empty() || total <= 0)
        return shares;
    // Whole cents first (toward zero), then one more cent each for the
    // largest remainders until the amount is reached.
    std::vector<std::pair<double, size_t>> remainders;
    qint64 given = 0;
    for (size_t i = 0; i < weights.size(); ++i) {
        const double exact = double(cents) * weights[i] / total;
        shares[i] = qint64(std::trunc(exact));
        given += shares[i];
        remainders.emplace_back(std::abs(exact - double(shares[i])), i);
    }
    std::stable_sort(remainders.begin(), remainders.end(),
                     [](const auto &a, const auto &b) { return a.first > b.first; });
    const qint64 step = cents >= 0 ? 1 : -1;
    for (size_t k = 0; given != cents; k = (k + 1) % remainders.size()) {
        shares[remainders[k].second] += step;
        given += step;
    }
    return shares;
}

} // namespace vanta::sale
