#include "core/Databases.h"
#include "support/TestEnv.h"

#include <QDir>
#include <QFile>

using namespace vm;
using namespace vm::test;

TEST(OpenFailure, MissingDatabaseFolderIsReportedAndNothingIsCreated) {
    TestEnv env;
    env.ctx->start.postgres.clear();
    env.ctx->start.databaseFolder = env.root() + "/no/such/folder/";
    const int rc = env.open();
    EXPECT_EQ(rc, 3044);
    EXPECT_TRUE(env.prompt.sawPart("Occurred at:  OpenDatabase of Module modWhereDB"));
    const QString message = OpenFailureMessage(*env.ctx, rc);
    EXPECT_TRUE(message.startsWith("Could Not Open the ARCHIVE Database at " + env.root() +
                                   "/no/such/folder/\n\n\nPlease contact your Help Desk"));
    EXPECT_TRUE(message.contains("The Error Number is: 3044\n"));
    EXPECT_FALSE(QDir(env.root() + "/no").exists());
}

TEST(OpenFailure, DamagedFileAsksForRepairAndIsLeftAsItWas) {
    TestEnv env;
    env.ctx->start.postgres.clear();
    const QString file = env.databaseFolder() + "VelmP.db";
    {
        QFile f(file);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(QByteArray(4096, 'x'));
    }
    const int rc = env.open();
    EXPECT_EQ(rc, 3343);
    EXPECT_EQ(
        OpenFailureMessage(*env.ctx, rc),
        "        Your CURRENT Database needs to be Repaired.\n"
        "================================\n\n"
        "Please Launch The Vm Maintenance program\nto Repair and Compact your CURRENT Database");
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray(4096, 'x'));
}

TEST(OpenFailure, ReadOnlyLocalCopyIsUsedWhenTheServerCopyFails) {
    TestEnv env;
    env.ctx->start.postgres.clear();
    // A good copy beside the program, a damaged-path server folder.
    env.ctx->start.databaseFolder = env.root() + "/copy/";
    QDir().mkpath(env.ctx->start.databaseFolder);
    ASSERT_EQ(env.open(), 0);
    CloseDatabase(*env.ctx);
    ASSERT_TRUE(QFile::copy(env.root() + "/copy/VelmP.db",
                            env.ctx->workstation.programFolder + "/VelmP.db"));
    env.ctx->start.databaseFolder = env.root() + "/server/gone/";
    env.prompt.clear();
    ASSERT_EQ(env.open(), 0);
    EXPECT_TRUE(env.ctx->start.localBackup);
    EXPECT_FALSE(env.ctx->start.writable);
    EXPECT_TRUE(env.prompt.saw("Could Not Open " + env.root() +
                               "/server/gone/VelmP.MDB.\n\n"
                               "Will open the Local Database for READ-ONLY access.  Thank you."));
    EXPECT_THROW(env.db().exec("UPDATE [Authorization] SET [MapName] = 'x'"), DbError);
}

TEST(OpenFailure, UnreachableServerGivesAClearMessage) {
    TestEnv env;
    env.ctx->start.postgres = "host=127.0.0.1 port=1 user=nobody dbname=velmora connect_timeout=2";
    env.ctx->start.postgresSchemaPrefix.clear();
    const int rc = env.open();
    EXPECT_NE(rc, 0);
    EXPECT_TRUE(
        OpenFailureMessage(*env.ctx, rc).startsWith("Could Not Open the ARCHIVE Database at"));
    EXPECT_TRUE(env.prompt.sawPart("Occurred at:  OpenDatabase of Module modWhereDB"));
}

TEST(OpenFailure, CommonDatabaseThatCannotBeOpenedStopsTheStart) {
    TestEnv env;
    env.openOrFail();
    env.db().exec("UPDATE [Authorization] SET [FutureB4] = ?, [ContactsLocation] = ?",
                  {true, env.root() + "/nowhere/common"});
    CloseDatabase(*env.ctx);
    if (UsingPostgres())
        env.ctx->start.postgres = "host=127.0.0.1 port=1 user=nobody connect_timeout=2";
    const int rc = OpenDatabase(*env.ctx);
    if (UsingPostgres()) {
        EXPECT_NE(rc, 0);
        return;
    }
    EXPECT_EQ(rc, 9411);
    EXPECT_EQ(OpenFailureMessage(*env.ctx, rc),
              "\n\nCould Not Open the Common Contacts Database at " + env.root() +
                  "/nowhere/common.  Please verify the path and rerun the enabler program. "
                  "\n\nThank you.");
}

TEST(OpenFailure, ServerThatRefusesTheUserGivesTheNoRightsMessage) {
    TestEnv env;
    QStringList keywords;
    for (const auto& [k, v] : parseConnInfo(PgConnInfo()))
        keywords << (k == "user" ? QString("user=no_such_desk_user") : k + "=" + v);
    env.ctx->start.postgres = keywords.join(' ');
    const int rc = env.open();
    EXPECT_EQ(rc, 3051);
    ASSERT_GE(env.prompt.shown.size(), 2);
    EXPECT_TRUE(env.prompt.last().startsWith(
        "We cannot open the database.  There is an opportunity with the security settings on "
        "your server (Users MUST have ALL rights) OR the database is already opened for exclusive "
        "use (Purge and/or Repair and Compact) OR the database has the READ-ONLY attribute set as "
        "True.\n\nFile Location: "));
    EXPECT_EQ(env.prompt.shown.last().icon, Icon::Critical);
    EXPECT_TRUE(OpenFailureMessage(*env.ctx, rc).contains("The Error Number is: 3051"));
}
