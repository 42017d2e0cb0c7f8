#include "customers/CustomerTableModel.h"

#include "platform/Currency.h"

namespace vanta::customers {

void CustomerTableModel::setRows(std::vector<CustomerRow> rows)
{
    beginResetModel();
    mRows = std::move(rows);
    endResetModel();
}

int CustomerTableModel::rowOf(qint32 custId) const
{
    for (size_t i = 0; i < mRows.size(); ++i)
        if (mRows[i].id == custId)
            return int(i);
    return -1;
}

int CustomerTableModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mRows.size());
}

int CustomerTableModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant CustomerTableModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(mRows.size()))
        return {};
    const CustomerRow &r = mRows[size_t(index.row())];
    if (role == IdRole)
        return r.id;
    if (role == Qt::TextAlignmentRole && index.column() != NameColumn)
        return int(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return {};
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
