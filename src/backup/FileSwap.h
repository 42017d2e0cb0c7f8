#pragma once

#include <QString>

namespace vanta::backup {

// The files the engine keeps beside a store file while it is open.
const QStringList &storeSidecars();

// Removes a file and the engine's files beside it; missing ones are fine.
void removeWithSidecars(const QString &path);

// Writes `from` to disk and gives it the name `to` in one rename (replacing
// any file of that name), then writes the folder's entry to disk: after a
// power failure the name holds either the old file or the whole new one.
// Throws BackupError.
void commitRename(const QString &from, const QString &to);

// A name beside `path` for a file being written: "<name>.partial".
QString partialName(const QString &path);

} // namespace vanta::backup
