#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <QVariantList>
#include <vector>

namespace vanta::db {
class Store;
}

namespace vanta::customers {

// The record-bound view of the customer form: the current `Customers` record
// as a model of one row whose columns are the table's columns, so that a
// QDataWidgetMapper binds each field control to its column. Edits are kept
// until save() writes the changed columns (and only those) in one
// transaction; moving to another record saves first.
class CustomerRecordModel : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit CustomerRecordModel(db::Store &store, QObject *parent = nullptr);

    // Saves the current record, then loads the customer; false (and no
    // record) when there is none.
    bool moveTo(qint32 custId);
    // Forgets the current record without saving (after it was removed).
    void clear();
    bool hasRecord() const { return mHasRecord; }
    qint32 custId() const { return mCustId; }

    // The column's position by name in any case; -1 when there is none.
    int column(const QString &name) const;
    QVariant value(const QString &name) const;
    // Sets a column of the current record; false when there is no record or
    // no such column. A value equal to the stored one changes nothing.
    bool setValue(const QString &name, const QVariant &value);
    // Writes the changed columns of the current record.
    void save();
    bool dirty() const;

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;

private:
    bool isBooleanColumn(int col) const;

    db::Store &mStore;
    QStringList mColumns;
    std::vector<bool> mBoolean;
    bool mHasRecord = false;
    qint32 mCustId = 0;
    QVariantList mValues;
    std::vector<bool> mDirty;
};

} // namespace vanta::customers
