#pragma once

class QDialog;

namespace vanta::platform {

// Every modal dialog is shown through a runner: the program's runs the
// dialog's own event loop, a test's hands the open dialog to a script.
class DialogRunner {
public:
    virtual ~DialogRunner() = default;
    // Shows the dialog modally; returns its result code (QDialog::Accepted,
    // QDialog::Rejected or a code given to done()).
    virtual int run(QDialog &dlg) = 0;
};

} // namespace vanta::platform
