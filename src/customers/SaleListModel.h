#pragma once

#include "customers/CustomerTransactions.h"

#include <QAbstractTableModel>
#include <optional>

namespace vanta::db {
class Store;
}

namespace vanta {

// The sales of the customer form's transaction list, one row each, read a
// page at a time: the newest first, the next page as the list is scrolled
// to its end.
class SaleListModel : public QAbstractTableModel {
public:
    static constexpr int kPage = 200;

    SaleListModel(db::Store &store, QObject *parent) : QAbstractTableModel(parent), mStore(store) {}
    // The customer's newest sales, at least `rows` of them when there are.
    void show(qint32 custId, size_t rows);
    const std::vector<customers::SaleSummary> &sales() const { return mSales; }
    qint32 custId() const { return mCustId; }

    bool canFetchMore(const QModelIndex &parent) const override { return !parent.isValid() && mNext; }
    void fetchMore(const QModelIndex &parent) override;
    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    void readPage(int limit);

    db::Store &mStore;
    qint32 mCustId = 0;
    std::vector<customers::SaleSummary> mSales;
    std::optional<customers::SaleCursor> mNext; // none: every sale is listed
};

} // namespace vanta
