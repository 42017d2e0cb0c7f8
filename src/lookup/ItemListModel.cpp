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
    for (int pos = 0; pos < mCatalogue.size(); ++pos)
        if (!mCatalogue.hiddenAt(pos) && (!inStockOnly || mCatalogue.qtyAt(pos) > 0))
            mRows.push_back(pos);
    // The catalogue is in name order; other columns sort the positions
    // stably within it, reading the catalogue in place.
    const auto by = [&](auto key) {
        std::stable_sort(mRows.begin(), mRows.end(), [&](int a, int b) { return key(a) < key(b); });
    };
    if (mRows.empty())
        sortColumn = 1;
    switch (sortColumn) {
    case 2: by([&](int pos) { return mCatalogue.qtyAt(pos); }); break;
    case 3: {
        const std::vector<int> ranks = mCatalogue.unitRanks();
        by([&](int pos) { return ranks[size_t(pos)]; });
        break;
    }
    case 4: by([&](int pos) { return mCatalogue.priceAt(pos); }); break;
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
    const int pos = mRows[size_t(index.row())];
    if (role == Qt::CheckStateRole && index.column() == 0)
        return mChecked[size_t(index.row())] ? Qt::Checked : Qt::Unchecked;
    if (role == Qt::UserRole)
        return QStringLiteral("key") + QString::number(mCatalogue.indexAt(pos));
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case 0: return mCatalogue.nameAt(pos);
    case 1: return formatPlain(mCatalogue.qtyAt(pos));
    case 2: return mCatalogue.at(pos).listUnit();
    default: return formatCurrency(mCatalogue.priceAt(pos));
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
