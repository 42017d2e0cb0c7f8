#pragma once

#include <QtGlobal>
#include <functional>

namespace vanta::lookup {

// The register's Add_Item: an item index (or a variant id) and three option
// value ids.
using AddItemFn = std::function<void(qint32 id, qint32 option1, qint32 option2, qint32 option3)>;

} // namespace vanta::lookup
