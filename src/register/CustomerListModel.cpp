#include "register/CustomerListModel.h"

namespace vanta {

void CustomerListModel::setEntries(QList<Entry> entries)
{
    beginResetModel();
    mEntries = std::move(entries);
    endResetModel();
}

int CustomerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mEntries.size());
}

QVariant CustomerListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= mEntries.size())
        return QVariant();
    const Entry &e = mEntries[index.row()];
    if (role == Qt::DisplayRole || role == Qt::EditRole)
        return e.text;
    if (role == Qt::UserRole)
        return e.id;
    return QVariant();
}

} // namespace vanta
