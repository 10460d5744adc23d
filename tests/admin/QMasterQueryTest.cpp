// Select, duplicates and update queries: names come only from the schema,
// typed text only as bound values, reads cannot write.

#include "admin/QMasterFixture.h"
#include "core/TextLog.h"

#include <QFile>

namespace vm::test {
namespace {

using QMasterQueries = QMasterFixture;

QStringList sortedRows(QStringList lines) {
    const QString footer = lines.takeLast();
    lines.sort();
    return lines << footer;
}

TEST_F(QMasterQueries, DuplicatesListOnlyValuesOccurringTwice) {
    qint64 id = 1;
    for (const QVariant& by : {QVariant("AB"), QVariant("AB"), QVariant("CD"), QVariant("EF"),
                               QVariant("EF"), QVariant("EF"), QVariant(), QVariant()})
        entry(env.db(), id++, "2026/03/01", by);
    EXPECT_EQ(sortedRows(run(QueryKind::Duplicates, "LogBook", {"EnteredBy"})),
              QStringList({"AB, 2", "EF, 3", QueryMaster::Footer(2)}));
    EXPECT_EQ(master.lastKeys().keys.size(), 2);
}

TEST_F(QMasterQueries, TypedNamesThatAreNotInTheSchemaAreRefused) {
    entry(env.db(), 1);
    text(env.db(), 1);
    const QString drop = "LogText; DROP TABLE [LogBook]; --";
    QStringList out;
    master.run({QueryKind::Select, drop, {"LogID"}, {}, {}, {}}, out);
    master.run(
        {QueryKind::Select, "LogBook", {"LogID FROM [LogBook]; DELETE FROM [LogText]"}, {}, {}, {}},
        out);
    master.run({QueryKind::OrphanX,
                "LogText",
                {"LogID"},
                "LogBook p; DELETE FROM LogText; --",
                "LogID",
                {}},
               out);
    master.run({QueryKind::Update, "LogBook", {"EnteredBy = 'x', [Complete]"}, {}, {}, "1"}, out);
    EXPECT_TRUE(out.isEmpty());
    EXPECT_EQ(env.prompt.shown.size(), 4);
    EXPECT_TRUE(env.prompt.saw("There is no table " + drop + " in this database."));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook]"), 1);
}

TEST_F(QMasterQueries, UpdateBindsTheTypedValueAfterTheQuestion) {
    entry(env.db(), 1);
    entry(env.db(), 2);
    text(env.db(), 1);
    // Quotes, a semicolon, keywords and a column's name are only text.
    for (const QString& typed : {QString("x'); DELETE FROM [LogText]; --"), QString("EntryDate")}) {
        env.prompt.answer(Answer::Yes);
        const QStringList out = run(QueryKind::Update, "LogBook", {"EnteredBy"}, typed);
        EXPECT_EQ(out,
                  QStringList({"Update Query Completed Successfully", QueryMaster::Footer(2)}));
        EXPECT_TRUE(env.prompt.sawPart("in every row of LogBook: 2 rows will change."));
        EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = ?", {typed}), 2);
    }
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 1);
    QFile log(env.databaseFolder() + SharedLogName);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        QString::fromUtf8(log.readAll())
            .contains("MM updated LogBook.EnteredBy in the current database, 2 rows changed"));

    // Typed by the column: a number column takes numbers only; No changes nothing.
    env.prompt.clear();
    QStringList none;
    EXPECT_FALSE(
        master.run({QueryKind::Update, "LogBook", {"OpenTableID"}, {}, {}, "1; --"}, none));
    EXPECT_TRUE(env.prompt.sawPart("is not a whole number"));
    env.prompt.answer(Answer::No);
    EXPECT_TRUE(run(QueryKind::Update, "LogBook", {"OpenTableID"}, "42").isEmpty());
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [OpenTableID] = 42"), 0);
    env.prompt.answer(Answer::Yes);
    run(QueryKind::Update, "LogBook", {"OpenTableID"}, "42");
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [OpenTableID] = 42"), 2);

    // The untouched placeholder is no value; members who are not managers may not update.
    env.prompt.clear();
    EXPECT_TRUE(run(QueryKind::Update, "LogBook", {"EnteredBy"}, ValuePlaceholder).isEmpty());
    env.ctx->session.manager = false;
    EXPECT_TRUE(run(QueryKind::Update, "LogBook", {"EnteredBy"}, "ZZ").isEmpty());
    EXPECT_EQ(env.prompt.shown.size(), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [EnteredBy] = 'ZZ'"), 0);
}

TEST_F(QMasterQueries, ListedKeysAreRemovedAsBoundValues) {
    const QString odd = "O'Brien; DELETE FROM [LogText] WHERE 1=1; --";
    entry(env.db(), 1, "2026/03/01", odd);
    entry(env.db(), 2, "2026/03/01", odd);
    entry(env.db(), 3, "2026/03/01", "AD");
    text(env.db(), 3);
    run(QueryKind::Duplicates, "LogBook", {"EnteredBy"});

    QStringList out;
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(master.deleteListedKeys(out));
    EXPECT_TRUE(env.prompt.sawPart("Delete the 2 rows of LogBook whose EnteredBy is one of the 1 "
                                   "listed values?"));
    EXPECT_EQ(out, QStringList({"LogBook Entries for Key: " + odd + " were deleted."}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook]"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 1);
}

TEST_F(QMasterQueries, ReadOnlyRunsCannotWrite) {
    entry(env.db(), 1);
    text(env.db(), 1);
    EXPECT_THROW(RunReadOnly(env.db(), [&] { env.db().exec("DELETE FROM [LogText]"); }), DbError);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 1);
    // The connection writes again afterwards.
    text(env.db(), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogText]"), 2);
}

} // namespace
} // namespace vm::test
