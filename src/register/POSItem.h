#pragma once

#include <QColor>
#include <QWidget>
#include <array>

class QCheckBox;
class QLineEdit;

namespace vanta {

namespace platform {
class SettingsStore;
}

class UpDown;

// One row of the sale on the register: name, quantity with a spinner, unit
// price, unit, discount percentage, line subtotal and a tax-exempt box. The
// row computes its own subtotal (price × quantity, to the cent), keeps the
// spinner in step with the quantity and reports edits through its signals.
// An empty row shows the name "None".
//
// Only the quantity field and the tax-exempt box keep the focus: the other
// fields pass it on to the quantity field. Prices are changed through
// ChangePrice (double-click on the price).
class POSItem : public QWidget {
    Q_OBJECT
public:
    // Upper limit of the quantity spinner (and of a typed quantity).
    static constexpr int QtyLimit = 32767;
    static inline const QString EmptyName = QStringLiteral("None");

    // The colours are read from the per-user settings here.
    explicit POSItem(platform::SettingsStore &settings, QWidget *parent = nullptr);

    // The register's "rows are being refilled" flag (not owned; null = never).
    // While it is set the quantity field does not recompute the subtotal and
    // the discount field does not mark the row as edited.
    void setRowsLoadingFlag(const bool *rowsLoading) { mRowsLoading = rowsLoading; }

    void setFullName(const QString &fullName); // tool tip of the name
    void setFullUOM(const QString &fullUom);   // tool tip of the unit
    void setUOM(const QString &uom);

    // Left edges, in pixels, of the name, price, quantity, unit, discount
    // and subtotal fields, in that order.
    std::array<int, 6> GetLeftValues() const;

    int TotalHeight() const;
    void setTotalHeight(int height);
    // Setting the width lays the fields out again: price, quantity and
    // subtotal take 15 % each, the discount 8.5 %, the name what is left.
    int TotalWidth() const;
    void setTotalWidth(int width);

    // The 1-based position of the sale line the row shows; 0 for an empty
    // row.
    int linePosition() const { return mLinePosition; }
    void setLinePosition(int position) { mLinePosition = position; }
    bool PriceChanged() const;
    void setPriceChanged(bool changed);
    qint16 RecordNumber() const;
    void setRecordNumber(qint16 number);
    bool TaxExempt() const;
    void setTaxExempt(bool exempt);
    // A line given back stands as it was returned: its quantity, discount
    // and mark cannot be edited in the row.
    void setFixed(bool fixed);

    // Subtotal ← price × quantity, rounded to the cent.
    void UpdateSubtotal();

    double Disc() const; // the number the discount text starts with
    void setDisc(double percent);
    double Subtotal() const;
    void setSubtotal(double amount);
    double Price() const;
    void setPrice(double price); // also recomputes the subtotal
    QString ItemName() const;
    void setItemName(const QString &name);
    double qty() const; // the number the quantity text starts with
    void setQty(double quantity); // also recomputes the subtotal
    QColor SelBack() const;
    void setSelBack(const QColor &colour); // ignored on an empty row

    // The colours kept under "POS"/"Settings" ("Selected Color",
    // "Non-Selected Color"); WriteProperties saves them.
    QColor SelectedColor() const { return mSelectedColor; }
    void setSelectedColor(const QColor &colour) { mSelectedColor = colour; }
    QColor NonSelectedColor() const { return mNonSelectedColor; }
    void setNonSelectedColor(const QColor &colour) { mNonSelectedColor = colour; }
    void WriteProperties();

    bool isEmptyRow() const;

    // The size last given through TotalWidth and TotalHeight.
    QSize sizeHint() const override { return mNominalSize; }

signals:
    // An edit of the row is complete (a field left after an edit, the
    // tax-exempt box clicked on a filled row, the subtotal text changed):
    // the quantity, discount percentage and tax-exempt mark the row holds.
    void edited(double qty, double discountPercent, bool exempt);
    // The quantity, price, discount or subtotal field or the tax-exempt box
    // got the focus.
    void HasFocus();
    // The price field was double-clicked.
    void ChangePrice();
    // The quantity text changed to a valid quantity on a filled row.
    void quantityEdited(double qty);
    // The focus entered the row from outside it.
    void GotFocus();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    bool rowsLoading() const { return mRowsLoading && *mRowsLoading; }
    bool isSignBeingTyped() const;
    void emitEdited() { emit edited(qty(), Disc(), TaxExempt()); }
    void ReadProperties();
    void txtQty_Change();
    void txtDisc_Change();
    void chk1_Click();
    void spinnerClick(const char *procedure);
    void fieldGotFocus(QLineEdit *field, Qt::FocusReason reason);
    void fieldLostFocus(QLineEdit *field);
    void UserControl_Resize();

    platform::SettingsStore &mSettings;
    const bool *mRowsLoading = nullptr;

    QLineEdit *txtName;
    QLineEdit *txtQty;
    UpDown *UDQty;
    QLineEdit *txtPrice;
    QLineEdit *txtUOM;
    QLineEdit *txtDisc;
    QLineEdit *txtSubtotal;
    QCheckBox *chk1;

    int mLinePosition = 0;
    qint16 mRecordNumber = 0;
    bool mPriceChanged = false;
    bool mChanged = false;     // an edit not yet reported
    bool mFocusInside = false; // the focus is on one of the row's fields
    QColor mSelectedColor;
    QColor mNonSelectedColor;

    // Field widths in pixels, set by setTotalWidth; the name takes the rest.
    int mQtyWidth = 0;
    int mPriceWidth = 0;
    int mUomWidth = 0;
    int mDiscWidth = 0;
    int mSubtotalWidth = 0;
    int mSpinnerWidth = 0;
    QSize mNominalSize;
};

} // namespace vanta
