#pragma once

#include <QObject>

namespace vanta::platform {

// Counts the boxes and dialogs of the register that are open right now
// (they may nest: a question inside a dialog) and says when the last one has
// closed, so that work held back while they were open can go on.
class ModalActivity : public QObject {
    Q_OBJECT
public:
    // Marks one box or dialog as open for the scope's lifetime.
    class Scope {
    public:
        explicit Scope(ModalActivity &activity) : mActivity(activity) { mActivity.open(); }
        ~Scope() { mActivity.close(); }
        Scope(const Scope &) = delete;
        Scope &operator=(const Scope &) = delete;

    private:
        ModalActivity &mActivity;
    };

    bool anyOpen() const { return mOpen > 0; }

signals:
    // The last open box or dialog has closed.
    void allClosed();

private:
    void open() { ++mOpen; }
    void close();

    int mOpen = 0;
};

} // namespace vanta::platform
