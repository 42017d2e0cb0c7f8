#pragma once

#include "customers/CustomerRecords.h"

#include <QAbstractTableModel>

namespace vanta::customers {

// The customer list of the customer form (`lsvCustomers`): "Name",
// "Balance", "Available Credit", one row per customer. Only the numbers of
// the customers are read up front (from the index on name and number); the
// rows are read a block at a time as the list shows them, so that a store
// of a hundred thousand customers opens as quickly as a small one.
class CustomerTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column { NameColumn, BalanceColumn, AvailableColumn, ColumnCount };
    static constexpr int IdRole = Qt::UserRole; // the row's tag: `Cust ID`
    static constexpr int kBlock = 128;          // rows read at once

    explicit CustomerTableModel(db::Store &store, QObject *parent = nullptr);
    // Reads the list again: rows read before are read again when shown.
    void reload();
    qint32 idAt(int row) const { return mIds[size_t(row)]; }
    // The row of a customer, -1 when not listed.
    int rowOf(qint32 custId) const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const CustomerRow &rowAt(int row) const;

    db::Store &mStore;
    std::vector<qint32> mIds;
    // Blocks of kBlock rows; empty until first shown.
    mutable std::vector<std::vector<CustomerRow>> mBlocks;
};

} // namespace vanta::customers
