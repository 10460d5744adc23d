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
