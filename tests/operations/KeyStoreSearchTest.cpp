// The activity search: the refusals of the typed dates, and the through day
// counted whole.

#include "operations/KeyStoreFixture.h"
#include "platform/CsvWriter.h"

using namespace vm;
using namespace vm::test;

namespace {

class KeyStoreSearch : public KeyStoreFixture {};

TEST_F(KeyStoreSearch, TypedDatesAreRefusedInOrder) {
    EXPECT_EQ(KeyCheckActivitySearch(false, "", ""), kKeySelectKeyOrEmployee);
    EXPECT_EQ(KeyCheckActivitySearch(true, "13/45/2026", "xx"), kKeyInvalidFromDate);
    EXPECT_EQ(KeyCheckActivitySearch(true, "03/01/2026", "xx"), kKeyInvalidThroughDate);
    EXPECT_EQ(KeyCheckActivitySearch(true, "03/02/2026", "03/01/2026"), kKeyThroughBeforeFrom);
    EXPECT_EQ(KeyCheckActivitySearch(true, "", "03/01/2026"), kKeyThroughWithoutFrom);
    EXPECT_EQ(KeyCheckActivitySearch(true, "03/01/2026", "03/01/2026"), "");
    EXPECT_EQ(KeyCheckActivitySearch(true, "03/01/2026", ""), "");
}

TEST_F(KeyStoreSearch, ActivityTakesTheWholeThroughDayByKeyAndByEmployee) {
    const qint64 ann = employee("Ann Porter", "17");
    const qint64 bob = employee("Bob Valet", "18");
    const qint64 a = key("A", 1), b = key("B", 1);
    KeySaveAssignments(ctx(), ann, {a, b});
    KeySaveAssignments(ctx(), bob, {a});
    const auto loan = [&](qint64 k, qint64 e, int day, int hour, int minute) {
        at(2026, 3, day, hour, minute);
        lend(k, e);
        takeBack(k, e);
    };
    loan(a, ann, 1, 23, 59);
    loan(a, bob, 2, 0, 0);
    loan(b, ann, 2, 23, 59);
    loan(a, ann, 3, 0, 0);

    QStringList seen;
    for (const KeyLoanRow& l : KeyActivityReport1(ctx(), ann, QDate(2026, 3, 1), QDate(2026, 3, 2)))
        seen << l.keyNumber + " " + l.dateTimeOut;
    EXPECT_EQ(seen, (QStringList{"A 2026/03/01 23:59", "B 2026/03/02 23:59"}));

    seen.clear();
    for (const KeyLoanRow& l : KeyActivityReport2(ctx(), a, QDate(2026, 3, 2), QDate()))
        seen << l.employeeName + " " + l.dateTimeOut;
    EXPECT_EQ(seen, (QStringList{"Bob Valet 2026/03/02 00:00", "Ann Porter 2026/03/03 00:00"}));
    EXPECT_EQ(KeyActivityReport2(ctx(), a, {}, {}).size(), 3u);
}

TEST_F(KeyStoreSearch, ExportsSayWhenThereIsNothingAndWriteTheRowsOtherwise) {
    EXPECT_EQ(KeyExportCsv(ctx(), kKeyOverdueFileName, {"Due Back"}, {}, kKeyNoOverdueToExport),
              kKeyNoOverdueToExport);
    EXPECT_FALSE(QFile::exists(ctx().workstation.outputFolder() + kKeyOverdueFileName));

    const QString path = ctx().workstation.outputFolder() + kKeyActivityFileName;
    EXPECT_EQ(KeyExportCsv(ctx(), kKeyActivityFileName, {"Minutes Late", "Employee"},
                           {{"-15", "Smith, Ann"}}, kKeyNoActivityToExport),
              FileWrittenMessage(path, true));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("Minutes Late,Employee\r\n-15,\"Smith, Ann\"\r\n"));
}

} // namespace
