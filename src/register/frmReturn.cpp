#include "register/frmReturn.h"

#include "platform/Currency.h"
#include "platform_ui/AccessibleNames.h"
#include "platform_ui/ButtonRow.h"
#include "sale/Refund.h"

#include <QDoubleSpinBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vanta {

namespace {

enum Column { Item, Sold, Returned, Left, Paid, Back, ColumnCount };

QTableWidgetItem *cell(const QString &text, Qt::Alignment align = Qt::AlignRight | Qt::AlignVCenter)
{
    auto *c = new QTableWidgetItem(text);
    c->setFlags(Qt::ItemIsEnabled);
    c->setTextAlignment(align);
    return c;
}

} // namespace

frmReturn::frmReturn(const sale::StoredSale &sale, const QString &heading, QWidget *parent)
    : QDialog(parent),
      mSale(sale),
      mTable(new QTableWidget(int(sale.lines.size()), ColumnCount, this)),
      cmdReturn(new QPushButton(QStringLiteral("&Return"), this)),
      cmdAll(new QPushButton(QStringLiteral("Return &All"), this)),
      cmdCancel(new QPushButton(QStringLiteral("Cancel"), this))
{
    setWindowTitle(QStringLiteral("Return Items"));
    setObjectName(QStringLiteral("frmReturn"));
    mTable->setObjectName(QStringLiteral("grdSoldLines"));
    cmdReturn->setObjectName(QStringLiteral("cmdReturn"));
    cmdAll->setObjectName(QStringLiteral("cmdReturnAll"));
    cmdCancel->setObjectName(QStringLiteral("cmdCancel"));
    cmdReturn->setDefault(true);

    auto *title = new QLabel(heading, this);
    title->setObjectName(QStringLiteral("lblSale"));
    mTable->setHorizontalHeaderLabels(
        {QStringLiteral("Item"), QStringLiteral("Sold"), QStringLiteral("Returned"), QStringLiteral("Left"),
         QStringLiteral("Paid"), QStringLiteral("Return")});
    mTable->verticalHeader()->hide();
    mTable->setSelectionMode(QAbstractItemView::NoSelection);
    mTable->setFocusPolicy(Qt::NoFocus);
    mTable->setTabKeyNavigation(false); // Tab goes from one quantity to the next
    for (size_t i = 0; i < sale.lines.size(); ++i) {
        const sale::SoldLine &l = sale.lines[i];
        const int row = int(i);
        mTable->setItem(row, Item, cell(l.name, Qt::AlignLeft | Qt::AlignVCenter));
        mTable->setItem(row, Sold, cell(formatPlain(l.sold)));
        mTable->setItem(row, Returned, cell(formatPlain(l.returned)));
        mTable->setItem(row, Left, cell(formatPlain(l.returnable())));
        mTable->setItem(row, Paid, cell(formatCurrencyCents(l.paid.subtotal.cents())));
        auto *qty = new QDoubleSpinBox(mTable);
        qty->setObjectName(QStringLiteral("spnReturn%1").arg(row));
        qty->setAccessibleName(QStringLiteral("Quantity to return of %1").arg(l.name));
        qty->setDecimals(l.fractions ? 2 : 0);
        qty->setRange(0, std::max(l.returnable(), 0.0));
        qty->setEnabled(l.returnable() > sale::kQuantitySlack);
        qty->setAlignment(Qt::AlignRight);
        connect(qty, &QDoubleSpinBox::valueChanged, this, &frmReturn::followChoice);
        mTable->setCellWidget(row, Back, qty);
        mQuantities.push_back(qty);
    }
    mTable->horizontalHeader()->setSectionResizeMode(Item, QHeaderView::Stretch);
    mTable->resizeColumnsToContents();
    mTable->setMinimumWidth(620);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(title);
    layout->addWidget(mTable);
    layout->addLayout(platform::buttonRow({cmdReturn, cmdAll, cmdCancel}));
    QWidget *previous = nullptr;
    for (QDoubleSpinBox *qty : mQuantities) {
        if (previous)
            setTabOrder(previous, qty);
        previous = qty;
    }
    if (previous)
        setTabOrder(previous, cmdReturn);
    for (QDoubleSpinBox *qty : mQuantities)
        if (qty->isEnabled()) {
            qty->setFocus();
            break;
        }

    connect(cmdReturn, &QPushButton::clicked, this, &QDialog::accept);
    connect(cmdAll, &QPushButton::clicked, this, &frmReturn::returnAll);
    connect(cmdCancel, &QPushButton::clicked, this, &QDialog::reject);
    followChoice();
    platform::nameFields(this); // fields found by what they are
}

void frmReturn::setQuantity(size_t line, double qty)
{
    if (line < mQuantities.size())
        mQuantities[line]->setValue(qty);
}

// Every line with something left goes back whole.
void frmReturn::returnAll()
{
    for (QDoubleSpinBox *qty : mQuantities)
        qty->setValue(qty->maximum());
}

// Nothing chosen: nothing to return.
void frmReturn::followChoice()
{
    cmdReturn->setEnabled(!chosen().empty());
}

double frmReturn::quantity(size_t line) const
{
    return line < mQuantities.size() ? mQuantities[line]->value() : 0.0;
}

std::vector<frmReturn::Chosen> frmReturn::chosen() const
{
    std::vector<Chosen> out;
    for (size_t i = 0; i < mQuantities.size(); ++i)
        if (mQuantities[i]->value() > 0)
            out.push_back({i, mQuantities[i]->value()});
    return out;
}

} // namespace vanta
