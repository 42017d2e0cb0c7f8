#pragma once

#include <QtGlobal>

namespace vanta::db {
class Store;
}

namespace vanta::security {

// The permission flags of one employee. Setting the employee number loads
// the flags from `Permissions`; an employee without a row has every flag false.
class clsPermissions {
public:
    clsPermissions() = default;
    clsPermissions(db::Store &store, qint32 employeeId) { setEmployeeID(store, employeeId); }

    qint32 EmployeeID() const { return mEmployeeID; }
    void setEmployeeID(db::Store &store, qint32 employeeId);

    bool SalesRelated() const { return mSalesRelated; }
    bool AddItems() const { return mAddItems; }
    bool EditItems() const { return mEditItems; }
    bool DownloadSales() const { return mDownloadSales; }
    bool DeleteItems() const { return mDeleteItems; }
    bool SellItems() const { return mSellItems; }
    bool AddCustomers() const { return mAddCustomers; }
    bool EditCustomers() const { return mEditCustomers; }
    bool DeleteCustomers() const { return mDeleteCustomers; }
    bool AddOwners() const { return mAddOwners; }
    bool EditOwners() const { return mEditOwners; }
    bool DeleteOwners() const { return mDeleteOwners; }
    bool EditCompanyInfo() const { return mEditCompanyInfo; }
    bool EditEmployees() const { return mEditEmployees; }
    bool SetupWeb() const { return mSetupWeb; }
    bool UploadFiles() const { return mUploadFiles; }
    bool DatabaseUtilities() const { return mDatabaseUtilities; }
    bool ImportInfo() const { return mImportInfo; }

private:
    qint32 mEmployeeID = 0;
    bool mSalesRelated = false, mAddItems = false, mEditItems = false, mDownloadSales = false,
         mDeleteItems = false, mSellItems = false, mAddCustomers = false, mEditCustomers = false,
         mDeleteCustomers = false, mAddOwners = false, mEditOwners = false, mDeleteOwners = false,
         mEditCompanyInfo = false, mEditEmployees = false, mSetupWeb = false, mUploadFiles = false,
         mDatabaseUtilities = false, mImportInfo = false;
};

} // namespace vanta::security
