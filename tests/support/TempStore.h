#pragma once

#include "db/Store.h"

#include <QTemporaryDir>
#include <memory>

namespace vanta::test {

// A fresh, empty store database in a temporary data folder, removed with the
// fixture.
class TempStore {
public:
    TempStore()
    {
        db::Store::create(dir.path());
        store = std::make_unique<db::Store>(dir.path());
    }
    QString path() const { return dir.path(); }
    const db::Database &db() const { return store->database(); }

    QTemporaryDir dir;
    std::unique_ptr<db::Store> store;
};

} // namespace vanta::test
