#include "register/frmEditPrice.h"

#include "diagnostics/Trace.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/ButtonRow.h"
#include "platform/Currency.h"
#include "platform_ui/SelectAllText.h"

#include <QFocusEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <cmath>
#include <limits>

namespace vanta {

namespace {
const char *const kModule = "frmEditPrice";

QLabel *label(const QString &text, const char *name, QWidget *parent)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QLatin1String(name));
    return l;
}
} // namespace

frmEditPrice::frmEditPrice(QWidget *parent)
    : QDialog(parent),
      lblCurrentPrice(label(QStringLiteral("$0.00"), "lblCurrentPrice", this)),
      txtPrice(new QLineEdit(QStringLiteral("0.00"), this)),
      cmdOK(new QPushButton(QStringLiteral("OK"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Edit Price"));
    txtPrice->setObjectName(QStringLiteral("txtPrice"));
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdOK->setDefault(true);

    auto *grid = new QGridLayout(this);
    grid->addWidget(label(QStringLiteral("Current Price :"), "lblPrice", this), 0, 0);
    grid->addWidget(lblCurrentPrice, 0, 1);
    grid->addWidget(label(QStringLiteral("New Price : $"), "lblPrice", this), 1, 0);
    grid->addWidget(txtPrice, 1, 1);
    txtPrice->setAccessibleName(QStringLiteral("New price"));
    QHBoxLayout *buttons = platform::buttonRow({cmdOK, cmdCancel});
    grid->addLayout(buttons, 2, 0, 1, 2);
    setTabOrder(txtPrice, cmdOK);
    setTabOrder(cmdOK, cmdCancel);

    txtPrice->installEventFilter(this);
    connect(cmdOK, &QPushButton::clicked, this, &frmEditPrice::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &frmEditPrice::cmdCancel_Click);
    platform::nameFields(this); // fields found by what they are
}

void frmEditPrice::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (!event->spontaneous())
        Form_Load();
}

void frmEditPrice::Form_Load()
{
    diag::run(kModule, "Form_Load", [&] {
        lblCurrentPrice->setText(formatCurrency(msCurrentPrice));
        txtPrice->setFocus(Qt::OtherFocusReason);
    });
}

bool frmEditPrice::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == txtPrice && event->type() == QEvent::FocusIn) {
        const Qt::FocusReason reason = static_cast<QFocusEvent *>(event)->reason();
        diag::run(kModule, "txtPrice_GotFocus", [&] { platform::selectAllOnFocus(txtPrice, reason); });
    }
    return false;
}

void frmEditPrice::cmdOK_Click()
{
    diag::run(kModule, "cmdOK_Click", [&] {
        const std::optional<double> value = parseNumber(txtPrice->text());
        // A price a single cannot hold counts as not numeric as well.
        if (!value || std::abs(*value) > double(std::numeric_limits<float>::max())) {
            txtPrice->setFocus(Qt::OtherFocusReason);
            return;
        }
        mNewPrice = *value;
        accept();
    });
}

void frmEditPrice::cmdCancel_Click()
{
    diag::run(kModule, "cmdCancel_Click", [&] { reject(); });
}

} // namespace vanta
