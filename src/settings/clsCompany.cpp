#include "settings/clsCompany.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::settings {

clsCompany::clsCompany(db::Store &store) : mStore(store)
{
    Refresh(false);
}

void clsCompany::Refresh(bool allFields)
{
    diag::run("clsCompany", "Refresh", [&] {
        db::Database conn = mStore.ownConnection();
        db::Recordset rs = conn.openTable(QStringLiteral("Company"));
        if (rs.eof())
            return;
        mName = rs.text(QStringLiteral("Name"));
        for (QString *s : {&mAddress, &mCity, &mState, &mZip, &mFax, &mPhone, &mDescription})
            s->clear();
        // A null show flag counts as false.
        const auto shown = [&](const char *flag) { return allFields || db::asBool(rs.field(QLatin1String(flag))); };
        if (shown("Show Address"))
            mAddress = rs.text(QStringLiteral("Address"));
        if (shown("show city"))
            mCity = rs.text(QStringLiteral("City"));
        if (shown("show state"))
            mState = rs.text(QStringLiteral("state"));
        if (shown("show zip code"))
            mZip = rs.text(QStringLiteral("Zip Code"));
        if (shown("show phone"))
            mPhone = rs.text(QStringLiteral("Phone"));
        if (shown("show fax"))
            mFax = rs.text(QStringLiteral("Fax"));
        mEMAIL = rs.text(QStringLiteral("EMAIL"));
        mURL = rs.text(QStringLiteral("Web Page"));
        mLogo = rs.text(QStringLiteral("Logo"));
        if (!rs.field(QStringLiteral("Description")).isNull())
            mDescription = rs.text(QStringLiteral("Description"));
    });
}

} // namespace vanta::settings
