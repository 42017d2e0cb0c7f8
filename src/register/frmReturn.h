#pragma once

#include "sale/StoredSale.h"

#include <QDialog>
#include <vector>

class QDoubleSpinBox;
class QPushButton;
class QTableWidget;

namespace vanta {

// Shows a stored sale's lines with what was sold, what came back already
// and what is left, and takes the quantity of each to give back now (never
// more than is left; parts of a unit only where the good is sold so).
class frmReturn : public QDialog {
    Q_OBJECT
public:
    // `heading` says whose sale it is and how it was paid.
    frmReturn(const sale::StoredSale &sale, const QString &heading, QWidget *parent = nullptr);

    // Once accepted: the lines chosen (index into the sale's lines) with
    // the quantity to give back, in the sale's order.
    struct Chosen {
        size_t line = 0;
        double qty = 0;
    };
    std::vector<Chosen> chosen() const;
    // The quantity chosen for a line (0 for none).
    double quantity(size_t line) const;

    // Sets the quantity of a line (the cashier's typing does the same).
    void setQuantity(size_t line, double qty);

private:
    void returnAll();
    void followChoice();

    const sale::StoredSale &mSale;
    QTableWidget *mTable;
    std::vector<QDoubleSpinBox *> mQuantities;
    QPushButton *cmdReturn;
    QPushButton *cmdAll;
    QPushButton *cmdCancel;
};

} // namespace vanta
