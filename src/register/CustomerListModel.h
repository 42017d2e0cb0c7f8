#pragma once

#include <QAbstractListModel>
#include <QList>

namespace vanta {

// The entries of the register's customer list ("Name - Phone", item data the
// `Cust ID`), held in plain lists so a store of thousands of customers loads
// and shows quickly.
class CustomerListModel : public QAbstractListModel {
    Q_OBJECT
public:
    struct Entry {
        QString text;
        qint32 id = 0;
    };

    using QAbstractListModel::QAbstractListModel;
    void setEntries(QList<Entry> entries);
    const QList<Entry> &entries() const { return mEntries; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;

private:
    QList<Entry> mEntries;
};

} // namespace vanta
