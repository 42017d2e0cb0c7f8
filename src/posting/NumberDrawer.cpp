#include "posting/NumberDrawer.h"

#include "diagnostics/ApplicationTitle.h"
#include "diagnostics/VantaError.h"

namespace vanta::posting {

namespace {

// Far more draws than a sale of any size needs from a working id source.
constexpr int kMaxDraws = 1000;

} // namespace

qint32 NumberDrawer::draw()
{
    if (++mDraws > kMaxDraws)
        throw VantaError(3022, QStringLiteral("No unused number could be found for %1.").arg(mWhat),
                         applicationTitle());
    return mSource();
}

} // namespace vanta::posting
