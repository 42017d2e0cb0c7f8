#pragma once

#include "posting/ReceiptContent.h"

#include <QByteArray>

namespace vanta::posting {

// The receipt as an ESC/POS job for a roll of `paperMm` (58 or 80): the
// store's logo as a raster image when it has one, the same texts as the page
// receipt, the total in bold double height, "COPY" above and below a
// reprint, then the cut. With `openDrawer` the job starts with the cash
// drawer kick, so the drawer opens while the receipt prints.
QByteArray escPosReceipt(const ReceiptContent &receipt, int paperMm, bool openDrawer);

// A job that only opens the cash drawer.
QByteArray escPosDrawerKick();

} // namespace vanta::posting
