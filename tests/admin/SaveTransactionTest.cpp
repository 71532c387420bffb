#include "core/SaveTransaction.h"
#include "core/DbError.h"
#include "tests/admin/AdminTestSupport.h"

namespace {

class SaveTransactionTest : public AdminTest {};

TEST_F(SaveTransactionTest, AFailingOrIdleStatementRollsBackTheWhole) {
    failWhen("INSERT", "manage_role", "NEW.name = 'boom'");
    const QString roles = value("select count(*) from manage_role");
    struct Case {
        QString second; // the statement after a good insert
        QVariantList params;
        QString description; // of the DbError
        int boxes;           // messages of the data-access object
    };
    const QList<Case> cases{
        {"insert into manage_role (name) values (?)", {"boom"}, "injected", 1},
        {"update manage_role set name=? where mrid=?", {"x", 99999}, "没有找到要修改的记录", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.description.toStdString());
        try {
            SaveTransaction writes(db);
            writes.exec("insert into manage_role (name) values (?)", {"fine"});
            EXPECT_GT(writes.lastInsertID(), 0);
            writes.exec(c.second, c.params);
            ADD_FAILURE() << "no error";
        } catch (const DbError& error) {
            EXPECT_EQ(error.description(), c.description);
        }
        EXPECT_EQ(messages.messages().size(), c.boxes);
        EXPECT_EQ(value("select count(*) from manage_role"), roles);
        messages.clear();
    }

    // A statement allowed to change nothing, and a scope left without commit.
    {
        SaveTransaction writes(db);
        writes.exec("delete from manage_role where mrid=?", {99999}, SaveTransaction::Rows::Any);
        writes.exec("insert into manage_role (name) values (?)", {"kept"});
        writes.commit();
    }
    {
        SaveTransaction writes(db);
        writes.exec("insert into manage_role (name) values (?)", {"dropped"});
    }
    EXPECT_EQ(column("select name from manage_role where name in ('kept','dropped')"), QStringList{"kept"});
}

} // namespace
