#include "register/ScanQueue.h"

#include "platform/ModalActivity.h"

#include <QScopeGuard>

namespace vanta {

void ScanQueue::add(Scan scan)
{
    mHeld.push_back(std::move(scan));
    resume();
}

void ScanQueue::resume()
{
    // A code being applied finishes first: codes that arrive meanwhile (from
    // the event loop of a question it opened) wait behind it.
    if (mApplying)
        return;
    mApplying = true;
    const auto done = qScopeGuard([this] { mApplying = false; });
    while (!mHeld.empty() && !mActivity.anyOpen()) {
        const Scan next = std::move(mHeld.front());
        mHeld.pop_front();
        mApply(next);
    }
}

} // namespace vanta
