#include "AdminFixture.h"
#include "core/Upgrade.h"
#include "core/schema/SchemaBuilder.h"

using namespace vm;
using namespace vm::test;

using AdminStatisticsTest = AdminTest;

namespace {
bool statisticsOfLogbook(Database& db) {
    return db
        .scalar("SELECT 1 FROM pg_statistic_ext WHERE stxname = 'st_logbook_complete_cancelled' "
                "AND stxnamespace = (SELECT oid FROM pg_namespace WHERE nspname = "
                "current_schema())")
        .isValid();
}
} // namespace

// A server judges "open entries" (neither complete nor cancelled) by the two
// columns together: a new property has their statistics, and a property made
// before them gets them at the next start.  SQLite has nothing to make.
TEST_F(AdminStatisticsTest, LogbookStatusColumnsHaveJointStatistics) {
    const schema::Table* logbook = schema::Registry::all().find("LogBook");
    ASSERT_NE(logbook, nullptr);
    if (!UsingPostgres()) {
        EXPECT_FALSE(schema::EnsureJointStatistics(db(), *logbook));
        RunEveryStartSteps(ctx());
        return;
    }
    EXPECT_TRUE(statisticsOfLogbook(db()));
    EXPECT_FALSE(schema::EnsureJointStatistics(db(), *logbook)); // there already

    db().exec("DROP STATISTICS st_logbook_complete_cancelled");
    ASSERT_FALSE(statisticsOfLogbook(db()));
    RunEveryStartSteps(ctx());
    EXPECT_TRUE(statisticsOfLogbook(db()));
}
