#include "lookup/ItemListModel.h"

#include "lookup/ItemCatalogue.h"
#include "platform/Currency.h"

#include <algorithm>

namespace vanta::lookup {

ItemListModel::ItemListModel(const ItemCatalogue &catalogue, QObject *parent)
    : QAbstractTableModel(parent), mCatalogue(catalogue)
{
}

void ItemListModel::fill(bool inStockOnly, int sortColumn, bool descending)
{
    beginResetModel();
    mRows.clear();
    mRows.reserve(size_t(mCatalogue.size()));
    for (int pos = 0; pos < mCatalogue.size(); ++pos) {
        const CatalogueItem &item = mCatalogue.at(pos);
        if (!item.hidden && (!inStockOnly || item.qty > 0))
            mRows.push_back(pos);
    }
    // The catalogue is in name order; other columns sort stably within it.
    const auto by = [&](auto key) {
        using Key = decltype(key(mCatalogue.at(0)));
        std::vector<Key> keys(size_t(mCatalogue.size()));
        for (int pos : mRows)
            keys[size_t(pos)] = key(mCatalogue.at(pos));
        std::stable_sort(mRows.begin(), mRows.end(), [&](int a, int b) { return keys[size_t(a)] < keys[size_t(b)]; });
    };
    if (mRows.empty())
        sortColumn = 1;
    switch (sortColumn) {
    case 2: by([](const CatalogueItem &i) { return i.qty; }); break;
    case 3: by([](const CatalogueItem &i) { return i.listUnit().toCaseFolded(); }); break;
    case 4: by([](const CatalogueItem &i) { return i.price; }); break;
    default: break;
    }
    if (descending)
        std::reverse(mRows.begin(), mRows.end());
    mChecked.assign(mRows.size(), 0);
    endResetModel();
}

int ItemListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(mRows.size()); }

int ItemListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : 4; }

QVariant ItemListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid())
        return {};
    const CatalogueItem &item = mCatalogue.at(mRows[size_t(index.row())]);
    if (role == Qt::CheckStateRole && index.column() == 0)
        return mChecked[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::UserRole)
        return QStringLiteral("key") + QString::number(item.index);
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0: return item.name;
    case 1: return formatPlain(item.qty);
    case 2: return item.listUnit();
    default: return formatCurrency(item.price);
    }
}

bool ItemListModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || role != Qt::CheckStateRole || index.column() != 0)
        return false;
    mChecked[size_t(index.row())] = value.toInt() == Qt::Checked;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

QVariant ItemListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    static const char *const kHeads[] = {"Item Name", "QTY", "UOM", "Price"};
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 && section < 4)
        return QLatin1String(kHeads[section]);
    return {};
}

Qt::ItemFlags ItemListModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (index.column() == 0)
        f |= Qt::ItemIsUserCheckable;
    return f;
}

std::vector<int> ItemListModel::checkedRows() const
{
    std::vector<int> rows;
    for (size_t r = 0; r < mChecked.size(); ++r)
        if (mChecked[r])
            rows.push_back(int(r));
    return rows;
}

void ItemListModel::uncheckAll()
{
    std::fill(mChecked.begin(), mChecked.end(), 0);
    if (!mRows.empty())
        emit dataChanged(index(0, 0), index(int(mRows.size()) - 1, 0), {Qt::CheckStateRole});
}

} // namespace vanta::lookup
