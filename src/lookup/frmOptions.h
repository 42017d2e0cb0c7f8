#pragma once

#include "lookup/AddItemFn.h"
#include "platform_ui/HelpComponent.h"

#include <QDialog>
#include <array>
#include <vector>

class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;

namespace vanta::db {
class Store;
}
namespace vanta::platform {
class Prompt;
}

namespace vanta::lookup {

// Choice of an item's options: one value for each of up to three
// attributes; shows the matching variant's stock and the price, and on OK
// adds the variant (stock kept per variant) or the item with the chosen
// values to the sale.
class frmOptions : public QDialog {
    Q_OBJECT
public:
    frmOptions(db::Store &store, platform::Prompt &prompt, AddItemFn addItem, QWidget *parent = nullptr);

    // Set by the caller before showing.
    qint32 ItemID = 0;
    float BasePrice = 0;

    void FillOptionCombos(qint32 item);
    bool OptionsSelected();
    qint32 GetSubitemID();
    void GetSubitemQTY();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void HideOptions();
    void cmbOption_Click(int k);
    void cmdOK_Click();
    void cmdCancel_Click();
    // The value id chosen in list k; 0 for "None" or no choice.
    qint32 chosenValue(int k) const;

    db::Store &mStore;
    platform::Prompt &mPrompt;
    AddItemFn mAddItem;
    platform::HelpComponent mHelp;
    QString mItemName;
    bool mChoosing = false;
    bool mLoaded = false;

    QGroupBox *fraOptions;
    QLabel *lblPart;
    std::array<QLabel *, 3> lblOption{};
    std::array<QComboBox *, 3> cmbOption{};
    std::array<std::vector<float>, 3> mCharges; // additional charge per entry of each list
    QLabel *lblQty;
    QLabel *lblPrice;
    QLabel *lblDesc;
    QPushButton *cmdOK;
    QPushButton *cmdCancel;
};

} // namespace vanta::lookup
