#include "sale/clsFormats.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::sale {

namespace {
const char *const kModule = "clsFormats";
}

clsFormats::clsFormats(db::Store &store)
{
    diag::run(kModule, "Class_Initialize", [&] {
        db::Recordset rs = store.ownConnection().openTable(QStringLiteral("Format"));
        for (; !rs.eof(); rs.moveNext()) {
            auto format = std::make_shared<clsFormat>();
            format->setFormat(rs.text(QStringLiteral("Format")));
            format->setDescription(rs.text(QStringLiteral("Description")));
            format->setFormatID(qint16(db::asLong(rs.field(QStringLiteral("FormatID")))));
            format->setName(rs.text(QStringLiteral("Name")));
            format->setIncrement(db::asSingle(rs.field(QStringLiteral("Increment"))));
            mCol.add(std::move(format));
        }
    });
}

int clsFormats::Count() const
{
    return diag::run(kModule, "Count", 0, [&] { return mCol.count(); });
}

clsFormats::Entry clsFormats::Item(int position) const
{
    return diag::run(kModule, "Item", Entry(), [&] { return mCol.item(position); });
}

} // namespace vanta::sale
