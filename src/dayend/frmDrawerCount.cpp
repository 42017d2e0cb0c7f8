#include "dayend/frmDrawerCount.h"

#include "platform/Currency.h"
#include "platform/Prompt.h"
#include "platform_ui/ButtonRow.h"

#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace vanta::dayend {

frmDrawerCount::frmDrawerCount(platform::Prompt &prompt, QWidget *parent)
    : QDialog(parent), mPrompt(prompt), txtWhole(new QLineEdit(this)), lblTotal(new QLabel(this))
{
    setObjectName(QStringLiteral("frmDrawerCount"));
    setWindowTitle(QStringLiteral("Count the Drawer"));
    auto *form = new QFormLayout;
    for (const Denomination &d : denominations()) {
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtCount%1").arg(txtCounts.size()));
        box->setAccessibleName(d.name);
        box->setAlignment(Qt::AlignRight);
        box->setMaximumWidth(90);
        form->addRow(d.name + QLatin1Char(':'), box);
        connect(box, &QLineEdit::textChanged, this, &frmDrawerCount::showTotal);
        txtCounts.push_back(box);
    }
    txtWhole->setObjectName(QStringLiteral("txtWhole"));
    txtWhole->setAccessibleName(QStringLiteral("Whole amount"));
    txtWhole->setAlignment(Qt::AlignRight);
    txtWhole->setMaximumWidth(120);
    form->addRow(QStringLiteral("Or the whole amount:"), txtWhole);
    connect(txtWhole, &QLineEdit::textChanged, this, &frmDrawerCount::showTotal);
    lblTotal->setObjectName(QStringLiteral("lblTotal"));
    QFont bold = lblTotal->font();
    bold.setBold(true);
    lblTotal->setFont(bold);
    form->addRow(QStringLiteral("Cash counted:"), lblTotal);

    auto *cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setDefault(true);
    auto *cmdCancel = new QPushButton(QStringLiteral("Cancel"), this);
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    connect(cmdOK, &QPushButton::clicked, this, &frmDrawerCount::cmdOK_Click);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Count the cash in the drawer: how many of each, or the whole amount."),
                                 this));
    layout->addLayout(form);
    layout->addLayout(platform::buttonRow({cmdOK, cmdCancel}));
    showTotal();
    txtCounts.front()->setFocus(); // counting starts at the largest note
}

DrawerCount frmDrawerCount::count() const
{
    DrawerCount c;
    for (const QLineEdit *box : txtCounts)
        c.counts << box->text();
    c.wholeAmount = txtWhole->text();
    return c;
}

void frmDrawerCount::setCount(size_t index, const QString &text) { txtCounts.at(index)->setText(text); }

void frmDrawerCount::setWholeAmount(const QString &text) { txtWhole->setText(text); }

void frmDrawerCount::showTotal()
{
    const std::optional<qint64> cents = count().cents();
    lblTotal->setText(cents ? formatCurrencyCents(*cents) : QStringLiteral("?"));
}

void frmDrawerCount::cmdOK_Click()
{
    QString problem;
    const std::optional<qint64> cents = count().cents(&problem);
    if (!cents) {
        mPrompt.message(problem, platform::Buttons::Ok, platform::Icon::Exclamation, windowTitle());
        return;
    }
    mCounted = *cents;
    accept();
}

} // namespace vanta::dayend
