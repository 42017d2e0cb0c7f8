#pragma once

#include <QDialog>
#include <optional>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vanta {

// Asks for a new unit price of one line of the current sale. The register
// sets the line's current price and shows the dialog modally; OK accepts a
// number a single-precision price can hold, which newPrice() then gives.
class frmEditPrice : public QDialog {
    Q_OBJECT
public:
    explicit frmEditPrice(QWidget *parent = nullptr);

    float msCurrentPrice = 0.0f;
    // The price typed, once the dialog was accepted.
    std::optional<double> newPrice() const { return mNewPrice; }

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    std::optional<double> mNewPrice;
    QLabel *lblCurrentPrice;
    QLineEdit *txtPrice;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};

} // namespace vanta
