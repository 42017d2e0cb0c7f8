#pragma once

#include <QString>
#include <QVariant>
#include <optional>

namespace vanta::db {

class Store;

// A column of the store's own settings, the first row of `Company`: read
// once and kept with the store while nothing in it changes, since tax and
// shipping ask for it several times per scanned item. No value when the
// table is empty; DbError (ErrItemNotFound) for a column it lacks.
std::optional<QVariant> companySetting(Store &store, const QString &column);

} // namespace vanta::db
