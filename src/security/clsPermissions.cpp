#include "security/clsPermissions.h"

#include "db/Store.h"
#include "diagnostics/Trace.h"

namespace vanta::security {

void clsPermissions::setEmployeeID(db::Store &store, qint32 employeeId)
{
    diag::run("clsPermissions", "EmployeeID_Let", [&] {
        *this = clsPermissions();
        mEmployeeID = employeeId;
        db::Recordset rs = store.ownConnection().openTable(QStringLiteral("Permissions"));
        rs.setIndex(QStringLiteral("Employee ID"));
        if (!rs.seek(employeeId))
            return;
        const auto flag = [&rs](const char *column) { return db::asBool(rs.field(QLatin1String(column))); };
        mAddItems = flag("Add Items");
        mEditItems = flag("Edit Items");
        mDeleteItems = flag("Delete Items");
        mSellItems = flag("Sell Items");
        mAddCustomers = flag("Add Customers");
        mEditCustomers = flag("Edit Customers");
        mDeleteCustomers = flag("Delete Customers");
        mAddOwners = flag("Add Owners");
        mEditOwners = flag("Edit Owners");
        mDeleteOwners = flag("Delete Owners");
        mEditCompanyInfo = flag("Edit Company Info");
        mEditEmployees = flag("Edit Employees");
        mSetupWeb = flag("Setup Web");
        mUploadFiles = flag("Upload Files");
        mDatabaseUtilities = flag("Perform Database Utilities");
        mImportInfo = flag("Import Info");
        mDownloadSales = flag("DownloadSales");
        mSalesRelated = flag("SalesRelated");
    });
}

} // namespace vanta::security
