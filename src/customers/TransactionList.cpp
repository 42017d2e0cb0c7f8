#include "customers/TransactionList.h"

#include "customers/SaleListModel.h"
#include "diagnostics/Trace.h"
#include "platform/Currency.h"
#include "platform/DialogRunner.h"
#include "platform/Prompt.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace vanta {

namespace {
const QString kPaymentTitle = QStringLiteral("Record Payment");
} // namespace

TransactionList::TransactionList(db::Store &store, platform::Prompt &prompt, platform::DialogRunner &dialogs,
                                 QWidget *parent)
    : QWidget(parent), mStore(store), mPrompt(prompt), mDialogs(dialogs), mModel(new SaleListModel(store, this))
{
    setObjectName(QStringLiteral("trans1"));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    lvSales = new QTableView(this);
    lvSales->setObjectName(QStringLiteral("lvSales"));
    lvSales->setModel(mModel);
    lvSales->setSelectionBehavior(QAbstractItemView::SelectRows);
    lvSales->setSelectionMode(QAbstractItemView::SingleSelection);
    lvSales->setEditTriggers(QAbstractItemView::NoEditTriggers);
    lvSales->verticalHeader()->hide();
    lvSales->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    lvSales->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    lvSales->horizontalHeader()->setDefaultSectionSize(fontMetrics().horizontalAdvance(QStringLiteral("$00,000.00")) + 16);
    lvSales->horizontalHeader()->setStretchLastSection(true);
    layout->addWidget(lvSales, 1);
    auto *buttons = new QHBoxLayout;
    cmdOpenSale = new QPushButton(QStringLiteral("&Open Sale"), this);
    cmdOpenSale->setObjectName(QStringLiteral("cmdOpenSale"));
    cmdPayment = new QPushButton(QStringLiteral("Record &Payment"), this);
    cmdPayment->setObjectName(QStringLiteral("cmdPayment"));
    buttons->addStretch(1);
    buttons->addWidget(cmdOpenSale);
    buttons->addWidget(cmdPayment);
    layout->addLayout(buttons);
    connect(cmdOpenSale, &QPushButton::clicked, this, &TransactionList::cmdOpenSale_Click);
    connect(cmdPayment, &QPushButton::clicked, this, &TransactionList::cmdPayment_Click);
    connect(lvSales, &QTableView::doubleClicked, this, &TransactionList::cmdOpenSale_Click);
}

void TransactionList::ShowTransactions(qint32 &employeeId, qint32 &custId)
{
    diag::run("TransactionList", "ShowTransactions", [&] {
        mEmployeeId = employeeId;
        mCustId = custId;
        refresh();
    });
}

void TransactionList::refresh()
{
    diag::run("TransactionList", "refresh", [&] {
        // The rows shown before stay listed (a payment is recorded on one of them).
        const size_t shown = mModel->custId() == mCustId ? mModel->sales().size() : 0;
        mModel->show(mCustId, std::max<size_t>(shown, SaleListModel::kPage));
        if (mModel->rowCount() > 0)
            lvSales->selectRow(0);
    });
}

const std::vector<customers::SaleSummary> &TransactionList::sales() const { return mModel->sales(); }

bool TransactionList::selectSale(qint32 saleId)
{
    const auto &s = mModel->sales();
    for (size_t i = 0; i < s.size(); ++i) {
        if (s[i].saleId == saleId) {
            lvSales->selectRow(int(i));
            return true;
        }
    }
    return false;
}

const customers::SaleSummary *TransactionList::currentSale() const
{
    const QModelIndex i = lvSales->currentIndex();
    if (!i.isValid() || i.row() >= int(mModel->sales().size()))
        return nullptr;
    return &mModel->sales()[size_t(i.row())];
}

void TransactionList::message(const QString &text, bool exclamation)
{
    mPrompt.message(text, platform::Buttons::Ok,
                    exclamation ? platform::Icon::Exclamation : platform::Icon::Information, kPaymentTitle);
}

void TransactionList::cmdOpenSale_Click()
{
    diag::run("TransactionList", "cmdOpenSale_Click", [&] {
        const customers::SaleSummary *sale = currentSale();
        if (!sale)
            return;
        QDialog dlg(this);
        dlg.setObjectName(QStringLiteral("frmSaleLines"));
        dlg.setWindowTitle(QStringLiteral("Sale %1").arg(sale->saleId));
        auto *layout = new QVBoxLayout(&dlg);
        const std::vector<customers::SaleLineSummary> lines = customers::saleLines(mStore, sale->saleId);
        auto *table = new QTableWidget(int(lines.size()), 4, &dlg);
        table->setObjectName(QStringLiteral("lvLines"));
        table->setHorizontalHeaderLabels({QStringLiteral("Item"), QStringLiteral("Qty"), QStringLiteral("Price"),
                                          QStringLiteral("Subtotal")});
        table->setEditTriggers(QAbstractItemView::NoEditTriggers);
        for (size_t r = 0; r < lines.size(); ++r) {
            const customers::SaleLineSummary &l = lines[r];
            const QStringList cells{l.item, formatPlain(l.quantity), formatCurrencyCents(l.priceCents),
                                    formatCurrencyCents(l.subtotalCents)};
            for (int c = 0; c < cells.size(); ++c)
                table->setItem(int(r), c, new QTableWidgetItem(cells[c]));
        }
        table->resizeColumnsToContents();
        layout->addWidget(table);
        auto *box = new QDialogButtonBox(QDialogButtonBox::Close, &dlg);
        connect(box, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
        layout->addWidget(box);
        dlg.resize(520, 320);
        mDialogs.run(dlg);
    });
}

void TransactionList::cmdPayment_Click()
{
    diag::run("TransactionList", "cmdPayment_Click", [&] {
        const customers::SaleSummary *sale = currentSale();
        if (!sale)
            return;
        const qint32 saleId = sale->saleId;
        if (sale->openCents <= 0) {
            message(QStringLiteral("Sale %1 has nothing left to pay: only an invoice sale with an amount still "
                                   "owed takes a payment.")
                        .arg(saleId),
                    false);
            return;
        }
        const std::optional<QString> answer = mPrompt.input(
            QStringLiteral("Amount paid on sale %1 (%2 open):").arg(saleId).arg(formatCurrencyCents(sale->openCents)),
            kPaymentTitle, formatNumberCents(sale->openCents));
        if (!answer || answer->trimmed().isEmpty())
            return;
        const std::optional<double> amount = parseNumber(*answer);
        if (!amount) {
            message(QStringLiteral("\"%1\" is not an amount of money. Enter the payment like 25.00.").arg(*answer));
            return;
        }
        qint64 open = 0;
        const qint64 cents = toCents(*amount);
        switch (customers::recordPayment(mStore, saleId, cents, &open, mShiftId)) {
        case customers::PaymentResult::NotPositive:
            message(QStringLiteral("The payment must be more than $0.00."));
            return;
        case customers::PaymentResult::MoreThanOpen:
            message(QStringLiteral("The payment of %1 is more than the %2 still open on sale %3.")
                        .arg(formatCurrencyCents(cents), formatCurrencyCents(open))
                        .arg(saleId));
            return;
        case customers::PaymentResult::NothingOpen:
            message(QStringLiteral("Sale %1 has nothing left to pay.").arg(saleId), false);
            refresh();
            return;
        case customers::PaymentResult::Recorded:
            break;
        }
        refresh();
        selectSale(saleId);
        emit BalancesChanged();
    });
}

} // namespace vanta
