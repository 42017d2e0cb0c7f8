#pragma once

#include "customers/CustomerRecords.h"

#include <QAbstractTableModel>

namespace vanta::customers {

// The customer list of the customer form (`lsvCustomers`): "Name",
// "Balance", "Available Credit", one row per customer held in a plain
// vector, so a store of tens of thousands of customers shows at once.
class CustomerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, BalanceColumn, AvailableColumn, ColumnCount };
    static constexpr int IdRole = Qt::UserRole; // the row's tag: `Cust ID`

    using QAbstractTableModel::QAbstractTableModel;
    void setRows(std::vector<CustomerRow> rows);
    const std::vector<CustomerRow> &rows() const { return mRows; }
    // The row of a customer, -1 when not listed.
    int rowOf(qint32 custId) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<CustomerRow> mRows;
};

} // namespace vanta::customers
