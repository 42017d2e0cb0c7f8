// The register's command for a backup of its store.
#include "register/RegisterActions.h"

#include "diagnostics/Trace.h"
#include "register/RegisterSession.h"

namespace vanta {

// A backup never changes the store: any cashier may ask for one.
void RegisterActions::backUpNow()
{
    diag::run("frmPOS", "mnuBackUpNow_Click", [&] { mStoreOpening.backups().backUpNow(mSession.storeOrNone()); });
}

} // namespace vanta
