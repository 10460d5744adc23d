// The history purge: the file holds exactly the loans that are deleted, and
// loans not yet returned stay whatever their due date.

#include "operations/KeyStoreFixture.h"
#include "platform/CsvWriter.h"

#include <QDir>

using namespace vm;
using namespace vm::test;

namespace {

class KeyStorePurge : public KeyStoreFixture {
protected:
    QStringList fileLines() {
        QFile f(ctx().workstation.outputFolder() + kKeyPurgeFileName);
        if (!f.open(QIODevice::ReadOnly)) return {};
        QStringList lines = QString::fromUtf8(f.readAll()).split("\r\n");
        if (!lines.isEmpty() && lines.last().isEmpty()) lines.removeLast();
        return lines;
    }
};

TEST_F(KeyStorePurge, ExportsExactlyWhatItDeletesAndKeepsOpenLoans) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 a = key("A", 1, "Days"), b = key("B", 1, "Days"), c = key("C", 1, "Days");
    KeySaveAssignments(ctx(), ann, {a, b, c});

    at(2026, 3, 1, 9, 0);
    lend(a, ann); // due 03/02, back 03/02: purged
    lend(b, ann); // due 03/02, never back: kept
    at(2026, 3, 2, 9, 0);
    takeBack(a, ann);
    at(2026, 3, 9, 9, 0);
    lend(a, ann); // due 03/10, the purge day itself, back: kept
    lend(c, ann); // due 03/10
    at(2026, 3, 10, 8, 0);
    takeBack(a, ann);
    takeBack(c, ann);

    EXPECT_EQ(KeyCheckPurgeDate("", QDate(2026, 3, 10)), kKeyPurgeEnterDate);
    EXPECT_EQ(KeyCheckPurgeDate("03/11/2026", QDate(2026, 3, 10)), kKeyPurgeFutureDate);
    EXPECT_EQ(KeyCheckPurgeDate("03/10/2026", QDate(2026, 3, 10)), "");
    EXPECT_EQ(KeyPurgeQuestion(QDate(2026, 3, 10)),
              "Do you wish to delete ALL Key History entries prior to 03/10/2026");

    const KeyPurgeResult r = PurgeKeyHistory(ctx(), QDate(2026, 3, 10));
    EXPECT_TRUE(r.done);
    EXPECT_EQ(r.deleted, 1);
    EXPECT_EQ(r.message,
              "ALL Key History entries prior to 03/10/2026 have been deleted.  Thank you.");
    const QStringList lines = fileLines();
    ASSERT_EQ(lines.size(), 2) << lines.join("\n").toStdString();
    EXPECT_EQ(lines[1], "2026/03/01 09:00,2026/03/02 09:00,2026/03/02 09:00,0,Master,A,Key A,"
                        "Ann Porter,Bell Captain");

    EXPECT_EQ(history(a).size(), 1); // the loan due on the day stays
    EXPECT_EQ(history(b), QStringList{"O|2026/03/01 09:00|2026/03/02 09:00|NULL|NULL"});
    EXPECT_EQ(history(c).size(), 1);

    // Nothing left before the day: nothing written, nothing deleted.
    QFile::remove(ctx().workstation.outputFolder() + kKeyPurgeFileName);
    const KeyPurgeResult again = PurgeKeyHistory(ctx(), QDate(2026, 3, 10));
    EXPECT_FALSE(again.done);
    EXPECT_EQ(again.message, kKeyPurgeNothing);
    EXPECT_TRUE(fileLines().isEmpty());
    EXPECT_EQ(count("KeyHistory"), 3);
}

TEST_F(KeyStorePurge, NothingIsDeletedWhenTheFileCannotBeWritten) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 a = key("A", 1, "Hours");
    KeySaveAssignments(ctx(), ann, {a});
    at(2026, 3, 1, 9, 0);
    lend(a, ann);
    takeBack(a, ann);
    // A folder in the file's place: the file cannot be put there.
    ASSERT_TRUE(QDir().mkpath(ctx().workstation.outputFolder() + kKeyPurgeFileName));

    const KeyPurgeResult r = PurgeKeyHistory(ctx(), QDate(2026, 3, 5));
    EXPECT_FALSE(r.done);
    EXPECT_EQ(r.message, FileWrittenMessage(r.csvPath, false));
    EXPECT_EQ(count("KeyHistory"), 1);
}

} // namespace
