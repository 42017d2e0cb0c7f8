#pragma once

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace vanta {

namespace sale {
class clsSaleItems;
}

// Overrides the unit price of one line of the current sale. The register
// sets the line's item and option values and its current price, then shows
// the dialog modally; OK writes the new price and qty × price as the line's
// subtotal straight into the sale line.
class frmEditPrice : public QDialog {
    Q_OBJECT
public:
    explicit frmEditPrice(sale::clsSaleItems &saleItems, QWidget *parent = nullptr);

    qint32 mlItemIndex = 0;
    qint32 mlOptionID1 = 0;
    qint32 mlOptionID2 = 0;
    qint32 mlOptionID3 = 0;
    float msCurrentPrice = 0.0f;

protected:
    void showEvent(QShowEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Form_Load();
    void cmdOK_Click();
    void cmdCancel_Click();

    sale::clsSaleItems &mSaleItems;
    QLabel *lblCurrentPrice;
    QLineEdit *txtPrice;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};

} // namespace vanta
