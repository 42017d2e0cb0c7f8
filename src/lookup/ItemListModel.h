#pragma once

#include <QAbstractTableModel>
#include <vector>

namespace vanta::lookup {

class ItemCatalogue;

// The finder's list of all items (`lvAll`): "Item Name", "QTY", "UOM",
// "Price", a check box on each row. Rows are catalogue positions, so a list
// of the whole store costs five bytes a row, makes texts only for the rows
// painted, and sorting moves positions, never items.
class ItemListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ItemListModel(const ItemCatalogue &catalogue, QObject *parent = nullptr);

    // Every item that is not hidden (with stock above 0 when asked), in the
    // order of sort column 1..4 and "ASC" or "DESC"; ticks are cleared.
    void fill(bool inStockOnly, int sortColumn, bool descending);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

    // The catalogue position of a row.
    int positionAt(int row) const { return mRows[size_t(row)]; }
    // Ticked rows in list order.
    std::vector<int> checkedRows() const;
    void uncheckAll();

private:
    const ItemCatalogue &mCatalogue;
    std::vector<int> mRows;
    std::vector<char> mChecked; // by row
};

} // namespace vanta::lookup
