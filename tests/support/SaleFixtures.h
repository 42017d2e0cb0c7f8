#pragma once

#include "db/Database.h"
#include "diagnostics/Trace.h"
#include "support/TempStore.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace vanta::test {

// One row written through the record layer (values converted to the column
// types); unnamed columns stay null.
inline void insertRow(const db::Database &db, const QString &table, const QStringList &columns,
                      const QVariantList &values)
{
    auto rs = db.openTable(table);
    rs.addNew();
    for (int i = 0; i < columns.size(); ++i)
        rs.setField(columns[i], values[i]);
    rs.update();
}

// A stored value as text, a flag as 1 or 0 on either store engine (the
// server store keeps flags as booleans).
inline QString valueText(const QVariant &v)
{
    return v.typeId() == QMetaType::Bool ? QString::number(int(v.toBool())) : v.toString();
}

// The rows of a query, a line each, the values apart by blanks (null as
// nothing): a query's rows checked in one comparison.
inline std::string queryRows(const db::Database &db, const QString &sql, const QVariantList &params = {})
{
    QStringList out;
    for (db::Recordset rs = db.openQuery(sql, params); !rs.eof(); rs.moveNext()) {
        QStringList values;
        for (int i = 0; i < rs.fieldCount(); ++i)
            values << valueText(rs.field(i));
        out << values.join(' ');
    }
    return out.join('\n').toStdString();
}

struct ItemRow {
    qint32 index = 0;
    float listPrice = 0;
    bool bulk = false;
    qint32 formatId = 0;
    double qty = 0;
    bool track = false;
};

inline void addItem(const db::Database &db, const ItemRow &r)
{
    insertRow(db, "Items", {"Item Index", "Name", "LIST PRICE", "bulkdiscount", "FormatID", "qty", "QuantityTrack"},
              {r.index, QStringLiteral("Item %1").arg(r.index), r.listPrice, r.bulk, r.formatId, r.qty, r.track});
}

inline void addSubItem(const db::Database &db, qint32 id, qint32 itemId, qint32 value1 = 0, qint32 value2 = 0,
                       qint32 value3 = 0, double quantity = 0)
{
    insertRow(db, "Subitems", {"SubItemID", "ItemID", "valueid1", "valueid2", "valueid3", "quantity"},
              {id, itemId, value1, value2, value3, quantity});
}

inline void addValue(const db::Database &db, qint32 id, float charge)
{
    insertRow(db, "Values", {"ValueID", "additionalcharge"}, {id, charge});
}

inline void addFormat(const db::Database &db, qint32 id, float increment)
{
    insertRow(db, "Format", {"FormatID", "Name", "Increment"}, {id, QStringLiteral("F%1").arg(id), increment});
}

inline void addLevel(const db::Database &db, qint32 itemIndex, float max, float price)
{
    insertRow(db, "BulkLevelPricing", {"Item Index", "Max", "LIST PRICE"}, {itemIndex, max, price});
}

// Price levels of an item as {max, price}, stored in the order given.
inline void addLevels(const db::Database &db, qint32 itemIndex, std::initializer_list<std::pair<float, float>> levels)
{
    for (const auto &[max, price] : levels)
        addLevel(db, itemIndex, max, price);
}

inline int levelRowCount(const db::Database &db, qint32 itemIndex)
{
    return db.scalar("SELECT count(*) FROM \"BulkLevelPricing\" WHERE \"Item Index\" = ?", {itemIndex}).toInt();
}

// A test against its own empty store, with the procedure trace at its start
// state (trapping off, so failures reach the test).
class SaleStoreTest : public ::testing::Test {
protected:
    void SetUp() override { diag::Trace::instance().reset(); }
    void TearDown() override { diag::Trace::instance().reset(); }
    db::Store &store() { return *ts.store; }
    const db::Database &db() const { return ts.db(); }

    TempStore ts;
};

} // namespace vanta::test
