#include "customers/CustomerTableModel.h"

#include "diagnostics/Trace.h"
#include "platform/Currency.h"

#include <algorithm>

namespace vanta::customers {

CustomerTableModel::CustomerTableModel(db::Store &store, QObject *parent) : QAbstractTableModel(parent), mStore(store)
{
}

void CustomerTableModel::reload()
{
    std::vector<qint32> ids = customerIdsByName(mStore);
    beginResetModel();
    mIds = std::move(ids);
    mBlocks.assign((mIds.size() + kBlock - 1) / kBlock, {});
    endResetModel();
}

int CustomerTableModel::rowOf(qint32 custId) const
{
    const auto it = std::find(mIds.cbegin(), mIds.cend(), custId);
    return it != mIds.cend() ? int(it - mIds.cbegin()) : -1;
}

// The block of the row is read the first time one of its rows is shown. A
// block that cannot be read is reported once and shows its numbers only.
const CustomerRow &CustomerTableModel::rowAt(int row) const
{
    std::vector<CustomerRow> &block = mBlocks[size_t(row / kBlock)];
    if (block.empty()) {
        const auto first = mIds.cbegin() + (row / kBlock) * kBlock;
        const std::vector<qint32> ids(first, std::min(first + kBlock, mIds.cend()));
        block = diag::run("frmCustomers", "FillCustomerRows", std::vector<CustomerRow>(), [&] {
            return customerRows(mStore, ids);
        });
        if (block.empty())
            for (qint32 id : ids)
                block.push_back({id, QString(), 0, 0});
    }
    return block[size_t(row % kBlock)];
}

int CustomerTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mIds.size());
}

int CustomerTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CustomerTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(mIds.size()))
        return {};
    if (role == IdRole)
        return idAt(index.row());
    if (role == Qt::TextAlignmentRole && index.column() != NameColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
    const CustomerRow &r = rowAt(index.row());
    switch (index.column()) {
    case NameColumn: return r.name;
    case BalanceColumn: return formatCurrencyCents(r.balanceCents);
    case AvailableColumn: return formatCurrencyCents(r.availableCents);
    }
    return {};
}

QVariant CustomerTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    switch (section) {
    case NameColumn: return QStringLiteral("Name");
    case BalanceColumn: return QStringLiteral("Balance");
    case AvailableColumn: return QStringLiteral("Available Credit");
    }
    return {};
}

} // namespace vanta::customers
