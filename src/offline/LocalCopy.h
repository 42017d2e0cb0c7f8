#pragma once

#include "db/Store.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

namespace vanta::offline {

// A copy, on this computer, of what a sale is rung up from on a shared
// server store (items and their variants, units, bulk levels, tax tables,
// shipping, customers, employees and their permissions, the company's
// settings, the registers' shifts), so that the register can go on selling while the server is
// away. It is a store file of its own (every table, the sales tables
// empty), encrypted with the store's key. It is read from one snapshot of
// the server, so it never holds what the server did not have at one
// moment, and it is replaced whole: written beside the copy and moved into
// its place, so a copy cut short (a power cut) leaves the one before.
class LocalCopy {
public:
    // The tables copied.
    static const QStringList &tables();
    // The folder of the copy of the store at `serverAddress`, one per
    // address, under the per-user settings' folder.
    static QString folderFor(const QString &settingsFolder, const QString &serverAddress);

    // Makes the copy in `folder` from `server` anew; false when `stopped`
    // said so between two tables (nothing is moved into place). Throws
    // DbError when the server cannot be read or the folder written; the copy
    // before stays.
    static bool make(db::Store &server, const QString &folder, const std::function<bool()> &stopped = {});
    // Opens the copy in `folder`; none when there is none. A copy that
    // cannot be opened as a store (damaged, another key) is set aside under
    // a name of its own, which the DbError thrown names.
    static std::unique_ptr<db::Store> open(const QString &folder, const QString &key);
};

} // namespace vanta::offline
