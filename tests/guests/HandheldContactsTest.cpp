#include "guests/HandheldContacts.h"
#include "guests/ContactFixture.h"
#include "guests/forms/MapPage.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

using namespace vm;
using namespace vm::test;

namespace {

class HandheldContacts : public ContactFixture {
protected:
    std::unique_ptr<Database> openFile(const QString& path) {
        DbLocation where;
        where.file = path;
        where.readOnly = true;
        return Database::open(where, false);
    }
    QStringList column(Database& db, const QString& sql) {
        QStringList out;
        for (const Row& r : db.query(sql))
            out << r.text(0);
        return out;
    }
    QString folder() { return env.root() + "/palm"; }
};

} // namespace

TEST_F(HandheldContacts, EveryContactWithANameRowAndOneKeywordRowPerTrimmedKeyword) {
    Contact zoo = sample("Zoo");
    zoo.keywordSet = " Family ,Outdoor,, Animals ";
    zoo.nickName = "City Zoo";
    zoo.rating = 4;
    zoo.ranking = 1;
    Contact bar = sample("Bar Uno");
    bar.keywordSet = "Bar";
    bar.language = 2; // every language goes to the hand-held
    Contact bistro = sample("Bistro");
    for (Contact c : {zoo, bar, bistro})
        insert(c);

    const HandheldContactsResult r = BuildHandheldContactFile(*env.ctx, folder());
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.contacts, 3);
    EXPECT_EQ(r.keywords, 3 + 1 + 2);
    EXPECT_EQ(r.path, folder() + "/ContactS.db");
    EXPECT_EQ(r.message, "3 Contact entries were written to " + r.path + ".");

    auto file = openFile(r.path);
    EXPECT_EQ(column(*file, "SELECT [ContactName] FROM [Contact] ORDER BY rowid"),
              QStringList({"Bar Uno", "Bistro", "Zoo"}));
    EXPECT_EQ(column(*file, "SELECT [ContactName] FROM [Search] ORDER BY rowid"),
              QStringList({"Bar Uno", "Bistro", "Zoo"}));
    const Row z = *file->queryOne("SELECT * FROM [Contact] WHERE [ContactName] = 'Zoo'");
    EXPECT_EQ(QStringList({z.text("NickName"), z.text("City"), z.text("KeywordSet")}),
              QStringList({"City Zoo", "Springfield", "Family ,Outdoor,, Animals"}));
    EXPECT_EQ(std::pair(z.number("Rating"), z.number("Ranking")), std::pair(qint64(4), qint64(1)));
    EXPECT_EQ(column(*file, "SELECT [KeywordSet] FROM [KeySearch] WHERE [ContactName] = 'Zoo' "
                            "ORDER BY rowid"),
              QStringList({"Family", "Outdoor", "Animals"}));
    EXPECT_EQ(file->scalar("SELECT COUNT(*) FROM [KeySearch]").toInt(), r.keywords);
    EXPECT_EQ(file->scalar("SELECT COUNT(DISTINCT [ContactID]) FROM [KeySearch]").toInt(), 3);
}

TEST_F(HandheldContacts, ARebuildReplacesTheWholeFileAndLeavesNoPartialFiles) {
    insert(sample("First"));
    ASSERT_TRUE(BuildHandheldContactFile(*env.ctx, folder()).ok);
    insert(sample("Second"));
    const HandheldContactsResult again = BuildHandheldContactFile(*env.ctx, folder());
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(openFile(again.path)->scalar("SELECT COUNT(*) FROM [Contact]").toInt(), 2);
    EXPECT_EQ(QDir(folder()).entryList(QDir::Files), QStringList({"ContactS.db"}));
}

TEST_F(HandheldContacts, AFolderThatCannotBeMadeLeavesTheOldFileAndSaysSo) {
    insert(sample());
    // A file where the folder should be: nothing can be written below it.
    QFile blocker(folder());
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const HandheldContactsResult r = BuildHandheldContactFile(*env.ctx, folder() + "/sub");
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, MsgHandheldContactsNotWritten(folder() + "/sub"));
}

TEST_F(HandheldContacts, TheButtonOnTheMapPageBuildsTheFileAndCountsTheContacts) {
    EnsureApplication();
    insert(sample());
    insert(sample("Another"));
    MapPage page(*env.ctx);
    page.findChild<QPushButton*>("cmdBuildPalm")->click();
    const QString path = QDir(HandheldFolder(*env.ctx)).filePath("ContactS.db");
    EXPECT_EQ(env.prompt.last(), MsgHandheldContactsBuilt(2, path));
    EXPECT_TRUE(QFile::exists(path));
}
