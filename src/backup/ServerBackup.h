#pragma once

#include <QString>

namespace vanta::backup {

// Backs up a store on a PostgreSQL server with the server's own tool,
// pg_dump, in its custom format (restored with pg_restore), into `target`:
// written under a temporary name, read back whole by pg_restore --list and
// only then renamed. The password comes from ~/.pgpass unless given. Throws
// BackupError: a plain message naming the package to install when the
// tools are missing, pg_dump's own words when it fails.
void backupServerStore(const QString &address, const QString &password, const QString &target);

} // namespace vanta::backup
