// The key-control lists as exported (read back as CSV) and printed (read back
// from the PDF).

#include "operations/KeyScreenFixture.h"
#include "support/CsvReader.h"

#include <QDir>

using namespace vm;
using namespace vm::test;

namespace {

class KeyScreenOutput : public KeyScreenFixture {
protected:
    void SetUp() override {
        KeyScreenFixture::SetUp();
        ASSERT_TRUE(KeyCheckOut(ctx(), master1, ada).done);
        env.clock.advanceSecs(60 * 10);
        ASSERT_TRUE(KeyCheckOut(ctx(), store, ada).done);
    }
    QString created(const QString& file) {
        return "The file: " + QDir::toNativeSeparators(outputPath(file)) + " has been created.";
    }
};

TEST_F(KeyScreenOutput, OverdueKeysAreExportedAndPrintedAsListed) {
    auto screen = openScreen();
    showPage(*screen, 4);
    click(*screen, "cmdExportOverdue");
    EXPECT_EQ(env.prompt.last(), "There are no Overdue Keys to Export.");
    click(*screen, "cmdPrintOverdue");
    EXPECT_EQ(env.prompt.last(), kKeyNothingToPrint);

    // Five hours on, the four-hour master is overdue; the two-day linen key is not.
    env.clock.advanceSecs(5 * 3600);
    click(*screen, "cmdExportOverdue");
    EXPECT_EQ(env.prompt.last(), created("OverDueKeys.csv"));
    const QList<QStringList> rows = ReadCsv(outputPath("OverDueKeys.csv"));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0], (QStringList{"Due Back", "Key Group", "Key Number", "Description",
                                    "Checked Out By", "Job Title"}));
    EXPECT_EQ(rows[1], (QStringList{"2026/03/15 02:30", "Masters", "101", "Floor 1 master",
                                    "Ada Brook", "Porter"}));

    click(*screen, "cmdPrintOverdue");
    const QStringList pages = printed(*screen, "Overdue.pdf");
    ASSERT_EQ(pages.size(), 1);
    EXPECT_TRUE(InOrder(pages[0], {"Overdue Keys", "Due Back", "2026/03/15 02:30", "101",
                                   "Floor 1 master", "Ada Brook"}))
        << pages[0].toStdString();
    EXPECT_FALSE(pages[0].contains("Linen room"));
}

TEST_F(KeyScreenOutput, TheKeyReportsFollowTheChosenListAndTheActivityExports) {
    auto screen = openScreen();
    showPage(*screen, 6);
    auto* grid = control<DataGrid>(*screen, "grdKeyReport");
    ASSERT_EQ(grid->rowCount(), 2); // keys out, by group then number
    EXPECT_EQ(row(*screen, "grdKeyReport", 1).mid(1, 2), (QStringList{"201", "Linen room"}));
    click(*screen, "cmdPrintKeys");
    const QStringList out = printed(*screen, "KeysOut.pdf");
    ASSERT_EQ(out.size(), 1);
    EXPECT_TRUE(InOrder(out[0], {"Keys Checked Out", "Checked Out By", "Floor 1 master",
                                 "Ada Brook", "Linen room", "2026/03/16 22:40", "Ada Brook"}))
        << out[0].toStdString();

    control<QAbstractButton>(*screen, "optKeysIn")->click();
    ASSERT_EQ(grid->rowCount(), 1);
    click(*screen, "cmdExportKeys");
    EXPECT_EQ(env.prompt.last(), created("KeyReport.csv"));
    const QList<QStringList> keysIn = ReadCsv(outputPath("KeyReport.csv"));
    ASSERT_EQ(keysIn.size(), 2);
    EXPECT_EQ(keysIn[1], (QStringList{"Masters", "102", "Floor 2 master", "4 Hours"}));

    // With every key back, the list of keys out has nothing to export.
    ASSERT_TRUE(KeyCheckIn(ctx(), master1, ada).done);
    ASSERT_TRUE(KeyCheckIn(ctx(), store, ada).done);
    control<QAbstractButton>(*screen, "optKeysOut")->click();
    click(*screen, "cmdExportKeys");
    EXPECT_EQ(env.prompt.last(), "There is no Key information to Export.");

    showPage(*screen, 5);
    click(*screen, "cmdExportActivity");
    EXPECT_EQ(env.prompt.last(), "There is no Key Activity information to Export.");
    control<QAbstractButton>(*screen, "optByEmployee")->click();
    choose(*screen, "cboActivityEmployee", "Ada Brook");
    click(*screen, "cmdSearch");
    click(*screen, "cmdExportActivity");
    EXPECT_EQ(env.prompt.last(), created("KeyActivityReport.csv"));
    const QList<QStringList> activity = ReadCsv(outputPath("KeyActivityReport.csv"));
    ASSERT_EQ(activity.size(), 3);
    EXPECT_EQ(activity[0], (QStringList{"Date/Time Out", "Date/Time Due", "Date/Time Back",
                                        "Key Group", "Key Number", "Description"}));
    EXPECT_EQ(activity[2].mid(3), (QStringList{"Storage", "201", "Linen room"}));
    click(*screen, "cmdPrintActivity");
    const QStringList printedActivity = printed(*screen, "Activity.pdf");
    ASSERT_EQ(printedActivity.size(), 1);
    EXPECT_TRUE(InOrder(printedActivity[0],
                        {"Key Activity: Ada Brook", "Floor 1 master", "Linen room"}))
        << printedActivity[0].toStdString();
}

} // namespace
