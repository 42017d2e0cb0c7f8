#include "shipping/frmShipping.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/ButtonRow.h"
#include "platform/Currency.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QVBoxLayout>

namespace vanta::shipping {

namespace {
const char *const kModule = "frmShipping";
const char *const kLevels[] = {"Regular", "Two Day", "One Day", "None"};

template <typename W>
W *named(W *w, const QString &name)
{
    w->setObjectName(name);
    return w;
}
} // namespace

frmShipping::frmShipping(db::Store &store, const ShippingOffer &offer, QWidget *parent)
    : QDialog(parent), mStore(store), mOffer(offer),
      cboShipping(named(new QComboBox(this), QStringLiteral("cboShipping"))),
      fraRange(named(new QGroupBox(this), QStringLiteral("fraRange"))),
      chkCustomShipping(named(new QCheckBox(QStringLiteral("Check to add custom shipping charge"), this),
                              QStringLiteral("chkCustomShipping"))),
      fraCustom(named(new QGroupBox(this), QStringLiteral("fraCustom"))),
      txtCustom(named(new QLineEdit(QStringLiteral("0.00"), fraCustom), QStringLiteral("txtCustom"))),
      fraFixed(named(new QGroupBox(this), QStringLiteral("fraFixed"))),
      lblFixed(named(new QLabel(QStringLiteral("Fixed Shipping Rate = "), fraFixed), QStringLiteral("lblFixed"))),
      cmdOK(named(new QPushButton(QStringLiteral("OK"), this), QStringLiteral("cmdOK"))),
      cmdCancel(named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("cmdCancel")))
{
    setWindowTitle(mOffer.title);
    auto *layout = new QVBoxLayout(this);

    auto *method = new QHBoxLayout;
    method->addWidget(new QLabel(QStringLiteral("Shipping Method:"), this));
    method->addWidget(cboShipping, 1);
    cboShipping->setAccessibleName(QStringLiteral("Shipping method"));
    layout->addLayout(method);

    // The service levels of the range; in fixed-charge mode they do not apply
    // and are not shown.
    auto *levels = new QGridLayout(fraRange);
    for (int i = 0; i < 4; ++i) {
        optship[size_t(i)] = named(new QRadioButton(QStringLiteral("$0.00"), fraRange), QStringLiteral("optship%1").arg(i));
        lblDesc[size_t(i)] = named(new QLabel(QLatin1String(kLevels[i]), fraRange), QStringLiteral("lblDesc%1").arg(i));
        levels->addWidget(lblDesc[size_t(i)], i, 0);
        levels->addWidget(optship[size_t(i)], i, 1);
    }
    for (int i = 0; i < 3; ++i)
        optship[size_t(i)]->setText(formatCurrencyCents(mOffer.charges[size_t(i)].cents()));
    layout->addWidget(fraRange);

    auto *fixed = new QHBoxLayout(fraFixed);
    fixed->addWidget(lblFixed);
    layout->addWidget(fraFixed);

    layout->addWidget(chkCustomShipping);
    auto *custom = new QHBoxLayout(fraCustom);
    custom->addWidget(new QLabel(QStringLiteral("Shipping Charge $"), fraCustom));
    custom->addWidget(txtCustom, 1);
    txtCustom->setAccessibleName(QStringLiteral("Custom shipping charge"));
    layout->addWidget(fraCustom);
    fraCustom->hide();

    if (mOffer.mode == ShippingOffer::Mode::Fixed) {
        lblFixed->setText(mOffer.fixedText);
        fraRange->hide();
    } else {
        fraFixed->hide();
    }

    QHBoxLayout *buttons = platform::buttonRow({cmdOK, cmdCancel});
    layout->addLayout(buttons);
    cmdOK->setDefault(true);

    connect(chkCustomShipping, &QCheckBox::toggled, this, &frmShipping::chkCustomShipping_Click);
    connect(cmdOK, &QPushButton::clicked, this, &frmShipping::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmShipping::cmdCancel_Click);
    auto *f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    connect(f1, &QShortcut::activated, this, [this] { mHelp.ShowTopic(QStringLiteral("Point_of_Sale.htm")); });
    Form_Load();
    platform::nameFields(this); // fields found by what they are
}

// The shipping methods on a connection of their own, in table order.
void frmShipping::Form_Load()
{
    diag::run(kModule, "Form_Load", [&] {
        const db::Database db = mStore.ownConnection();
        db::Recordset rs = db.openTable(QStringLiteral("ShippingMethods"));
        for (; !rs.eof(); rs.moveNext())
            cboShipping->addItem(rs.text(QStringLiteral("ShippingMethods")),
                                 db::asLong(rs.field(QStringLiteral("ShippingID"))));
        if (cboShipping->count() > 0)
            cboShipping->setCurrentIndex(0);
    });
}

void frmShipping::chkCustomShipping_Click()
{
    diag::run(kModule, "chkCustomShipping_Click", [&] {
        fraCustom->setVisible(chkCustomShipping->isChecked());
        if (chkCustomShipping->isChecked()) {
            txtCustom->setFocus();
            txtCustom->selectAll();
        }
    });
}

void frmShipping::cmdOK_Click()
{
    diag::run(kModule, "cmdOK_Click", [&] {
        ShippingChoice choice;
        if (cboShipping->count() > 0 && cboShipping->currentIndex() >= 0) {
            choice.methodText = cboShipping->currentText();
            choice.methodId = cboShipping->currentData().toInt();
        }
        if (chkCustomShipping->isChecked()) {
            // A charge is a number of dollars, not below zero; anything else
            // keeps the dialog open with the field to correct.
            const std::optional<double> custom = parseNumber(txtCustom->text());
            if (!custom || *custom < 0) {
                txtCustom->setFocus();
                txtCustom->selectAll();
                return;
            }
            choice.description = QStringLiteral("Custom Shipping Charge");
            choice.chargeCents = toCents(*custom);
        } else if (mOffer.mode == ShippingOffer::Mode::Fixed) {
            choice.description = QStringLiteral("Fixed Rate");
            choice.chargeCents = mOffer.fixedCharge.cents();
        } else {
            for (int i = 0; i < 4; ++i)
                if (optship[size_t(i)]->isChecked()) {
                    choice.description = lblDesc[size_t(i)]->text();
                    choice.chargeCents = i < 3 ? mOffer.charges[size_t(i)].cents() : 0;
                }
        }
        mChoice = choice;
        accept();
    });
}

void frmShipping::cmdCancel_Click()
{
    diag::run(kModule, "cmdCancel_Click", [&] {
        mChoice = ShippingChoice();
        mChoice.cleared = mOffer.mode == ShippingOffer::Mode::Fixed;
        reject();
    });
}

} // namespace vanta::shipping
