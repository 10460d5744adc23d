#include "LogbookFixture.h"

#include "logbook/Designs.h"
#include "logbook/HostExtract.h"
#include "logbook/forms/LogbookCategoriesPage.h"

#include <QDir>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QUuid>

using namespace vm;
using namespace vm::test;

namespace {

// The rows of a statement on the extract file, columns joined by "|".
QStringList readBack(const QString& file, const QString& sql) {
    const QString name = QUuid::createUuid().toString();
    QStringList rows;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE", name);
        db.setDatabaseName(file);
        if (!db.open()) throw std::runtime_error("extract file does not open");
        QSqlQuery q(db);
        if (!q.exec(sql)) throw std::runtime_error("statement failed on the extract file");
        while (q.next()) {
            QStringList cells;
            for (int i = 0; i < q.record().count(); ++i)
                cells << q.value(i).toString();
            rows << cells.join('|');
        }
    }
    QSqlDatabase::removeDatabase(name);
    return rows;
}

} // namespace

TEST(HostExtractStatus, OneWordPerEntryWhateverFlagsAreSet) {
    struct Case {
        bool pending, cancelled, complete;
        const char* status;
    } cases[] = {{false, false, false, "Incomplete"}, {true, false, false, "Pending"},
                 {false, true, false, "Cancelled"},   {false, false, true, "Complete"},
                 {true, true, false, "Cancelled"},    {true, false, true, "Complete"},
                 {false, true, true, "Cancelled"}};
    for (const Case& c : cases)
        EXPECT_EQ(HostStatus(c.pending, c.cancelled, c.complete), c.status)
            << c.pending << c.cancelled << c.complete;
}

class HostExtract : public LogbookFixture {
protected:
    void SetUp() override {
        LogbookFixture::SetUp();
        designedCategory("Dining", {"Restaurant:", "Party Size:", "Notes:"});
        category("Spa");
        file = QDir(env.ctx->workstation.outputFolder()).filePath("PalmSync/LogSync.db");
    }

    qint64 entryOf(const QString& last, const QString& first, const QString& category,
                   const QString& referDate, const QString& text, bool pending = false,
                   bool cancelled = false, bool complete = false) {
        LogEntry e = entry(last, category, referDate, text);
        e.firstName = first;
        e.pending = pending;
        e.cancelled = cancelled;
        e.complete = complete;
        return add(e);
    }

    // Folder entries other than the extract file (temporary files left behind).
    QStringList leftovers() const {
        QStringList names =
            QDir(QFileInfo(file).path()).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
        names.removeAll("LogSync.db");
        return names;
    }

    QString file;
};

TEST_F(HostExtract, WritesTheEntriesOfThePeriodSplitIntoTheirFields) {
    const QString longNote = QString(300, 'n');
    const qint64 zed = entryOf("Zed", "Al", "Dining", "2026/03/14",
                               "Restaurant: Chez Nous\r\nParty Size: \r\nNotes: " + longNote +
                                   "\r\nWindow table\r\nif possible",
                               true);
    const qint64 adams = entryOf("Adams", "Bo", "Spa", "2026/03/15", "Massage at ten", false, true);
    const qint64 brown =
        entryOf("Brown", "Cy", "Dining", "2026/03/16", "Restaurant: Ola\r\n", false, false, true);
    entryOf("Early", "Di", "Dining", "2026/03/13", "Restaurant: Too early\r\n");
    entryOf("Late", "Ed", "Dining", "2026/03/17", "Restaurant: Too late\r\n");

    const HostExtractResult r = BuildHostTable(*env.ctx, QDate(2026, 3, 14), QDate(2026, 3, 16));
    ASSERT_TRUE(r.ok) << r.message.toStdString();
    EXPECT_EQ(r.entries, 3);
    EXPECT_EQ(r.path, file);
    EXPECT_EQ(r.message, MsgHostExtractBuilt(3, file));

    EXPECT_EQ(readBack(file, "SELECT LogID, FirstName, LastName, EntryType, ReferDate, Status "
                             "FROM LogAD ORDER BY rowid"),
              (QStringList{QString("%1|Bo|Adams|Spa|2026/03/15|Cancelled").arg(adams),
                           QString("%1|Cy|Brown|Dining|2026/03/16|Complete").arg(brown),
                           QString("%1|Al|Zed|Dining|2026/03/14|Pending").arg(zed)}));
    // Empty values are left out; a value longer than the stored note field
    // comes whole from the entry's overflow.
    EXPECT_EQ(readBack(file, "SELECT LogID, Sequence, Heading, Detail FROM LogDE ORDER BY rowid"),
              (QStringList{QString("%1|1|Restaurant:|Ola").arg(brown),
                           QString("%1|1|Restaurant:|Chez Nous").arg(zed),
                           QString("%1|3|Notes:|%2").arg(zed).arg(longNote)}));
    EXPECT_EQ(readBack(file, "SELECT LogID, ExtraInfo FROM LogDEB ORDER BY rowid"),
              (QStringList{QString("%1|Massage at ten").arg(adams),
                           QString("%1|Window table\r\nif possible").arg(zed)}));
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(",").toStdString();
}

TEST_F(HostExtract, ARebuildReplacesTheWholeFile) {
    entryOf("First", "A", "Dining", "2026/03/14", "Restaurant: One\r\n");
    entryOf("Second", "B", "Dining", "2026/04/14", "Restaurant: Two\r\n");
    ASSERT_TRUE(BuildHostTable(*env.ctx, QDate(2026, 3, 1), QDate(2026, 3, 31)).ok);
    const HostExtractResult again = BuildHostTable(*env.ctx, QDate(2026, 4, 1), QDate(2026, 4, 30));
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(readBack(file, "SELECT LastName FROM LogAD"), QStringList{"Second"});
    EXPECT_EQ(readBack(file, "SELECT Detail FROM LogDE"), QStringList{"Two"});

    // A period without entries leaves an empty file, not the old rows.
    ASSERT_TRUE(BuildHostTable(*env.ctx, QDate(2027, 1, 1), QDate(2027, 1, 2)).ok);
    EXPECT_TRUE(readBack(file, "SELECT * FROM LogAD").isEmpty());
    EXPECT_TRUE(leftovers().isEmpty());
}

TEST_F(HostExtract, AFolderThatCannotBeWrittenLeavesNoFile) {
    entryOf("First", "A", "Dining", "2026/03/14", "Restaurant: One\r\n");
    // A file where the folder should be: nothing can be created in it.
    const QString folder = QFileInfo(file).path();
    QFile blocker(folder);
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    const HostExtractResult r = BuildHostTable(*env.ctx, QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.message, MsgHostExtractNotWritten(folder));
    EXPECT_FALSE(QFileInfo(file).exists());
    ASSERT_TRUE(QFile::remove(folder));

    // The file's place is taken by a folder: the finished file cannot take
    // its place, and the partial one is not left beside it.
    ASSERT_TRUE(QDir().mkpath(file));
    const HostExtractResult blocked =
        BuildHostTable(*env.ctx, QDate(2026, 3, 1), QDate(2026, 3, 31));
    EXPECT_FALSE(blocked.ok);
    EXPECT_TRUE(QFileInfo(file).isDir());
    EXPECT_TRUE(leftovers().isEmpty()) << leftovers().join(",").toStdString();
}

TEST_F(HostExtract, TheCategoryPageAsksForThePeriodAndSaysWhatItWrote) {
    EnsureApplication();
    entryOf("First", "A", "Dining", "2026/03/14", "Restaurant: One\r\n");
    entryOf("Second", "B", "Dining", "2026/03/20", "Restaurant: Two\r\n");
    LogbookCategoriesPage page(*env.ctx);
    // The dates may come in either order.
    env.prompt.type(QString("03/15/2026"));
    env.prompt.type(QString("03/01/2026"));
    click(page, "cmdHostExtract");
    EXPECT_EQ(env.prompt.last(), MsgHostExtractBuilt(1, file));
    EXPECT_EQ(readBack(file, "SELECT LastName FROM LogAD"), QStringList{"First"});

    env.prompt.type(QString("3/40/2026"));
    click(page, "cmdHostExtract");
    EXPECT_EQ(env.prompt.last(), "Please enter a date in the form MM/DD/YYYY.  Thank you.");
    env.prompt.type(std::nullopt); // cancelled: nothing more is asked or written
    const int shown = int(env.prompt.shown.size());
    click(page, "cmdHostExtract");
    EXPECT_EQ(env.prompt.shown.size(), shown + 1); // the question alone
}
