// Who else can read the store file.
#include "register/StoreOpening.h"

#include "db/StoreFileMode.h"
#include "diagnostics/ApplicationTitle.h"
#include "register/RegisterSession.h"

#include <QDir>

namespace vanta {

// A store file that every account can read gives away its customers'
// names, addresses and balances: the key is the same for every store. Said
// once a run for each such file, with the command that closes it.
void StoreOpening::warnIfReadableByEveryone()
{
    if (mSession.store().onServer())
        return;
    const QString path = QDir::toNativeSeparators(mSession.store().filePath());
    if (mWarnedReadable.contains(path) || !db::readableByEveryone(path))
        return;
    mWarnedReadable.insert(path);
    mSession.prompt.message(
        QStringLiteral("Every account on this computer can read the store database '%1', and with it your "
                       "customers' names, addresses and balances.\n\nTo keep it to this account, run:\n\n"
                       "chmod 600 '%1'*")
            .arg(path),
        platform::Buttons::Ok, platform::Icon::Exclamation, applicationTitle());
}

} // namespace vanta
