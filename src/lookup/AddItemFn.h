#pragma once

#include "sale/Good.h"

#include <functional>

namespace vanta::lookup {

// Adds one of a good to the register's sale: an item with the option values
// chosen for it, or a variant.
using AddItemFn = std::function<void(const sale::Good &good)>;

} // namespace vanta::lookup
