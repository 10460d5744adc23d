#include "LogbookFixture.h"

#include "logbook/LogbookSearch.h"

using namespace vm;
using namespace vm::test;

TEST(LogbookSearch, SelectionsGiveTheirConditionAndDescription) {
    const QDate d(2026, 3, 14);
    const struct {
        LogbookSelection s;
        QString clause;
        QVariantList params;
        QString description;
    } cases[] = {
        {{.by = SelectBy::ReferDate, .from = d},
         "[LogBook].[ReferDate] = ?",
         {"2026/03/14"},
         "Where Reference Date is 03/14/2026, Sorted by Reference Date and Name"},
        {{.by = SelectBy::ArrivalDate, .from = d, .through = d.addDays(2)},
         "[LogBook].[ArrivalDate] >= ? AND [LogBook].[ArrivalDate] <= ?",
         {"2026/03/14", "2026/03/16"},
         "Where Arrival Date is between  03/14/2026 and 03/16/2026, Sorted by Reference Date and "
         "Name"},
        {{.by = SelectBy::LastName, .text = "O\"Brien, pat", .sortIndex = 0},
         "[LogBook].[LogID] IN (SELECT rowid FROM [LogBook_Search] WHERE [LastName] LIKE ?) AND "
         "[LogBook].[FirstName] LIKE ?",
         {"%O'Brien%", "pat%"},
         "Where Last Name contains O\"Brien And FirstName starts with pat, Sorted by Last Name, "
         "First Name"},
        {{.by = SelectBy::RoomNumber,
          .text = " 101 ",
          .category = "Spa",
          .status = StatusChoice::Open},
         "[LogBook].[RoomNumber] = ? AND [LogBook].[EntryType] = ? AND [LogBook].[Complete] = ?",
         {"101", "Spa", false},
         "Where Room Number is 101 And Category is Spa And Status is Open, Sorted by Reference "
         "Date and Name"},
        {{.category = "Spa", .noCancelled = true, .window = ListWindow::Last7Days, .sortIndex = 12},
         "[LogBook].[EntryType] = ? AND [LogBook].[Cancelled] = ?",
         {"Spa", false},
         "Where Category is Spa And Cancelled entries are not Included And Date Range is Last 7 "
         "Days, "
         "Sorted by Reference Date (Desc) and Name"},
        {{.sortIndex = 8},
         "",
         {},
         "Where All Entries Have Been Selected , Sorted by Status and Date"},
    };
    for (const auto& c : cases) {
        const BuiltSelection b = BuildLogbookSelection(c.s);
        EXPECT_EQ(b.refusal, "");
        EXPECT_EQ(b.filter.clause, c.clause);
        EXPECT_EQ(b.filter.params, c.params) << c.clause.toStdString();
        EXPECT_EQ(b.description, c.description);
    }
}

TEST(LogbookSearch, MissingInputIsRefusedWithTheFieldsMessage) {
    EXPECT_EQ(BuildLogbookSelection({.by = SelectBy::Concierge}).refusal,
              "Please enter the text you wish to use to filter your selections.");
    EXPECT_EQ(BuildLogbookSelection({.by = SelectBy::LogbookId, .text = "abc"}).refusal,
              "Please enter the Logbook ID number.");
    EXPECT_EQ(BuildLogbookSelection({.by = SelectBy::Group}).refusal,
              "Please select the Group Name you wish to use to filter your selections.");
    EXPECT_EQ(BuildLogbookSelection({.by = SelectBy::EntryDate}).refusal,
              "Please select the entry you wish to use to filter your selections.");
}

class LogbookSearchDb : public LogbookFixture {};

TEST_F(LogbookSearchDb, DueAndOverdueListsOpenEntriesThatHaveCome) {
    category("Dining");
    add(entry("Past", "Dining", "2026/03/10"));
    add(entry("Today", "Dining", "2026/03/14"));
    add(entry("Future", "Dining", "2026/03/20"));
    LogEntry done = entry("Done", "Dining", "2026/03/11");
    done.complete = true;
    add(done);
    LogEntry off = entry("Off", "Dining", "2026/03/11");
    off.cancelled = true;
    add(off);
    ListRequest r;
    r.filter = DueAndOverdueSelection(env.clock.today()).filter;
    r.sortIndex = 2;
    const LogList l = GetTheLogEntries(*env.ctx, LoadViewer(env.db(), env.ctx->session), r);
    QStringList names;
    for (const ListRow& row : l.rows)
        names << row.cells[ColLastName];
    EXPECT_EQ(names, QStringList({"Past", "Today"}));
}
