#include "db/CompanySettings.h"

#include "db/DbError.h"
#include "db/KeptData.h"

#include <QHash>
#include <QStringList>

namespace vanta::db {

namespace {

struct CompanyRow {
    bool exists = false;
    QHash<QString, QVariant> byLowerName;
};

std::shared_ptr<const CompanyRow> readCompanyRow(Store &store)
{
    auto row = std::make_shared<CompanyRow>();
    Recordset rs = store.database().openTable(QStringLiteral("Company"));
    if (rs.eof())
        return row;
    row->exists = true;
    for (int i = 0; i < rs.fieldCount(); ++i) {
        const QString lower = rs.fieldName(i).toLower();
        if (!row->byLowerName.contains(lower))
            row->byLowerName.insert(lower, rs.field(i));
    }
    return row;
}

} // namespace

std::optional<QVariant> companySetting(Store &store, const QString &column)
{
    const std::shared_ptr<const CompanyRow> row = keptData<const CompanyRow>(
        store, QStringLiteral("db::CompanySettings"), {QStringLiteral("Company")}, [&] { return readCompanyRow(store); });
    if (!row->exists)
        return std::nullopt;
    const auto it = row->byLowerName.constFind(column.toLower());
    if (it == row->byLowerName.constEnd())
        throw DbError(ErrItemNotFound,
                      QStringLiteral("Item not found in this collection: field '%1' of table 'Company'.").arg(column));
    return *it;
}

} // namespace vanta::db
