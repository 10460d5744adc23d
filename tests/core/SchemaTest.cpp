#include "core/schema/Schema.h"
#include "core/Databases.h"
#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

TEST(Schema, NewDatabaseHasEveryDeclaredTableAtTheCurrentLevel) {
    TestEnv env;
    env.openOrFail();
    EXPECT_EQ(StoredLevel(env.db()), schema::CurrentLevel);
    for (const schema::Table& t : schema::Registry::all().tables()) {
        if (!(t.stores & schema::Current)) continue;
        ASSERT_TRUE(env.db().tableExists(t.name)) << t.name.toStdString();
        for (const schema::Column& c : t.columns)
            EXPECT_TRUE(env.db().columnExists(t.name, c.name))
                << (t.name + "." + c.name).toStdString();
    }
}
