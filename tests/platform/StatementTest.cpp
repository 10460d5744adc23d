// How statements run and rows are read: kept statements, rows streamed from a
// running statement, and what a read leaves behind on the connection.

#include "platform/Database.h"
#include "support/TestEnv.h"

#include <QSqlDatabase>
#include <QSqlQuery>

using namespace vm;
using namespace vm::test;

namespace {

void addOther(Database& db, const QString& type, const QVariant& value) {
    db.exec("INSERT INTO [Other] ([OtherType], [OtherValue]) VALUES (?, ?)", {type, value});
}

const QString ValuesOfType =
    "SELECT [OtherValue], [OtherID] FROM [Other] WHERE [OtherType] = ? ORDER BY [OtherID]";

// A write by another desk on the same SQLite file that does not wait for locks.
bool otherDeskWrites(const Database& db) {
    const QString name = "other-desk";
    bool written = false;
    {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", name);
        other.setDatabaseName(db.location().file);
        other.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        if (other.open()) {
            QSqlQuery write(other);
            written = write.exec("INSERT INTO \"Other\" (\"OtherType\", \"OtherValue\") VALUES "
                                 "('Desk', 'other desk')");
            write.finish();
            other.close();
        }
    }
    QSqlDatabase::removeDatabase(name);
    return written;
}

} // namespace

TEST(Statements, StreamedCollectedAndCopiedRowsReadTheSame) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const QVariantList values = {QString("Zoë's \"room\" 12"), QString(" "), QVariant(),
                                 QString("x").repeated(600)};
    for (const QVariant& v : values)
        addOther(db, "Mix", v);

    const std::vector<Row> collected = db.query(ValuesOfType, {"Mix"});
    std::vector<Row> copied; // rows kept from inside the stream outlive the step
    int streamed = 0;
    db.forEach(ValuesOfType, {"Mix"}, [&](const Row& r) {
        EXPECT_EQ(r.value("OtherValue"), collected[size_t(streamed)].value("OtherValue"));
        EXPECT_EQ(r.text(0), collected[size_t(streamed)].text("othervalue"));
        copied.push_back(r);
        ++streamed;
        return true;
    });
    ASSERT_EQ(collected.size(), size_t(values.size()));
    ASSERT_EQ(streamed, int(values.size()));
    for (int i = 0; i < values.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(copied[size_t(i)].text("OtherValue"), values[i].toString());
        EXPECT_EQ(copied[size_t(i)].isNull("OtherValue"), values[i].isNull());
        EXPECT_EQ(copied[size_t(i)].number("OtherID"), collected[size_t(i)].number("OtherID"));
    }
    // Names are found whatever their case; an unknown one is an error.
    EXPECT_EQ(collected[0].indexOf("OTHERVALUE"), 0);
    EXPECT_EQ(collected[0].name(1).toLower(), "otherid");
    EXPECT_THROW(collected[0].text("Nothing"), DbError);
}

TEST(Statements, AStatementInsideAStreamRunsOrIsRefusedNeverCutsTheStreamShort) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    for (const char* v : {"a", "b", "c"})
        addOther(db, "Nest", QString(v));
    QStringList pairs;
    auto nested = [&] {
        db.forEach(ValuesOfType, {"Nest"}, [&](const Row& outer) {
            for (const Row& inner : db.query(ValuesOfType, {"Nest"}))
                pairs << outer.text("OtherValue") + inner.text("OtherValue");
            return true;
        });
    };
    if (UsingPostgres()) {
        // The server's stream occupies the connection: refused, not silently cut.
        EXPECT_THROW(nested(), DbError);
        EXPECT_TRUE(pairs.isEmpty());
    } else {
        nested();
        EXPECT_EQ(pairs, QStringList({"aa", "ab", "ac", "ba", "bb", "bc", "ca", "cb", "cc"}));
    }
    // The statement and the connection are good for a plain run afterwards.
    EXPECT_EQ(db.query(ValuesOfType, {"Nest"}).size(), 3u);
}

TEST(Statements, HundredsOfDifferentStatementsLeaveARunningOneIntact) {
    // The statements a SQLite connection keeps (a server stream takes no others).
    TestEnv env;
    env.ctx->start.postgres.clear();
    env.openOrFail();
    Database& db = env.db();
    for (int i = 0; i < 5; ++i)
        addOther(db, "Many", QString::number(i));
    int outerRows = 0;
    db.forEach(ValuesOfType, {"Many"}, [&](const Row& r) {
        if (outerRows++ == 0) {
            // More distinct statement texts than a connection keeps.
            for (int n = 1; n <= 260; ++n) {
                const QString marks = QString("?, ").repeated(n).chopped(2);
                QVariantList ids;
                for (int k = 0; k < n; ++k)
                    ids << k;
                db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherID] IN (" + marks + ")", ids);
            }
        }
        EXPECT_EQ(r.text("OtherValue"), QString::number(outerRows - 1));
        return true;
    });
    EXPECT_EQ(outerRows, 5);
}

TEST(Statements, ColumnsAddedAfterAReadShowInTheNextRead) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    addOther(db, "Grow", QString("v"));
    const QString all = "SELECT * FROM [Other] WHERE [OtherType] = ?";
    ASSERT_FALSE(db.queryOne(all, {"Grow"})->has("Extra"));
    db.exec("ALTER TABLE [Other] ADD COLUMN [Extra] INTEGER");
    db.exec("UPDATE [Other] SET [Extra] = 7 WHERE [OtherType] = 'Grow'");
    const auto row = db.queryOne(all, {"Grow"});
    ASSERT_TRUE(row->has("Extra"));
    EXPECT_EQ(row->number("Extra"), 7);
    EXPECT_EQ(row->text("OtherValue"), "v");
}

TEST(Statements, WrongValueCountsAndBrokenStatementsRaiseErrors) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const struct {
        const char* sql;
        QVariantList params;
    } cases[] = {
        {"SELECT [OtherValue] FROM [Other] WHERE [OtherType] = ?", {}},
        {"SELECT [OtherValue] FROM [Other] WHERE [OtherType] = ?", {"a", "b"}},
        {"SELECT [OtherValue] FROM [NoSuchTable]", {}},
        {"SELECT FROM WHERE", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sql);
        EXPECT_THROW(db.query(c.sql, c.params), DbError);
        EXPECT_THROW(db.scalar(c.sql, c.params), DbError);
    }
    // A refused write keeps the engine's number on SQLite (a unique name twice).
    db.exec("INSERT INTO [LogType] ([LogType]) VALUES ('Twice')");
    try {
        db.exec("INSERT INTO [LogType] ([LogType]) VALUES ('Twice')");
        ADD_FAILURE() << "the second name was taken";
    } catch (const DbError& e) {
        EXPECT_EQ(e.number(), UsingPostgres() ? DbErrorNumber::General : 2067);
    }
    // The connection is fine afterwards.
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [LogType] WHERE [LogType] = ?", {"Twice"}).toInt(),
              1);
}

TEST(Statements, AReadBrokenOffHoldsNoLockOnTheFile) {
    // Another desk on the same file writes at once, without waiting: nothing of
    // the read stayed open.  The shared-file case, so always on SQLite.
    TestEnv env;
    env.ctx->start.postgres.clear();
    env.openOrFail();
    Database& db = env.db();
    for (int i = 0; i < 3; ++i)
        addOther(db, "Lock", QString::number(i));
    int seen = 0;
    db.forEach(ValuesOfType, {"Lock"}, [&](const Row&) { return ++seen < 2; });
    EXPECT_EQ(seen, 2);
    db.queryOne(ValuesOfType, {"Lock"}); // one row of several read

    EXPECT_TRUE(otherDeskWrites(db));
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = ?", {"Desk"}).toInt(), 1);
}

TEST(Statements, ASnapshotReadsUnderOneLockAndLetsItGoWhateverHappens) {
    // The reads of a snapshot keep the file locked against writers until it
    // ends, and not a moment longer, also when it ends in an error.
    TestEnv env;
    env.ctx->start.postgres.clear();
    env.openOrFail();
    Database& db = env.db();
    addOther(db, "Snap", QString("one"));
    int before = 0, after = 0;
    bool writtenInside = true;
    db.snapshot([&] {
        before = db.scalar("SELECT COUNT(*) FROM [Other]").toInt();
        writtenInside = otherDeskWrites(db);
        db.snapshot([&] { after = db.scalar("SELECT COUNT(*) FROM [Other]").toInt(); });
    });
    EXPECT_FALSE(writtenInside);
    EXPECT_EQ(after, before);
    EXPECT_TRUE(otherDeskWrites(db));

    EXPECT_THROW(db.snapshot([&] {
        db.scalar("SELECT COUNT(*) FROM [Other]");
        db.scalar("SELECT [x] FROM [NoSuchTable]");
    }),
                 DbError);
    EXPECT_TRUE(otherDeskWrites(db));
    // Inside a transaction a snapshot is part of it and sees its writes.
    int seen = 0;
    db.transaction([&] {
        addOther(db, "Snap", QString("two"));
        db.snapshot([&] {
            seen = db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'Snap'").toInt();
        });
    });
    EXPECT_EQ(seen, 2);
}

TEST(Statements, DatesAndFlagsAreStoredInTheOneFormTheirComparisonsNeed) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    const QDateTime at(QDate(2026, 3, 4), QTime(7, 8, 9));
    addOther(db, "When", at);
    addOther(db, "Day", QDate(2026, 3, 4));
    addOther(db, "Never", QDateTime());
    addOther(db, "Yes", true);

    // The stored text is what a date typed into a statement compares with.
    EXPECT_EQ(db.scalar("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'When'").toString(),
              "2026-03-04 07:08:09");
    EXPECT_EQ(db.scalar("SELECT COUNT(*) FROM [Other] WHERE [OtherType] = 'When' AND "
                        "[OtherValue] > '2026-03-04 07:08:08' AND [OtherValue] < '2026-03-04 08'")
                  .toInt(),
              1);
    EXPECT_EQ(db.scalar("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'Day'").toString(),
              "2026-03-04");
    EXPECT_TRUE(db.scalar("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'Never'").isNull());
    const auto when = db.queryOne("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'When'");
    ASSERT_TRUE(when);
    EXPECT_EQ(when->dateTime("OtherValue"), at);
    const QString yes =
        db.scalar("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = 'Yes'").toString();
    EXPECT_TRUE(yes == "1" || yes == "true") << yes.toStdString();
}
