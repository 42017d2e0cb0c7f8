#pragma once

#include <QObject>
#include <functional>

namespace vanta::journal {
class SaleJournal;
}
namespace vanta::platform {
class Prompt;
}
namespace vanta::sale {
class Sale;
}

namespace vanta {

// Keeps the register's open sale in the store's journal against a crash or
// power failure. It observes the sale: the changes an event makes are
// written once, after the event is handled and before the window repaints
// (Qt posts repaints at a lower priority), so the journal only ever holds a
// sale the cashier saw. A journal that cannot be written does not stop the
// sale; the cashier is told once, and again only after a write succeeded.
class SaleKeeper : public QObject {
public:
    using JournalOf = std::function<journal::SaleJournal *()>;

    SaleKeeper(sale::Sale &sale, JournalOf journal, platform::Prompt &prompt, QObject *parent = nullptr);
    ~SaleKeeper() override;

    // Until started (the unfinished sale was offered at start-up) nothing
    // is written: the journal still holds what the last run left.
    void start() { mStarted = true; }
    // While a kept sale is put back, its changes are not written one by one.
    void setRestoring(bool restoring) { mRestoring = restoring; }
    // The sale changed: it is written once the event is handled.
    void changed();
    // Writes a change still waiting now (the window is closing).
    void writePending();

private:
    sale::Sale &mSale;
    JournalOf mJournal;
    platform::Prompt &mPrompt;
    int mObserver = 0;
    bool mStarted = false;
    bool mRestoring = false;
    bool mFailing = false; // the last write failed (and was reported)
    bool mPending = false; // a change waits to be written
};

} // namespace vanta
