#pragma once

#include "platform_ui/HelpComponent.h"
#include "shipping/ShippingCalc.h"

#include <QDialog>
#include <array>
#include <optional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace vanta::db {
class Store;
}

namespace vanta::shipping {

// What the cashier chose in the shipping dialog, for the register to show.
struct ShippingChoice {
    // The shipping method picked (text and `ShippingID`); none when the
    // store lists no methods or the dialog was cancelled.
    std::optional<QString> methodText;
    qint32 methodId = 0;
    // The charge and its description; none leaves the sale's shipping as it was.
    std::optional<QString> description;
    qint64 chargeCents = 0;
    // Cancelled in fixed-charge mode: the sale carries no shipping.
    bool cleared = false;
};

// The shipping dialog: the three service levels of a range (or the fixed
// charge), a custom charge, and the shipping method.
class frmShipping : public QDialog {
    Q_OBJECT
public:
    frmShipping(db::Store &store, const ShippingOffer &offer, QWidget *parent = nullptr);

    const ShippingChoice &choice() const { return mChoice; }

private:
    void Form_Load();
    void chkCustomShipping_Click();
    void cmdOK_Click();
    void cmdCancel_Click();

    db::Store &mStore;
    ShippingOffer mOffer;
    ShippingChoice mChoice;
    platform::HelpComponent mHelp;

    QComboBox *cboShipping;
    QGroupBox *fraRange;
    std::array<QRadioButton *, 4> optship{};
    std::array<QLabel *, 4> lblDesc{};
    QCheckBox *chkCustomShipping;
    QGroupBox *fraCustom;
    QLineEdit *txtCustom;
    QGroupBox *fraFixed;
    QLabel *lblFixed;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};

} // namespace vanta::shipping
