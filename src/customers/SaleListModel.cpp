#include "customers/SaleListModel.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"

#include <QDateTime>
#include <algorithm>
#include <utility>

namespace vanta {

namespace {
QString shownDate(const QString &stored)
{
    const QDateTime t = QDateTime::fromString(stored, Qt::ISODate);
    return t.isValid() ? t.toString(QStringLiteral("MM/dd/yyyy")) : stored;
}
} // namespace

void SaleListModel::show(qint32 custId, size_t rows)
{
    beginResetModel();
    mCustId = custId;
    mSales.clear();
    mNext = customers::SaleCursor();
    endResetModel();
    while (mNext && mSales.size() < rows)
        readPage(int(std::max<size_t>(kPage, rows - mSales.size())));
}

void SaleListModel::fetchMore(const QModelIndex &parent)
{
    if (canFetchMore(parent))
        readPage(kPage);
}

// A page that cannot be read ends the list there (the failure is reported).
void SaleListModel::readPage(int limit)
{
    const customers::SaleCursor from = *std::exchange(mNext, std::nullopt);
    customers::SalePage page = diag::run("TransactionList", "ReadSales", customers::SalePage(),
                                         [&] { return customers::customerSales(mStore, mCustId, limit, from); });
    if (!page.sales.empty()) {
        beginInsertRows({}, int(mSales.size()), int(mSales.size() + page.sales.size()) - 1);
        mSales.insert(mSales.end(), page.sales.begin(), page.sales.end());
        endInsertRows();
    }
    mNext = page.next;
}

int SaleListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(mSales.size()); }

int SaleListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 6; }

QVariant SaleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(mSales.size()))
        return {};
    if (role == Qt::TextAlignmentRole && index.column() >= 3)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const customers::SaleSummary &s = mSales[size_t(index.row())];
    switch (index.column()) {
    case 0: return shownDate(s.date);
    case 1: return QString::number(s.saleId);
    case 2: return s.payType;
    case 3: return formatCurrencyCents(s.totalCents);
    case 4: return formatCurrencyCents(s.paidCents);
    case 5: return formatCurrencyCents(s.openCents);
    }
    return {};
}

QVariant SaleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const names[] = {"Date", "Sale", "Pay Type", "Total", "Paid", "Open"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 6)
        return QLatin1String(names[section]);
    return {};
}

} // namespace vanta
