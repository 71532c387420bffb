// The parent-linked tables (customer types, departments): new keys, parents and the walk up the
// parents that refuses a move below itself.
#include "core/TreeTable.h"
#include "core/DbError.h"
#include "tests/fixtures/TestDatabase.h"

#include <gtest/gtest.h>

TEST(TreeTable, KeysParentsAndTheWalkUpStopAtLoopsAndMissingRows) {
    TestDatabase t;
    clsMDB& db = t.db();
    ASSERT_TRUE(db.ExecSQL("delete from manage_dept"));
    const TreeTable depts(db, "manage_dept", "mdid");
    EXPECT_EQ(depts.nextKey(), 1);

    // 1 <- 2 <- 3; 4 below a missing row; 5 and 6 each other's parent.
    ASSERT_TRUE(db.ExecSQL("insert into manage_dept (mdid,name,description,pid) values (1,'A','a',0),"
                           "(2,'B','b',1),(3,'C','c',2),(4,'D','d',99),(5,'E','e',6),(6,'F','f',5)"));
    EXPECT_EQ(depts.nextKey(), 7);
    EXPECT_EQ(depts.parentOf(3), 2);
    EXPECT_EQ(depts.parentOf(42), 0);

    const struct {
        qint64 row, ancestor;
        bool within;
    } cases[] = {{3, 1, true}, {3, 3, true},  {1, 3, false}, {4, 1, false},
                 {5, 6, true}, {5, 1, false}, {0, 0, false}};
    for (const auto& c : cases)
        EXPECT_EQ(depts.isWithin(c.row, c.ancestor), c.within) << c.row << " in " << c.ancestor;

    // The same on the customer types, keyed by etid.
    const TreeTable types(db, "customer_type", "etid");
    EXPECT_GT(types.nextKey(), 0);
    EXPECT_THROW(TreeTable(db, "no_such_table", "id").nextKey(), DbError);
}
