#pragma once

#include "dayend/DrawerCount.h"

#include <QDialog>
#include <vector>

class QLabel;
class QLineEdit;

namespace vanta::platform {
class Prompt;
}

namespace vanta::dayend {

// The drawer counted at the close of a shift: how many of each note and
// coin, or the whole amount typed; the total follows as the counts are
// typed. OK takes only a good count (a bad one is said and the dialog
// stays).
class frmDrawerCount : public QDialog {
    Q_OBJECT
public:
    frmDrawerCount(platform::Prompt &prompt, QWidget *parent = nullptr);

    // What the boxes hold now.
    DrawerCount count() const;
    // The cash counted, once accepted.
    qint64 countedCents() const { return mCounted; }
    // Types into the count of the denomination at `index`, or the whole
    // amount (as the cashier would).
    void setCount(size_t index, const QString &text);
    void setWholeAmount(const QString &text);
    void cmdOK_Click();

private:
    void showTotal();

    platform::Prompt &mPrompt;
    std::vector<QLineEdit *> txtCounts;
    QLineEdit *txtWhole;
    QLabel *lblTotal;
    qint64 mCounted = 0;
};

} // namespace vanta::dayend
