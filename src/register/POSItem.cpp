#include "register/POSItem.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform_ui/SelectAllText.h"
#include "platform/SettingsStore.h"
#include "register/UpDown.h"

#include <QApplication>
#include <QCheckBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <algorithm>
#include <array>
#include <cmath>

namespace vanta {

namespace {

const char *const kModule = "POSItem";

// Writes a field's text only when it differs: refilling a row that shows the
// same line repaints nothing (and, as for any unchanged text, raises nothing).
bool setFieldText(QLineEdit *field, const QString &text)
{
    if (field->text() == text)
        return false;
    field->setText(text);
    return true;
}

// Neighbouring fields overlap by one pixel so that they share a border.
constexpr int kOverlap = 1;
constexpr int kDefaultWidth = 600;
// Width fractions of the fields set by TotalWidth; the name takes the rest.
constexpr double kPriceFraction = 0.15; // price, quantity and subtotal each
constexpr double kDiscFraction = 0.085;
constexpr double kUomFraction = 0.07;
constexpr double kSpinnerFraction = 0.18; // of the quantity field

const QString kApp = QStringLiteral("POS");
const QString kSection = QStringLiteral("Settings");
const QString kSelectedKey = QStringLiteral("Selected Color");
const QString kNonSelectedKey = QStringLiteral("Non-Selected Color");

// Colours are stored as one number: red + 256 × green + 65536 × blue.
QColor colourFromNumber(qint64 n) { return QColor(int(n & 0xff), int((n >> 8) & 0xff), int((n >> 16) & 0xff)); }
qint64 numberFromColour(const QColor &c) { return qint64(c.red()) | (qint64(c.green()) << 8) | (qint64(c.blue()) << 16); }

QLineEdit *field(QWidget *parent, const char *name, const QString &text, Qt::FocusPolicy policy)
{
    auto *f = new QLineEdit(text, parent);
    f->setObjectName(QLatin1String(name));
    f->setFocusPolicy(policy);
    return f;
}

QByteArray procedureOf(const QObject *control, const char *event)
{
    return (control->objectName() + QLatin1Char('_') + QLatin1String(event)).toLatin1();
}

bool isWindowSwitch(Qt::FocusReason reason)
{
    return reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason;
}

} // namespace

POSItem::POSItem(platform::SettingsStore &settings, QWidget *parent)
    : QWidget(parent), mSettings(settings),
      txtName(field(this, "txtName", EmptyName, Qt::ClickFocus)),
      txtQty(field(this, "txtQty", QStringLiteral("0"), Qt::StrongFocus)),
      UDQty(new UpDown(this)),
      txtPrice(field(this, "txtPrice", formatCurrency(0), Qt::ClickFocus)),
      txtUOM(field(this, "txtUOM", QString(), Qt::NoFocus)),
      txtDisc(field(this, "txtDisc", QStringLiteral("0"), Qt::ClickFocus)),
      txtSubtotal(field(this, "txtSubtotal", formatCurrency(0), Qt::ClickFocus)),
      chk1(new QCheckBox(this))
{
    UDQty->setObjectName(QStringLiteral("UDQty"));
    const std::array<std::pair<QLineEdit *, const char *>, 6> spoken{{{txtName, "Item"},
                                                                      {txtQty, "Quantity"},
                                                                      {txtPrice, "Price"},
                                                                      {txtUOM, "Unit of measure"},
                                                                      {txtDisc, "Discount percent"},
                                                                      {txtSubtotal, "Line subtotal"}}};
    for (const auto &[f, name] : spoken)
        f->setAccessibleName(QLatin1String(name));
    UDQty->setRange(0, QtyLimit);
    txtUOM->setReadOnly(true);
    chk1->setObjectName(QStringLiteral("chk1"));
    chk1->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(txtQty);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    setTabOrder(txtQty, chk1);

    for (QWidget *w : {static_cast<QWidget *>(txtName), static_cast<QWidget *>(txtQty),
                       static_cast<QWidget *>(txtPrice), static_cast<QWidget *>(txtDisc),
                       static_cast<QWidget *>(txtSubtotal), static_cast<QWidget *>(chk1)})
        w->installEventFilter(this);
    for (QLineEdit *f : {txtName, txtQty, txtPrice, txtSubtotal})
        connect(f, &QLineEdit::textEdited, this, [this] { mChanged = true; });

    connect(txtQty, &QLineEdit::textChanged, this, &POSItem::txtQty_Change);
    connect(txtDisc, &QLineEdit::textChanged, this, &POSItem::txtDisc_Change);
    connect(txtSubtotal, &QLineEdit::textChanged, this,
            [this] { diag::run(kModule, "txtSubtotal_Change", [&] { emitEdited(); }); });
    connect(chk1, &QCheckBox::clicked, this, &POSItem::chk1_Click);
    connect(UDQty, &UpDown::UpClick, this, [this] { spinnerClick("UDQTY_UpClick"); });
    connect(UDQty, &UpDown::DownClick, this, [this] { spinnerClick("UDQTY_DownClick"); });

    ReadProperties();
    setTotalHeight(txtName->sizeHint().height());
    setTotalWidth(kDefaultWidth);
}

bool POSItem::isEmptyRow() const { return txtName->text() == EmptyName; }

bool POSItem::isSignBeingTyped() const
{
    const QString text = txtQty->text();
    return txtQty->hasFocus() && (text == QLatin1String("-") || text == QLatin1String("+"));
}

// --- settings ---

void POSItem::ReadProperties()
{
    diag::run(kModule, "UserControl_ReadProperties", [&] {
        mSelectedColor = colourFromNumber(mSettings.read(kApp, kSection, kSelectedKey, QStringLiteral("0")).toLongLong());
        mNonSelectedColor =
            colourFromNumber(mSettings.read(kApp, kSection, kNonSelectedKey, QStringLiteral("0")).toLongLong());
    });
}

void POSItem::WriteProperties()
{
    diag::run(kModule, "UserControl_WriteProperties", [&] {
        mSettings.save(kApp, kSection, kSelectedKey, QString::number(numberFromColour(mSelectedColor)));
        mSettings.save(kApp, kSection, kNonSelectedKey, QString::number(numberFromColour(mNonSelectedColor)));
    });
}

// --- texts and tool tips ---

void POSItem::setFullName(const QString &fullName)
{
    diag::run(kModule, "FullName_Let", [&] { txtName->setToolTip(fullName); });
}

void POSItem::setFullUOM(const QString &fullUom)
{
    diag::run(kModule, "FullUOM_Let", [&] { txtUOM->setToolTip(fullUom); });
}

void POSItem::setUOM(const QString &uom)
{
    diag::run(kModule, "UOM_Let", [&] { setFieldText(txtUOM, uom); });
}

QString POSItem::ItemName() const
{
    return diag::run(kModule, "ItemName_Get", QString(), [&] { return txtName->text(); });
}

void POSItem::setItemName(const QString &name)
{
    diag::run(kModule, "ItemName_Let", [&] {
        if (setFieldText(txtName, name))
            txtName->setCursorPosition(0); // show the start of a long name
    });
}

bool POSItem::PriceChanged() const
{
    return diag::run(kModule, "PriceChanged_Get", false, [&] { return mPriceChanged; });
}

void POSItem::setPriceChanged(bool changed)
{
    diag::run(kModule, "PriceChanged_Let", [&] { mPriceChanged = changed; });
}

qint16 POSItem::RecordNumber() const
{
    return diag::run(kModule, "RecordNumber_Get", qint16(0), [&] { return mRecordNumber; });
}

void POSItem::setRecordNumber(qint16 number)
{
    diag::run(kModule, "RecordNumber_Let", [&] { mRecordNumber = number; });
}

bool POSItem::TaxExempt() const
{
    return diag::run(kModule, "TaxExempt_Get", false, [&] { return chk1->isChecked(); });
}

void POSItem::setTaxExempt(bool exempt)
{
    diag::run(kModule, "TaxExempt_Let", [&] { chk1->setChecked(exempt); });
}

void POSItem::setFixed(bool fixed)
{
    txtQty->setReadOnly(fixed);
    txtDisc->setReadOnly(fixed);
    UDQty->setEnabled(!fixed);
    chk1->setEnabled(!fixed);
}

// --- amounts ---

void POSItem::UpdateSubtotal()
{
    diag::run(kModule, "UpdateSubtotal", [&] {
        const double price = parseCurrency(txtPrice->text());
        const double quantity = leadingNumber(txtQty->text());
        setSubtotal(price * quantity); // the currency text rounds it to the cent
    });
}

double POSItem::Disc() const
{
    return diag::run(kModule, "Disc_Get", 0.0, [&] { return leadingNumber(txtDisc->text()); });
}

void POSItem::setDisc(double percent)
{
    diag::run(kModule, "Disc_Let", [&] { setFieldText(txtDisc, formatPlain(percent)); });
}

double POSItem::Subtotal() const
{
    return diag::run(kModule, "Subtotal_Get", 0.0, [&] { return parseCurrency(txtSubtotal->text()); });
}

void POSItem::setSubtotal(double amount)
{
    diag::run(kModule, "Subtotal_Let", [&] { setFieldText(txtSubtotal, formatCurrency(amount)); });
}

double POSItem::Price() const
{
    return diag::run(kModule, "Price_Get", 0.0, [&] { return parseCurrency(txtPrice->text()); });
}

void POSItem::setPrice(double price)
{
    diag::run(kModule, "Price_Let", [&] {
        setFieldText(txtPrice, formatCurrency(price));
        UpdateSubtotal();
    });
}

double POSItem::qty() const
{
    return diag::run(kModule, "qty_Get", 0.0, [&] { return leadingNumber(txtQty->text()); });
}

void POSItem::setQty(double quantity)
{
    diag::run(kModule, "qty_Let", [&] {
        setFieldText(txtQty, formatPlain(quantity));
        UpdateSubtotal();
    });
}

// --- colours ---

QColor POSItem::SelBack() const
{
    return diag::run(kModule, "SelBack_Get", QColor(), [&] { return txtName->palette().color(QPalette::Base); });
}

void POSItem::setSelBack(const QColor &colour)
{
    diag::run(kModule, "SelBack_Let", [&] {
        if (isEmptyRow())
            return;
        for (QLineEdit *f : {txtName, txtQty, txtPrice, txtUOM, txtDisc, txtSubtotal}) {
            QPalette pal = f->palette();
            pal.setColor(QPalette::Base, colour);
            f->setPalette(pal);
        }
    });
}

// --- edits ---

void POSItem::txtQty_Change()
{
    diag::run(kModule, "txtQty_Change", [&] {
        if (txtQty->isReadOnly())
            return; // a fixed row: set by the register, never edited
        const QString text = txtQty->text();
        // A sign being typed is the start of a number, not yet a quantity;
        // the field is set right when it loses the focus.
        if (isSignBeingTyped())
            return;
        const std::optional<double> value = parseNumber(text);
        // Each rewrite of the text below runs this procedure again.
        if (!value || *value < 0) {
            txtQty->setText(QStringLiteral("0"));
            return;
        }
        if (isEmptyRow()) {
            UDQty->setValue(0);
            txtQty->setText(QStringLiteral("0"));
            return;
        }
        if (*value > UDQty->maximum()) {
            txtQty->setText(QString::number(UDQty->maximum()));
            return;
        }
        // "1,000" would be read as 1 where the quantity is used: show the
        // number the row works with.
        if (leadingNumber(text) != *value) {
            txtQty->setText(formatPlain(*value));
            return;
        }
        UDQty->setValue(int(std::nearbyint(*value)));
        emit quantityEdited(*value);
        if (!rowsLoading())
            UpdateSubtotal();
    });
}

void POSItem::txtDisc_Change()
{
    diag::run(kModule, "txtDisc_Change", [&] {
        if (leadingNumber(txtDisc->text()) > 100) {
            txtDisc->setText(QStringLiteral("100")); // runs this procedure again
            return;
        }
        UpdateSubtotal();
        if (!rowsLoading())
            mChanged = true;
    });
}

void POSItem::chk1_Click()
{
    diag::run(kModule, "chk1_Click", [&] {
        if (isEmptyRow()) {
            chk1->setChecked(false);
            return;
        }
        emitEdited();
    });
}

void POSItem::spinnerClick(const char *procedure)
{
    diag::run(kModule, procedure, [&] {
        mChanged = true;
        setQty(UDQty->value());
    });
}

// --- focus ---

bool POSItem::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::FocusIn: {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        if (isWindowSwitch(reason) && mFocusInside)
            return false; // back from a message box or a menu: nothing new
        if (!mFocusInside) {
            mFocusInside = true;
            diag::run(kModule, "UserControl_EnterFocus", [&] { emit GotFocus(); });
        }
        if (watched == chk1) {
            diag::run(kModule, "chk1_GotFocus", [&] { emit HasFocus(); });
            return false;
        }
        auto *f = static_cast<QLineEdit *>(watched);
        fieldGotFocus(f, reason);
        // A field that passed the focus on does not take it.
        return !f->hasFocus();
    }
    case QEvent::FocusOut: {
        if (isWindowSwitch(static_cast<QFocusEvent *>(event)->reason()))
            return false;
        mFocusInside = isAncestorOf(QApplication::focusWidget());
        if (watched != chk1)
            fieldLostFocus(static_cast<QLineEdit *>(watched));
        return false;
    }
    case QEvent::MouseButtonDblClick:
        if (watched == txtPrice) {
            diag::run(kModule, "txtPrice_DblClick", [&] { emit ChangePrice(); });
            return true;
        }
        return false;
    default:
        return false;
    }
}

void POSItem::fieldGotFocus(QLineEdit *f, Qt::FocusReason reason)
{
    const QByteArray procedure = procedureOf(f, "GotFocus");
    diag::run(kModule, procedure.constData(), [&] {
        if (f == txtQty) {
            platform::selectAllOnFocus(txtQty, reason);
            emit HasFocus();
            return;
        }
        if (f != txtName)
            emit HasFocus();
        // The register may have moved the focus elsewhere meanwhile.
        if (f->hasFocus())
            txtQty->setFocus(Qt::OtherFocusReason);
    });
}

void POSItem::fieldLostFocus(QLineEdit *f)
{
    const QByteArray procedure = procedureOf(f, "LostFocus");
    diag::run(kModule, procedure.constData(), [&] {
        if (f == txtQty && !isNumeric(txtQty->text()))
            txtQty->setText(QStringLiteral("0"));
        if (!mChanged)
            return;
        if (f == txtQty || f == txtPrice)
            UpdateSubtotal();
        mChanged = false;
        emitEdited();
    });
}

// --- size and layout ---

std::array<int, 6> POSItem::GetLeftValues() const
{
    return diag::run(kModule, "GetLeftValues", std::array<int, 6>{}, [&] {
        return std::array<int, 6>{txtName->x(), txtPrice->x(), txtQty->x(),
                                  txtUOM->x(),  txtDisc->x(),  txtSubtotal->x()};
    });
}

int POSItem::TotalHeight() const
{
    return diag::run(kModule, "TotalHeight_Get", 0, [&] { return txtName->height(); });
}

void POSItem::setTotalHeight(int height)
{
    diag::run(kModule, "TotalHeight_Let", [&] {
        mNominalSize.setHeight(std::max(0, height));
        resize(width(), mNominalSize.height());
        UserControl_Resize();
    });
}

int POSItem::TotalWidth() const
{
    return diag::run(kModule, "TotalWidth_Get", 0, [&] { return width(); });
}

void POSItem::setTotalWidth(int width)
{
    diag::run(kModule, "TotalWidth_Let", [&] {
        width = std::max(0, width);
        mPriceWidth = mQtyWidth = mSubtotalWidth = int(std::lround(kPriceFraction * width));
        mDiscWidth = int(std::lround(kDiscFraction * width));
        mUomWidth = int(std::lround(kUomFraction * width));
        mSpinnerWidth = int(std::lround(kSpinnerFraction * mQtyWidth));
        mNominalSize.setWidth(width);
        resize(width, height());
        UserControl_Resize();
    });
}

void POSItem::resizeEvent(QResizeEvent *) { UserControl_Resize(); }

void POSItem::UserControl_Resize()
{
    diag::run(kModule, "UserControl_Resize", [&] {
        const int h = height();
        const int boxWidth = chk1->sizeHint().width();
        const int fixed = mQtyWidth + mPriceWidth + mUomWidth + mDiscWidth + mSubtotalWidth;
        const int nameWidth = std::max(0, width() - fixed - boxWidth + 5 * kOverlap);
        int x = 0;
        for (auto [f, w] : {std::pair{txtName, nameWidth}, std::pair{txtQty, mQtyWidth},
                            std::pair{txtPrice, mPriceWidth}, std::pair{txtUOM, mUomWidth},
                            std::pair{txtDisc, mDiscWidth}}) {
            f->setGeometry(x, 0, w, h);
            x += w - kOverlap;
        }
        txtSubtotal->setGeometry(x, 0, mSubtotalWidth, h);
        chk1->setGeometry(x + mSubtotalWidth, 0, boxWidth, h);
        // The spinner sits inside the right end of the quantity field.
        UDQty->setGeometry(txtQty->x() + mQtyWidth - mSpinnerWidth - 1, 1, mSpinnerWidth, std::max(0, h - 2));
        UDQty->raise();
        txtQty->setTextMargins(0, 0, mSpinnerWidth, 0);
    });
}

} // namespace vanta
