#include "platform/Database.h"
#include "core/Databases.h"
#include "core/schema/Schema.h"
#include "platform/SingleInstance.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <thread>

using namespace vm;
using namespace vm::test;

TEST(Database, BracketedNamesBecomeTheEnginesQuotingOutsideLiterals) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const QString sql = db.translate("SELECT [Key] FROM [VmSettings] WHERE [Value] = '[x]'");
    EXPECT_TRUE(sql.endsWith("= '[x]'"));
    EXPECT_FALSE(sql.contains("[Key]"));
    // Reserved words work as names once bracketed.
    EXPECT_EQ(db.scalar("SELECT [DBUpdateLevel] FROM [Authorization]").toInt(),
              schema::CurrentLevel);
}

TEST(Database, ValuesTravelAsParametersAndComparisonsIgnoreCase) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const QString nasty = "O'Brien\"; DROP TABLE [Concierge]; --";
    const qint64 id = db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                {"Salutation", nasty}, "OtherID");
    EXPECT_GT(id, 0);
    EXPECT_EQ(db.scalar("SELECT [OtherValue] FROM [Other] WHERE [OtherID] = ?", {id}).toString(),
              nasty);
    EXPECT_TRUE(db.tableExists("Concierge"));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'SALUTATION'").toInt(),
              1);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherValue] LIKE 'o''brien%'").toInt(),
              1);
    // Keys come from the engine, one after the other.
    const qint64 next = db.insert("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)",
                                  {"Salutation", "Mr"}, "OtherID");
    EXPECT_GT(next, id);
}

TEST(Database, TransactionIsAllOrNothing) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    EXPECT_THROW(db.transaction([&] {
        db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('T', 'one')");
        db.transaction([&] {
            db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('T', 'two')");
        });
        db.exec("INSERT INTO [NoSuchTable] ([x]) VALUES (1)");
    }),
                 DbError);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'T'").toInt(), 0);
    EXPECT_FALSE(db.inTransaction());
    db.transaction(
        [&] { db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('T', 'x')"); });
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'T'").toInt(), 1);
}

TEST(Database, DatesBooleansAndNullsReadBackTheSameOnBothEngines) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const QDateTime when(QDate(2026, 5, 1), QTime(13, 45, 10));
    db.exec("UPDATE [Authorization] SET [NewBool01] = ?, [FutureT1] = ?", {true, QVariant()});
    auto row = db.queryOne("SELECT [NewBool01], [FutureT1], [NewBool02] FROM [Authorization]");
    EXPECT_TRUE(row->flag("NewBool01"));
    EXPECT_FALSE(row->flag("NewBool02"));
    EXPECT_TRUE(row->isNull("FutureT1"));
    EXPECT_EQ(row->text("FutureT1"), "");
    EXPECT_THROW(row->value("NoSuchColumn"), DbError);

    db.exec(
        "INSERT INTO [LogbookDeletedCC] ([LogbookID], [DeletedDate], [DeletedBy]) VALUES (?, ?, ?)",
        {7, when, "AA"});
    EXPECT_EQ(db.queryOne("SELECT [DeletedDate] FROM [LogbookDeletedCC]")->dateTime("DeletedDate"),
              when);
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [LogbookDeletedCC] WHERE [DeletedDate] < ?",
                        {when.addSecs(1)})
                  .toInt(),
              1);
}

TEST(Database, TwoDesksOnOneFileWaitForEachOther) {
    // The shared-file case: always on SQLite (a server arbitrates its own writers).
    TestEnv env;
    env.ctx->start.postgres.clear();
    env.openOrFail();
    const DbLocation where = env.db().location();
    // Desk 2 holds the write lock for a moment; desk 1's write waits instead of failing.
    std::thread desk2([where] {
        auto db = Database::open(where, false);
        db->transaction([&] {
            db->exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('D', 'desk 2')");
            QThread::msleep(400);
        });
    });
    QThread::msleep(100);
    QElapsedTimer t;
    t.start();
    env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('D', 'desk 1')");
    desk2.join();
    EXPECT_GE(t.elapsed(), 150);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'D'").toInt(), 2);
}

TEST(Database, ConnectionKeywordsAreParsed) {
    const auto kv =
        parseConnInfo("host=db.local port=5433 user=desk password='it''s x' service=vm");
    ASSERT_EQ(kv.size(), 5);
    EXPECT_EQ(kv[0], qMakePair(QString("host"), QString("db.local")));
    EXPECT_EQ(kv[4], qMakePair(QString("service"), QString("vm")));
}

TEST(SingleInstance, SecondStartRaisesTheFirst) {
    const QString key = "velmora-test-" + QString::number(QCoreApplication::applicationPid());
    SingleInstance first(key);
    ASSERT_TRUE(first.claim());
    int raised = 0;
    first.onRaiseRequest([&] { ++raised; });
    SingleInstance second(key);
    EXPECT_FALSE(second.claim());
    EXPECT_TRUE(second.raiseOther());
    for (int i = 0; i < 50 && raised == 0; ++i) {
        QCoreApplication::processEvents();
        QThread::msleep(10);
    }
    EXPECT_EQ(raised, 1);
}
