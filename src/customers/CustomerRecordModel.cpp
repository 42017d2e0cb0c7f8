#include "customers/CustomerRecordModel.h"

#include "db/Schema.h"
#include "db/Store.h"

#include <algorithm>

namespace vanta::customers {

namespace {
const QString kTable = QStringLiteral("Customers");

// Null and empty text are the same to a field control.
bool sameValue(const QVariant &a, const QVariant &b)
{
    const bool aEmpty = a.isNull() || (a.typeId() == QMetaType::QString && a.toString().isEmpty());
    const bool bEmpty = b.isNull() || (b.typeId() == QMetaType::QString && b.toString().isEmpty());
    if (aEmpty || bEmpty)
        return aEmpty == bEmpty;
    if (a.typeId() == QMetaType::QString || b.typeId() == QMetaType::QString)
        return a.toString() == b.toString();
    return a == b;
}
} // namespace

CustomerRecordModel::CustomerRecordModel(db::Store &store, QObject *parent)
    : QAbstractTableModel(parent), mStore(store)
{
    db::Connection &conn = mStore.database().connection();
    mColumns = conn.tableColumns(kTable);
    for (const QString &c : mColumns)
        mBoolean.push_back(db::columnTypeFromDeclared(conn.columnType(kTable, c)) == db::ColumnType::Boolean);
    mDirty.assign(size_t(mColumns.size()), false);
}

bool CustomerRecordModel::moveTo(qint32 custId)
{
    save();
    beginResetModel();
    mHasRecord = false;
    mValues.clear();
    db::Recordset rs = mStore.database().openQuery(
        QStringLiteral("SELECT * FROM Customers WHERE \"Cust ID\" = ?"), {custId});
    if (!rs.eof()) {
        for (const QString &c : mColumns)
            mValues << rs.field(c);
        mHasRecord = true;
        mCustId = custId;
    }
    mDirty.assign(size_t(mColumns.size()), false);
    endResetModel();
    return mHasRecord;
}

void CustomerRecordModel::clear()
{
    beginResetModel();
    mHasRecord = false;
    mValues.clear();
    mDirty.assign(size_t(mColumns.size()), false);
    endResetModel();
}

int CustomerRecordModel::column(const QString &name) const
{
    for (int i = 0; i < mColumns.size(); ++i)
        if (mColumns[i].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

QVariant CustomerRecordModel::value(const QString &name) const
{
    const int c = column(name);
    return mHasRecord && c >= 0 ? mValues[c] : QVariant();
}

bool CustomerRecordModel::setValue(const QString &name, const QVariant &value)
{
    return setData(index(0, column(name)), value);
}

bool CustomerRecordModel::isBooleanColumn(int col) const { return mBoolean[size_t(col)]; }

void CustomerRecordModel::save()
{
    if (!mHasRecord || !dirty())
        return;
    QStringList sets;
    QVariantList params;
    for (int i = 0; i < mColumns.size(); ++i) {
        if (!mDirty[size_t(i)])
            continue;
        sets << db::quoteIdentifier(mColumns[i]) + QStringLiteral(" = ?");
        params << mValues[i];
    }
    params << mCustId;
    db::Connection &conn = mStore.database().connection();
    db::Transaction tx(conn);
    conn.execute(QStringLiteral("UPDATE Customers SET %1 WHERE \"Cust ID\" = ?").arg(sets.join(QStringLiteral(", "))),
                 params);
    tx.commit();
    mDirty.assign(size_t(mColumns.size()), false);
}

bool CustomerRecordModel::dirty() const
{
    return std::find(mDirty.begin(), mDirty.end(), true) != mDirty.end();
}

int CustomerRecordModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() || !mHasRecord ? 0 : 1;
}

int CustomerRecordModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(mColumns.size());
}

QVariant CustomerRecordModel::data(const QModelIndex &index, int role) const
{
    if (!mHasRecord || !index.isValid() || index.row() != 0 || index.column() >= mColumns.size())
        return {};
    if (role != Qt::DisplayRole && role != Qt::EditRole)
        return {};
    const QVariant &v = mValues[index.column()];
    if (isBooleanColumn(index.column()))
        return db::asBool(v);
    return v.isNull() ? QVariant(QString()) : v;
}

bool CustomerRecordModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!mHasRecord || !index.isValid() || index.row() != 0 || role != Qt::EditRole)
        return false;
    const int c = index.column();
    QVariant stored = value;
    if (isBooleanColumn(c)) {
        if (db::asBool(mValues[c]) == value.toBool())
            return true;
        stored = value.toBool() ? 1 : 0;
    } else if (sameValue(mValues[c], value)) {
        return true;
    }
    mValues[c] = stored;
    mDirty[size_t(c)] = true;
    emit dataChanged(index, index);
    return true;
}

Qt::ItemFlags CustomerRecordModel::flags(const QModelIndex &index) const
{
    return QAbstractTableModel::flags(index) | Qt::ItemIsEditable;
}

} // namespace vanta::customers
