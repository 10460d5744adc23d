#include "core/Databases.h"
#include "core/schema/SchemaBuilder.h"
#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

namespace {
QStringList lastNamesContaining(Database& db, const QString& text) {
    QVariant pattern;
    const QString condition =
        schema::ContainsCondition(db.engine(), "LogBook", "LastName", text, pattern);
    QStringList out;
    for (const Row& r : db.query("SELECT [LastName] FROM [LogBook] WHERE " + condition +
                                     " ORDER BY [LastName]",
                                 {pattern}))
        out << r.text("LastName");
    return out;
}

void addGuest(Database& db, const QString& last) {
    db.exec("INSERT INTO [LogBook] ([LastName], [FirstName]) VALUES (?, 'Pat')", {last});
}
} // namespace

TEST(SubstringIndex, ContainsSearchesFindWhatAScanFinds) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    for (const char* n : {"McDonald", "MacDonald", "O'Donnell", "Smith", "Dupont"})
        addGuest(db, n);
    EXPECT_EQ(lastNamesContaining(db, "don"), (QStringList{"MacDonald", "McDonald", "O'Donnell"}));
    EXPECT_EQ(lastNamesContaining(db, "DONALD"), (QStringList{"MacDonald", "McDonald"}));
    EXPECT_EQ(lastNamesContaining(db, "'Don"), (QStringList{"O'Donnell"}));
    EXPECT_EQ(lastNamesContaining(db, "mc"), (QStringList{"McDonald"})) << "short texts scan";
    EXPECT_EQ(lastNamesContaining(db, ""), (QStringList{"Dupont", "MacDonald", "McDonald",
                                                        "O'Donnell", "Smith"}));

    // The index follows changes and deletions.
    db.exec("UPDATE [LogBook] SET [LastName] = 'Smithson' WHERE [LastName] = 'McDonald'");
    db.exec("DELETE FROM [LogBook] WHERE [LastName] = 'MacDonald'");
    EXPECT_EQ(lastNamesContaining(db, "donald"), QStringList{});
    EXPECT_EQ(lastNamesContaining(db, "smith"), (QStringList{"Smith", "Smithson"}));
}

TEST(SubstringIndex, OlderDatabaseGetsItsIndexBuiltFromItsRows) {
    if (UsingPostgres()) {
        // A server index is built by CREATE INDEX itself; the SQLite table needs filling.
        TestEnv env;
        env.openOrFail();
        EXPECT_TRUE(env.db().scalar("SELECT 1 FROM pg_indexes WHERE indexname = 'tx_logbook_lastname'")
                        .isValid());
        return;
    }
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    addGuest(db, "Fitzgerald");
    // A database from before the index: drop it, then start again.
    for (const char* t : {"LogBook_Search_ai", "LogBook_Search_ad", "LogBook_Search_au"})
        db.exec(QString("DROP TRIGGER [%1]").arg(t));
    db.exec("DROP TABLE [LogBook_Search]");
    addGuest(db, "Geraldine");
    CloseDatabase(*env.ctx);
    env.openOrFail();
    EXPECT_EQ(lastNamesContaining(env.db(), "gerald"), (QStringList{"Fitzgerald", "Geraldine"}));
}

namespace {
QStringList itemsContaining(Database& db, const QString& column, const QString& text) {
    QVariant pattern;
    const QString condition =
        schema::ContainsCondition(db.engine(), "LostAndFound", column, text, pattern);
    QStringList out;
    for (const Row& r : db.query("SELECT [ItemText] FROM [LostAndFound] WHERE " + condition +
                                     " ORDER BY [ItemText]",
                                 {pattern}))
        out << r.text("ItemText");
    return out;
}
void addItem(Database& db, const QString& text, const QString& room) {
    db.exec("INSERT INTO [LostAndFound] ([ItemStatus], [ItemText], [RoomNumber]) VALUES ('F', ?, ?)",
            {text, room});
}
} // namespace

TEST(SubstringIndex, IndexMadeForOtherColumnsIsMadeAgainAndSurvivesAWidenedColumn) {
    TestEnv env;
    env.openOrFail();
    Database& db = env.db();
    addItem(db, "Silver bracelet", "512");
    if (!UsingPostgres()) {
        // A database whose trigram table predates the description and room columns.
        for (const char* t : {"LostAndFound_Search_ai", "LostAndFound_Search_ad", "LostAndFound_Search_au"})
            db.exec(QString("DROP TRIGGER [%1]").arg(t));
        db.exec("DROP TABLE [LostAndFound_Search]");
        db.exec("CREATE VIRTUAL TABLE [LostAndFound_Search] USING fts5([LastName], [FinderName], "
                "content=[LostAndFound], content_rowid=[ItemID], tokenize='trigram')");
        CloseDatabase(*env.ctx);
        env.openOrFail();
    }
    Database& again = env.db();
    EXPECT_EQ(itemsContaining(again, "ItemText", "brace"), QStringList{"Silver bracelet"});
    EXPECT_EQ(itemsContaining(again, "RoomNumber", "512"), QStringList{"Silver bracelet"});

    // Widening a searched column rebuilds it under the index, which keeps up.
    EXPECT_TRUE(schema::change_field_size(again, "LostAndFound", "ItemText", 300));
    addItem(again, "Gold bracelet", "1512");
    EXPECT_EQ(itemsContaining(again, "ItemText", "bracelet"),
              (QStringList{"Gold bracelet", "Silver bracelet"}));
    EXPECT_EQ(itemsContaining(again, "RoomNumber", "512"),
              (QStringList{"Gold bracelet", "Silver bracelet"}));
}
