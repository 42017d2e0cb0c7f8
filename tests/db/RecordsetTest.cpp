#include "db/DbError.h"
#include "support/TempStore.h"

#include <gtest/gtest.h>

using namespace vanta;

TEST(Recordset, SeekAddEdit)
{
    test::TempStore ts;
    auto rs = ts.db().openTable("Items");
    rs.addNew();
    rs.setField("item index", 12);
    rs.setField("NAME", "Widget");
    rs.update();
    rs.setIndex("Item Index");
    EXPECT_TRUE(rs.seek(12));
    EXPECT_EQ(rs.text("name"), "Widget");
    EXPECT_FALSE(rs.seek(13));
    EXPECT_TRUE(rs.noMatch());
}
