#pragma once

#include "db/Database.h"

#include <QString>

namespace vanta::storegen {

// The demo store's item pictures: `Pictures` rows for a few items, and the
// small images themselves (drawn here, PNG) plus "nopic.jpg" written into
// the data folder's "Pictures" folder. Throws VantaError when a file cannot
// be written.
void writeDemoPictureRows(const db::Database &db);
void writeDemoPictureFiles(const QString &dataFolder);

} // namespace vanta::storegen
