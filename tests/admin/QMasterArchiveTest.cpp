// The archive comparison, the schema listing and the date refresh.

#include "admin/QMasterFixture.h"
#include "core/Formats.h"

#include <QFile>

namespace vm::test {
namespace {

using QMasterArchive = QMasterFixture;

TEST_F(QMasterArchive, ComparisonListsEntriesInBothAndDeletesOnlyTheArchiveCopies) {
    for (const qint64 id : {1, 2, 3, 5})
        entry(env.db(), id);
    for (const qint64 id : {2, 3, 4, 5}) {
        entry(archive(), id);
        text(archive(), id, 2);
    }
    QList<qint64> both;
    QStringList out;
    ASSERT_TRUE(master.findInBothLogbooks(both, out));
    EXPECT_EQ(out, QStringList({"2", "3", "5", "3 Found"}));

    env.prompt.answer(Answer::No);
    out.clear();
    EXPECT_TRUE(master.deleteArchiveCopies(both, out));
    EXPECT_EQ(count(archive(), "SELECT COUNT(*) FROM [LogBook]"), 4);

    // Entry 5 left the current logbook since the comparison: its archive copy stays.
    env.db().exec("DELETE FROM [LogBook] WHERE [LogID] = 5");
    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(master.deleteArchiveCopies(both, out));
    EXPECT_EQ(out, QStringList({"Logbook Entries for Key: 2 were deleted.",
                                "Logbook Entries for Key: 3 were deleted."}));
    EXPECT_EQ(count(archive(), "SELECT COUNT(*) FROM [LogBook]"), 2);
    EXPECT_EQ(count(archive(), "SELECT COUNT(*) FROM [LogText]"), 4);
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook]"), 3);
}

TEST_F(QMasterArchive, SchemaListingWritesTheDeclaredTablesOfTheChosenDatabase) {
    const QString path = master.writeSchemaListing();
    ASSERT_FALSE(path.isEmpty());
    EXPECT_TRUE(path.endsWith("/Tables.csv"));
    EXPECT_TRUE(env.prompt.saw("Table.csv has been created"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString written = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(written.startsWith("TableDef: "));
    EXPECT_TRUE(written.contains("TableDef: LogText\r\n"
                                 "    Field.Name - Field.Type - Field.Size\r\n"
                                 "    LogID - Long - 0\r\n"
                                 "    Sequence - Long - 0\r\n"
                                 "    NoteField - Text - 255\r\n"));
    EXPECT_TRUE(written.contains("    Restricted - Boolean - 0\r\n"));
    EXPECT_FALSE(written.contains("sqlite", Qt::CaseInsensitive));
    EXPECT_FALSE(master.tables().contains("sqlite_sequence"));

    // The archive holds fewer tables.
    ASSERT_TRUE(master.chooseArchive(true));
    EXPECT_TRUE(master.tables().contains("LogBook"));
    EXPECT_FALSE(master.tables().contains("MsgTimer"));
}

TEST_F(QMasterArchive, DateRefreshStartsFromTheOldestValidReferenceDate) {
    env.clock.set(QDateTime(QDate(2026, 3, 14), QTime(9, 0)));
    entry(env.db(), 1, " ");
    entry(env.db(), 2, "0000/xx/01");
    entry(env.db(), 3, "2026/03/04");
    entry(env.db(), 4, "2026/03/10");

    env.prompt.answer(Answer::No);
    EXPECT_TRUE(master.refreshDates());
    EXPECT_TRUE(env.prompt.sawPart("move forward by 10 days"));
    EXPECT_EQ(count("SELECT COUNT(*) FROM [LogBook] WHERE [ReferDate] = '2026/03/04'"), 1);

    env.prompt.answer(Answer::Yes);
    EXPECT_TRUE(master.refreshDates());
    EXPECT_EQ(env.prompt.last(), "All Logbook, Event, Group, Rental, Reservation and Daily Diary "
                                 "Dates have been incremented by 10 days.");
    EXPECT_EQ(env.db().scalar("SELECT [ReferDate] FROM [LogBook] WHERE [LogID] = 3").toString(),
              "2026/03/14");
    EXPECT_EQ(env.db().scalar("SELECT [ReferDate] FROM [LogBook] WHERE [LogID] = 1").toString(),
              " ");

    EXPECT_TRUE(master.refreshDates());
    EXPECT_EQ(env.prompt.last(), "All Dates are current and will not be changed.");
}

} // namespace
} // namespace vm::test
