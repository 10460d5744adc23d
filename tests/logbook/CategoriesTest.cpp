#include "LogbookFixture.h"

#include "core/Settings.h"
#include "logbook/LogbookCounts.h"

using namespace vm;
using namespace vm::test;

class Categories : public LogbookFixture {};

TEST_F(Categories, AddRefusesBlankAndExistingNamesIgnoringCase) {
    category("Dining");
    EXPECT_EQ(CheckNewCategoryName(env.db(), "   "), MsgBlankCategory);
    EXPECT_EQ(CheckNewCategoryName(env.db(), "DINING"), MsgCategoryExists);
    EXPECT_EQ(CheckNewCategoryName(env.db(), "Spa"), "");
    // A rename may change only the spelling of its own name.
    EXPECT_EQ(CheckNewCategoryName(env.db(), "DINING", "Dining"), "");
    EXPECT_EQ(CheckReplaceTarget(env.db(), ""), MsgBlankReplace);
    EXPECT_EQ(CheckReplaceTarget(env.db(), "Nowhere"), MsgReplaceUnknown);
    EXPECT_EQ(CheckReplaceTarget(env.db(), "dining"), "");
}

TEST_F(Categories, RenameRewritesEntriesListsAndTranslationsInBothDatabases) {
    category("Dinner");
    category("Spa");
    add(entry("Smith", "Dinner", "2026/03/14"));
    add(entry("Other", "Spa", "2026/03/14"));
    Database& db = env.db();
    Database& archive = *env.ctx->archive;
    archive.exec("INSERT INTO [LogBook] ([LastName], [EntryType]) VALUES ('Old', 'Dinner')");
    db.exec("INSERT INTO [GroupLog] ([GroupID], [EntryType]) VALUES (1, 'Dinner')");
    db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
            "VALUES (?, 'U', 1, 'Dinner')",
            {staffId});
    db.exec("INSERT INTO [IFTranslate] ([LogType]) VALUES ('Dinner')");
    EXPECT_EQ(CountCategoryEntries(*env.ctx, "Dinner"), 2);

    RenameCategory(*env.ctx, "Dinner", "Dining Room");

    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [LogBook] WHERE [EntryType] = 'Dining Room'"), 1);
    EXPECT_EQ(count(archive, "SELECT COUNT(*) FROM [LogBook] WHERE [EntryType] = 'Dining Room'"),
              1);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [GroupLog] WHERE [EntryType] = 'Dining Room'"), 1);
    EXPECT_EQ(GetCategoriesByC(db, staffId), QStringList{"Dining Room"});
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [IFTranslate] WHERE [LogType] = 'Dining Room'"), 1);
    EXPECT_FALSE(GetLogTypeByName(db, "Dinner").has_value());
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [LogBook] WHERE [EntryType] = 'Spa'"), 1);
}

TEST_F(Categories, MergeMovesEntriesAndTheyTakeTheTargetsRestriction) {
    category("Open Desk");
    category("Staff Only", /*restricted*/ true);
    const qint64 id = add(entry("Smith", "Open Desk", "2026/03/14"));
    env.ctx->archive->exec("INSERT INTO [LogBook] ([LastName], [EntryType], [Restricted]) VALUES "
                           "('Old', 'Open Desk', ?)",
                           {false});
    ReplaceCategory(*env.ctx, "Open Desk", "Staff Only");
    const LogEntry moved = *store().GetTheLogEntry(id);
    EXPECT_EQ(moved.entryType, "Staff Only");
    EXPECT_TRUE(moved.restricted);
    EXPECT_EQ(count(*env.ctx->archive,
                    "SELECT COUNT(*) FROM [LogBook] WHERE [EntryType] = "
                    "'Staff Only' AND [Restricted] = ?",
                    {true}),
              1);
    EXPECT_TRUE(GetLogTypeByName(env.db(), "Open Desk").has_value()); // merge keeps the old name
}

TEST_F(Categories, FlagsPropagateToEntriesAndTextsAreStoredInPieces) {
    const qint64 id = category("Tours");
    const qint64 entryId = add(entry("Smith", "Tours", "2026/03/14"));
    env.ctx->archive->exec(
        "INSERT INTO [LogBook] ([LastName], [EntryType]) VALUES ('Old', 'Tours')");
    Category c = *GetLogTypeFlags(env.db(), id);
    c.restricted = true;
    c.readOnly = true;
    c.dayLogs = 5;
    const QString confirmation = QString(300, 'w') + " & more";
    UpdateConfText(*env.ctx, c, confirmation, "Vendor text");
    EXPECT_TRUE(store().GetTheLogEntry(entryId)->restricted);
    EXPECT_EQ(
        count(*env.ctx->archive, "SELECT COUNT(*) FROM [LogBook] WHERE [Restricted] = ?", {true}),
        1);
    EXPECT_TRUE(IsLogTypeReadOnly(env.db(), id));
    EXPECT_EQ(GetLogTypeDayLogs(env.db(), "Tours"), 5);
    EXPECT_EQ(GetCategoryText(env.db(), id, "W"), confirmation);
    EXPECT_EQ(GetCategoryText(env.db(), id, "V"), "Vendor text");
    UpdateConfText(*env.ctx, c, "", "Vendor text");
    EXPECT_EQ(GetCategoryText(env.db(), id, "W"), "");
}

TEST_F(Categories, DeleteTakesDesignFormsTextsAndPersonalListRows) {
    const qint64 id = category("Tours");
    const qint64 keep = category("Spa");
    Database& db = env.db();
    UpdateConfText(*env.ctx, *GetLogTypeFlags(db, id), "Confirm", "Vendor");
    UpdateConfText(*env.ctx, *GetLogTypeFlags(db, keep), "Keep me", "");
    db.exec("INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo], [LabelText]) VALUES (?, 1, 'Pax')",
            {id});
    const qint64 form =
        db.insert("INSERT INTO [DEFormS] ([LogTypeID]) VALUES (?)", {id}, "DEFormSID");
    db.exec("INSERT INTO [DEFormD] ([DEFormSID], [SequenceNo], [LabelText]) VALUES (?, 1, 'Pax')",
            {form});
    db.exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
            "VALUES (?, 'U', 1, 'Tours')",
            {staffId});

    DeleteCategory(*env.ctx, id);

    EXPECT_FALSE(GetLogTypeFlags(db, id).has_value());
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [DEDesign] WHERE [LogTypeID] = ?", {id}), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [DEFormS]"), 0);
    EXPECT_EQ(count(db, "SELECT COUNT(*) FROM [DEFormD]"), 0);
    EXPECT_EQ(GetCategoryText(db, id, "W"), "");
    EXPECT_TRUE(GetCategoriesByC(db, staffId).isEmpty());
    EXPECT_EQ(GetCategoryText(db, keep, "W"), "Keep me");
}

TEST_F(Categories, ConfirmationAndActivityTexts) {
    EXPECT_EQ(RenameConfirmation(12, "Dining Room"),
              "The 12 CURRENT and ARCHIVE entries will be changed to Dining Room.  The data entry "
              "panel and custom form definition will not change ");
    EXPECT_EQ(RenameActivityLine("Ann Desk", "Dinner", "Dining",
                                 QDateTime(QDate(2026, 3, 2), QTime(14, 5)), "DESK1"),
              "User: Ann Desk Changed the name of the Logbook Category: Dinner to: Dining on: "
              "Monday, 03/02/2026 at 02:05 pm at PC Named: DESK1");
}

TEST_F(Categories, CountsByRangeAndTheTotalLine) {
    category("Dining");
    category("Spa");
    add(entry("A", "Dining", "2026/03/01"));
    add(entry("B", "Dining", "2026/03/05"));
    add(entry("C", "Spa", "2026/03/05"));
    add(entry("D", "Spa", "2026/03/06"));
    EXPECT_EQ(CountTypeEntriesInRange(env.db(), "Dining", "2026/03/01", "2026/03/05",
                                      DateField::ReferDate),
              2);
    EXPECT_EQ(CountTypeEntriesInRange(env.db(), "Dining", "2026/03/01", "2026/03/05",
                                      DateField::ReferDate, "Someone Else"),
              0);
    EXPECT_EQ(CountLogEntries(env.db(), "2026/03/02", "2026/03/06", DateField::ReferDate),
              QStringList({"Dining\t1", "Spa\t2", "TOTAL:\t3"}));
    // Nothing in the range: the total still reads as a number.
    EXPECT_EQ(CountLogEntries(env.db(), "2025/01/01", "2025/01/31", DateField::EntryDate),
              QStringList({"TOTAL:\t0"}));
    Database& archive = *env.ctx->archive;
    archive.exec("INSERT INTO [LogBook] ([EntryType], [ReferDate]) VALUES ('Spa', '2026/03/05')");
    archive.exec("INSERT INTO [LogBook] ([EntryType], [ReferDate]) VALUES ('Spa', '2026/03/06')");
    EXPECT_EQ(
        CountArchiveEntries(archive, "*All", "2026/03/05", "2026/03/06", DateField::ReferDate), 1);
    EXPECT_EQ(CountArchiveEntries(archive, "Spa", "2026/03/01", "2026/03/07", DateField::ReferDate),
              2);
}

TEST_F(Categories, RecordDumpListsEveryColumnByItsName) {
    category("Dining");
    const qint64 id = add(entry("A", "Dining", "2026/03/01"));
    const QString dump = GetLogbookRecordText(env.db(), id);
    EXPECT_TRUE(dump.startsWith("LogBook Entry\r\n"));
    EXPECT_TRUE(dump.contains("\r\nLastName: A\r\n"));
    EXPECT_TRUE(dump.contains("\r\nEntryType: Dining\r\n"));
    EXPECT_EQ(GetLogbookRecordText(env.db(), 999999), "No records found");
}

TEST_F(Categories, BulkNotifyTakesTheSettingText) {
    category("Dining");
    const qint64 id = add(entry("A", "Dining", "2026/03/01"));
    SetTextSetting(env.db(), "BulkPrintNotify", "Confirmation \"printed\"");
    UpdateBulkNotify(env.db(), id);
    EXPECT_EQ(store().GetTheLogEntry(id)->notified, "Confirmation 'printed'");
}

TEST_F(Categories, DesignLinesAndCategoryListsReadBack) {
    const qint64 tours = category("Tours");
    category("Art's Walk");
    Database& db = env.db();
    db.exec("INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo], [LabelText], [EncryptThis]) "
            "VALUES (?, 2, 'Pax', ?)",
            {tours, true});
    db.exec(
        "INSERT INTO [DEDesign] ([LogTypeID], [SequenceNo], [LabelText]) VALUES (?, 1, 'Guide')",
        {tours});
    EXPECT_EQ(GetLogbookCustomItems(db, "tours"), QStringList({"Guide", "Pax"}));
    EXPECT_TRUE(GetLogbookCustomItems(db, "Unknown").isEmpty());
    const auto lines = GetLogbookBackPanelItems(db, tours);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].labelText, "Guide");
    EXPECT_TRUE(lines[1].encryptThis);
    EXPECT_EQ(GetLogbookTypesArray(db), QStringList({"Art's Walk", "Tours"}));
    EXPECT_EQ(GetLogbookCategories(db).front().second, "Tours");
}
