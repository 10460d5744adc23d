#include "StatisticsFixture.h"

#include "platform/CsvWriter.h"

#include "support/CsvReader.h"

#include <QFile>

namespace vm::test {
namespace {

using Stats = StatisticsFixture;

// Entries on each side of the month and year edges; the refer date and the
// entry date of each differ so that the chosen date decides the bucket.
const QList<StatEntry> EdgeEntries{
    {"Dining", "2025/12/31", "2026/01/01"}, {"Dining", "2026/01/01", "2025/12/31"},
    {"Dining", "2026/01/31", "2026/02/01"}, {"Dining", "2026/02/01", "2026/01/31"},
    {"Dining", "2026/02/28", "2026/03/01"}, {"Theatre", "2026/03/01", "2026/03/01"},
    {"Dining", "2026/12/31", "2027/01/01"}, {"Dining", "2027/01/01", "2026/12/31"},
};

TEST_F(Stats, MonthBucketsRunFromTheFirstOfAMonthToTheFirstOfTheNextOnTheChosenDate) {
    add(EdgeEntries);
    struct Case {
        DateField field;
        QString category;
        QList<qint64> months; // Jan..Dec
    };
    const QList<Case> cases{
        {DateField::ReferDate, "Dining", {2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {DateField::EntryDate, "Dining", {2, 1, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {DateField::ReferDate, AllCategories, {2, 2, 1, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {DateField::EntryDate, AllCategories, {2, 1, 2, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        // Categories compare without case, as everywhere else.
        {DateField::ReferDate, "dining", {2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1}},
        {DateField::ReferDate, "Spa", QList<qint64>(12, 0)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.category.toStdString() +
                     (c.field == DateField::EntryDate ? " entry" : " refer"));
        EXPECT_EQ(CountEntriesByMonth(env.db(), 2026, c.category, c.field), c.months);
        const StatTable t = run(yearRequest(StatView::EntriesByMonth, 2026, c.category, c.field));
        EXPECT_EQ(labels(t), (QStringList{"Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul", "Aug",
                                          "Sep", "Oct", "Nov", "Dec"}));
        qint64 sum = 0;
        for (qint64 n : c.months)
            sum += n;
        EXPECT_EQ(column(t), c.months + QList<qint64>{sum});
        EXPECT_EQ(t.total.label, "Total");
    }
}

TEST_F(Stats, TheLastYearOfTheCalendarIsCountedToItsLastDay) {
    add({{"Dining", "9999/12/31"}, {"Dining", "9999/01/01"}, {"Dining", "9998/12/31"}});
    EXPECT_EQ(run(yearRequest(StatView::EntriesByMonth, 9999)).total.counts[0], 2);
    EXPECT_EQ(run(rangeRequest(StatView::ByWeekday, QDate(9998, 12, 31), QDate(9999, 12, 31)))
                  .total.counts[0],
              3);
}

TEST_F(Stats, CategoriesByMonthListsEachCategoryWithRowAndColumnTotals) {
    add(EdgeEntries);
    add({{"Spa", "2026/06/15"}, {"spa", "2026/06/16"}, {"Airport", "2026/12/01"}});

    const StatTable all = run(yearRequest(StatView::CategoriesByMonth, 2026));
    // "Spa" and "spa" are one category (named as either).
    EXPECT_EQ(labels(all).join(",").toLower(), "airport,dining,spa,theatre");
    EXPECT_EQ(all.countHeaders.size(), 13);
    EXPECT_EQ(all.countHeaders.last(), "Total");
    const StatRow& dining = all.rows[1];
    EXPECT_EQ(dining.counts, (QList<qint64>{2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 5}));
    EXPECT_EQ(all.rows[2].counts[5], 2);
    EXPECT_EQ(all.total.counts, (QList<qint64>{2, 2, 1, 0, 0, 2, 0, 0, 0, 0, 0, 2, 9}));

    // One category: its row alone, even in a year without its entries.
    const StatTable one = run(yearRequest(StatView::CategoriesByMonth, 2026, "Theatre"));
    EXPECT_EQ(labels(one), QStringList{"Theatre"});
    EXPECT_EQ(one.total.counts[12], 1);
    const StatTable none = run(yearRequest(StatView::CategoriesByMonth, 2031, "Theatre"));
    EXPECT_EQ(labels(none), QStringList{"Theatre"});
    EXPECT_EQ(none.rows[0].counts, QList<qint64>(13, 0));
}

TEST_F(Stats, AllByMonthHasARowPerYearCutToTheRangeAndReportsEachStep) {
    add({{"Dining", "2025/11/30"},
         {"Dining", "2025/12/01"},
         {"Spa", "2026/01/15"},
         {"Dining", "2026/02/10"},
         {"Dining", "2026/02/11"},
         {"Dining", "2026/02/12"}});
    QList<QPair<int, int>> steps;
    const StatTable t =
        run(rangeRequest(StatView::AllByMonth, QDate(2025, 12, 1), QDate(2026, 2, 11)),
            [&](int done, int total) {
                steps << qMakePair(done, total);
                return true;
            });
    EXPECT_EQ(steps, (QList<QPair<int, int>>{{1, 2}, {2, 2}}));
    EXPECT_EQ(labels(t), (QStringList{"2025", "2026"}));
    EXPECT_EQ(t.rows[0].counts[10], 0); // November lies before the range
    EXPECT_EQ(t.rows[0].counts[11], 1);
    EXPECT_EQ(t.rows[1].counts[0], 1);
    EXPECT_EQ(t.rows[1].counts[1], 2); // the through day is counted, the day after is not
    EXPECT_EQ(t.total.counts[12], 4);

    // Answering false after the first step stops the work.
    int calls = 0;
    const auto stopped = RunStatistics(
        *env.ctx, rangeRequest(StatView::AllByMonth, QDate(2025, 12, 1), QDate(2026, 2, 11)),
        [&](int, int) { return ++calls < 1; });
    EXPECT_FALSE(stopped.has_value());
    EXPECT_EQ(calls, 1);
}

TEST_F(Stats, WeekdayAndHourViewsCountTheirBuckets) {
    // 2026/03/01 is a Sunday, 03/02 a Monday, 03/07 a Saturday.
    add({{"Dining", "2026/03/01", "2026/03/02", "00:05"},
         {"Dining", "2026/03/01", "2026/03/02", "09:59"},
         {"Dining", "2026/03/02", "2026/03/07", "10:00"},
         {"Spa", "2026/03/07", "2026/03/07", "23:59"},
         {"Spa", "2026/03/08", "2026/03/08", "10:30"}}); // after the range

    const QDate from(2026, 3, 1), through(2026, 3, 7);
    const StatTable refer = run(rangeRequest(StatView::ByWeekday, from, through));
    EXPECT_EQ(labels(refer), (QStringList{"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"}));
    EXPECT_EQ(column(refer), (QList<qint64>{2, 1, 0, 0, 0, 0, 1, 4}));
    const StatTable entered =
        run(rangeRequest(StatView::ByWeekday, from, through, "Dining", DateField::EntryDate));
    EXPECT_EQ(column(entered), (QList<qint64>{0, 2, 0, 0, 0, 0, 1, 3}));

    // Hours of EntryTime, on the entry date whatever date was chosen.
    const StatTable hours =
        run(rangeRequest(StatView::ByHour, from, through, AllCategories, DateField::ReferDate));
    ASSERT_EQ(hours.rows.size(), 24);
    EXPECT_EQ(hours.rows[0].label, "00:00");
    EXPECT_EQ(hours.rows[23].label, "23:00");
    QList<qint64> expected(24, 0);
    expected[0] = 1;
    expected[9] = 1;
    expected[10] = 1;
    expected[23] = 1;
    EXPECT_EQ(column(hours), expected + QList<qint64>{4});
    const StatTable spa = run(rangeRequest(StatView::ByHour, from, through, "Spa"));
    EXPECT_EQ(spa.total.counts[0], 1);
    EXPECT_EQ(spa.rows[23].counts[0], 1);
}

TEST_F(Stats, StaffViewsCountWhoEnteredEntriesContactsAndEvents) {
    add({{"Dining", "2026/05/01", "", "10:00", "Ann Desk"},
         {"Dining", "2026/05/02", "", "10:00", "Ann Desk"},
         {"Spa", "2026/05/03", "", "10:00", "Bob Bell"},
         {"Dining", "2026/06/01", "", "10:00", "Cy Night"}}); // after the range
    const QDate from(2026, 5, 1), through(2026, 5, 31);
    const StatTable all = run(rangeRequest(StatView::EntriesByStaff, from, through));
    EXPECT_EQ(labels(all), (QStringList{"Ann Desk", "Bob Bell"}));
    EXPECT_EQ(column(all), (QList<qint64>{2, 1, 3}));
    const StatTable spa = run(rangeRequest(StatView::EntriesByStaff, from, through, "Spa"));
    EXPECT_EQ(labels(spa), QStringList{"Bob Bell"});

    addContact(env.ctx->contactsDb(), "Trattoria", "Ann Desk", "2026/05/04");
    addContact(env.ctx->contactsDb(), "Bistro", "Bob Bell", "2026/05/31");
    addContact(env.ctx->contactsDb(), "Cafe", "Bob Bell", "2026/04/30");
    addEvent(env.ctx->eventsDb(), "Concert", "Cy Night", "2026/05/10");
    const StatTable contacts = run(rangeRequest(StatView::ContactsByStaff, from, through));
    EXPECT_EQ(labels(contacts), (QStringList{"Ann Desk", "Bob Bell"}));
    EXPECT_EQ(column(contacts), (QList<qint64>{1, 1, 2}));
    EXPECT_EQ(contacts.countHeaders, QStringList{"Contacts"});
    const StatTable events = run(rangeRequest(StatView::EventsByStaff, from, through));
    EXPECT_EQ(labels(events), QStringList{"Cy Night"});
    EXPECT_EQ(events.total.counts[0], 1);
}

TEST_F(Stats, SharedContactsAreCountedInTheCommonDatabase) {
    env.openShared();
    ASSERT_NE(&env.ctx->contactsDb(), &env.db());
    addContact(env.ctx->contactsDb(), "Trattoria", "Ann Desk", "2026/05/04");
    addContact(env.db(), "Left behind", "Bob Bell", "2026/05/04");
    const StatTable t =
        run(rangeRequest(StatView::ContactsByStaff, QDate(2026, 5, 1), QDate(2026, 5, 31)));
    EXPECT_EQ(labels(t), QStringList{"Ann Desk"});
}

TEST_F(Stats, TheArchiveIsCountedWhenChosen) {
    ASSERT_TRUE(env.ctx->hasArchive());
    add({{"Dining", "2026/02/01"}});
    add({{"Dining", "2026/02/02"}, {"Dining", "2026/03/02"}}, env.ctx->archive.get());
    StatRequest r = yearRequest(StatView::EntriesByMonth, 2026, "Dining");
    EXPECT_EQ(run(r).total.counts[0], 1);
    r.archive = true;
    const StatTable archived = run(r);
    EXPECT_EQ(archived.total.counts[0], 2);
    EXPECT_EQ(archived.rows[2].counts[0], 1);
}

TEST_F(Stats, RequestsAreRefusedBeforeTheyRun) {
    struct Case {
        const char* name;
        StatRequest request;
        QString refusal;
    };
    const QDate day(2026, 5, 1);
    const QList<Case> cases{
        {"same day", rangeRequest(StatView::ByWeekday, day, day), MsgThroughAfterFrom},
        {"through first", rangeRequest(StatView::ByHour, day, day.addDays(-1)),
         MsgThroughAfterFrom},
        {"one day on", rangeRequest(StatView::EntriesByStaff, day, day.addDays(1)), QString()},
        {"no from", rangeRequest(StatView::ContactsByStaff, QDate(), day), MsgStatDates},
        {"no year", yearRequest(StatView::EntriesByMonth, 0), MsgStatYear},
        {"year 1899", yearRequest(StatView::CategoriesByMonth, 1899), MsgStatYear},
        // The year views do not read the range.
        {"year view", yearRequest(StatView::EntriesByMonth, 2026), QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CheckStatRequest(c.request), c.refusal);
    }
}

TEST_F(Stats, EachViewRunsOneGroupedStatementPerYearOfDates) {
    for (int v = 0; v < StatViewCount; ++v) {
        const auto view = StatView(v);
        SCOPED_TRACE(StatViewCaption(view).toStdString());
        // A range over three calendar years, or a year.
        const StatRequest r = UsesYear(view)
                                  ? yearRequest(view, 2026)
                                  : rangeRequest(view, QDate(2024, 12, 31), QDate(2026, 1, 1));
        const QList<StatStatement> statements = StatisticsStatements(r);
        ASSERT_EQ(statements.size(), UsesYear(view) ? 1 : 3);
        for (const StatStatement& st : statements) {
            EXPECT_TRUE(st.sql.contains("GROUP BY")) << st.sql.toStdString();
            env.ctx->db().query(st.sql, st.params); // runs as written
        }
    }
}

TEST_F(Stats, ExportedTablesReadBackAsWrittenUnderTheViewsName) {
    add({{"Dining, Fine", "2026/01/05"}, {"=Spa", "2026/02/05"}, {"Dining, Fine", "2026/02/06"}});
    const StatTable t = run(yearRequest(StatView::CategoriesByMonth, 2026));
    const QString path = StatisticsCsvPath(*env.ctx, StatView::CategoriesByMonth);
    EXPECT_TRUE(path.endsWith("/VmLogTypesByMonth.csv")) << path.toStdString();
    ASSERT_TRUE(WriteStatisticsCsv(t, path));
    const QList<QStringList> rows = ReadCsv(path);
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0], (QStringList{"Category", "Jan", "Feb", "Mar", "Apr", "May", "Jun", "Jul",
                                    "Aug", "Sep", "Oct", "Nov", "Dec", "Total"}));
    EXPECT_EQ(rows[1].mid(0, 3), (QStringList{"'=Spa", "0", "1"}));
    EXPECT_EQ(rows[2].mid(0, 3), (QStringList{"Dining, Fine", "1", "1"}));
    EXPECT_EQ(rows[3].first(), "Total");
    EXPECT_EQ(rows[3].last(), "3");
    EXPECT_EQ(FileWrittenMessage(path, true),
              "The file: " + QDir::toNativeSeparators(path) + " has been created.");

    const QStringList names{
        "VmLogbookGraph", "VmLogTypesByMonth", "VmAllLogsByMonth",      "VmDoWGraph",
        "VmLogbookTime",  "VmLogsByConcierge", "VmContactsByConcierge", "VmEventsByConcierge"};
    QStringList files;
    for (int v = 0; v < StatViewCount; ++v)
        files << StatFileName(StatView(v));
    EXPECT_EQ(files, names);
}

} // namespace
} // namespace vm::test
