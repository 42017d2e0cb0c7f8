#pragma once

#include <QString>
#include <deque>
#include <functional>

namespace vanta::platform {
class ModalActivity;
}

namespace vanta {

// Scanned codes on their way to the sale. A code is applied at once when no
// box or dialog of the register is open and no other code is being applied;
// otherwise it is held. Held codes are applied in the order they were
// scanned once everything has closed, each after the one before has
// finished; a code that opens a question holds the rest again until it has
// been answered. A scan thus never changes the sale behind an open question.
class ScanQueue {
public:
    struct Scan {
        QString code;
        qint32 saleId = 0; // the sale that was open when the code was scanned
    };
    using Apply = std::function<void(const Scan &)>;

    ScanQueue(const platform::ModalActivity &activity, Apply apply) : mActivity(activity), mApply(std::move(apply)) {}

    // Applies the code now, or holds it.
    void add(Scan scan);
    // Applies the held codes while nothing is open; call when the last box
    // or dialog has closed.
    void resume();
    // Forgets the held codes (the register has closed).
    void clear() { mHeld.clear(); }
    int held() const { return int(mHeld.size()); }

private:
    const platform::ModalActivity &mActivity;
    Apply mApply;
    std::deque<Scan> mHeld;
    bool mApplying = false;
};

} // namespace vanta
