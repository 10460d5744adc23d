#include "platform/Database.h"
#include "core/Databases.h"
#include "core/schema/Schema.h"
#include "platform/MappedReads.h"
#include "platform/SingleInstance.h"
#include "support/TestEnv.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QThread>
#include <functional>
#include <future>
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
    std::promise<void> locked;
    std::thread desk2([where, &locked] {
        auto db = Database::open(where, false);
        db->transaction([&] {
            db->exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('D', 'desk 2')");
            locked.set_value();
            QThread::msleep(400); // the other desk's work while it holds the lock
        });
    });
    locked.get_future().wait();
    QElapsedTimer t;
    t.start();
    env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('D', 'desk 1')");
    desk2.join();
    EXPECT_GE(t.elapsed(), 150);
    EXPECT_EQ(env.db().scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'D'").toInt(), 2);
}

namespace {

// Two connections to the test's database: a desk that saves, and another desk.
struct TwoDesks {
    explicit TwoDesks(TestEnv& env) {
        const DbLocation where = env.db().location();
        desk = Database::open(where, false);
        other = Database::open(where, false);
        for (Database* db : {desk.get(), other.get()}) // fail fast instead of waiting 15 s
            if (db->engine() == Engine::SQLite)
                db->exec("PRAGMA busy_timeout = 200");
            else
                db->exec("SET lock_timeout = '2s'");
    }
    int rows(const QString& value) {
        return other
            ->scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'C' AND "
                     "[OtherValue] = ?",
                     {value})
            .toInt();
    }
    std::unique_ptr<Database> desk, other;
    bool otherReading = false; // the other desk holds an open read transaction
};

} // namespace

TEST(Database, FailedCommitRollsBackReleasesTheDatabaseAndReportsTheFailure) {
    TestEnv env;
    env.openOrFail();
    env.db().exec("CREATE TABLE [CommitParent] ([ID] INTEGER PRIMARY KEY)");
    env.db().exec("CREATE TABLE [CommitChild] ([ParentID] INTEGER REFERENCES [CommitParent] "
                  "([ID]) DEFERRABLE INITIALLY DEFERRED)");
    const bool pg = env.db().engine() == Engine::PostgreSQL;

    struct Case {
        const char* name;
        // Runs inside the desk's transaction, after its write, so that COMMIT fails.
        std::function<void(TwoDesks&)> spoil;
        bool deskUsableAfter;
    };
    const std::vector<Case> cases = {
        {"a deferred constraint is violated at COMMIT",
         [](TwoDesks& d) { d.desk->exec("INSERT INTO [CommitChild] ([ParentID]) VALUES (99)"); },
         true},
        pg ? Case{"the server ends the desk's connection",
                  [](TwoDesks& d) {
                      const QVariant pid = d.desk->scalar("SELECT pg_backend_pid()");
                      d.other->exec("SELECT pg_terminate_backend(?, 5000)", {pid});
                  },
                  false}
           : Case{"another desk holds a read lock, so COMMIT stays busy",
                  [](TwoDesks& d) {
                      d.other->exec("BEGIN");
                      d.other->scalar("SELECT COUNT(*) FROM [Other]");
                      d.otherReading = true;
                  },
                  true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TwoDesks d(env);
        env.db().exec("DELETE FROM [Other] WHERE [OtherType] = 'C'");
        env.db().exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('C', 'shared')");
        EXPECT_THROW(d.desk->transaction([&] {
            d.desk->exec("UPDATE [Other] SET [OtherValue] = 'desk' WHERE [OtherType] = 'C'");
            d.desk->exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('C', 'new')");
            c.spoil(d);
        }),
                     DbError);
        EXPECT_FALSE(d.desk->inTransaction());
        // Nothing of the desk's work stays, and the other desk writes the very row.
        EXPECT_NO_THROW(
            d.other->exec("UPDATE [Other] SET [OtherValue] = 'other' WHERE [OtherType] = 'C'"));
        if (d.otherReading) d.other->exec("COMMIT");
        EXPECT_EQ(d.rows("new"), 0);
        EXPECT_EQ(d.rows("other"), 1);
        if (!c.deskUsableAfter) continue;
        EXPECT_NO_THROW(d.desk->transaction([&] {
            d.desk->exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES ('C', 'again')");
        }));
        EXPECT_EQ(d.rows("again"), 1);
    }
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
    EXPECT_TRUE(QTest::qWaitFor([&] { return raised > 0; }, 2000));
    EXPECT_EQ(raised, 1);
}

TEST(Database, AFileOnALocalDiskIsReadThroughAMapAndAShareIsNot) {
    // The kinds of file system a share arrives through keep plain reads.
    for (unsigned long share : {0x6969UL, 0xFF534D42UL, 0xFE534D42UL, 0x517BUL, 0x65735546UL})
        EXPECT_TRUE(IsNetworkFileSystem(share)) << share;
    for (unsigned long local : {0xEF53UL /* ext4 */, 0x01021994UL /* tmpfs */,
                                0x9123683EUL /* btrfs */, 0x58465342UL /* xfs */})
        EXPECT_FALSE(IsNetworkFileSystem(local)) << local;
    EXPECT_FALSE(MappedReadsSafe("/no/such/folder/VelmP.db"));

    TestEnv env;
    env.openOrFail();
    if (env.db().engine() != Engine::SQLite) return; // a server reads its own files
    // The test's database sits in a local temporary folder.
    EXPECT_EQ(env.db().scalar("PRAGMA mmap_size").toLongLong(), MappedBytes);
}
