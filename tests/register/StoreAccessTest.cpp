// What the register says about a store file that other accounts can read.
#include "register/RegisterFixture.h"

#include <QDir>
#include <sys/stat.h>

using namespace vanta;
using platform::Icon;

namespace {
class StoreAccess : public test::RegisterTest {};
} // namespace

// A store every account can read is named once, with the command that keeps
// it to its owner; the register goes on selling from it.
TEST_F(StoreAccess, AStoreEveryAccountCanReadIsSaidOnceInPlainWords)
{
    const QString file = db::Store::databaseFile(ts.path());
    ASSERT_EQ(::chmod(QFile::encodeName(ts.path()).constData(), 0755), 0);
    ASSERT_EQ(::chmod(QFile::encodeName(file).constData(), 0644), 0);
    open();
    ASSERT_EQ(prompt.count(), 1);
    EXPECT_EQ(prompt.requests()[0].text,
              "Every account on this computer can read the store database '" + file
                  + "', and with it your customers' names, addresses and balances.\n\n"
                    "To keep it to this account, run:\n\nchmod 600 '"
                  + file + "'*");
    EXPECT_EQ(prompt.requests()[0].icon, Icon::Exclamation);
    EXPECT_EQ(prompt.requests()[0].title, "Vanta! POS");
    EXPECT_TRUE(session.hasStore());
}
