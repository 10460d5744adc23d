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
         "[LogBook].[LogID] IN (SELECT rowid FROM [LogBook_Search] WHERE [LastName] LIKE ? AND "
         "[FirstName] LIKE ?) AND [LogBook].[FirstName] LIKE ?",
         {"%O'Brien%", "pat%", "pat%"},
         "Where Last Name contains O\"Brien And FirstName starts with pat, Sorted by Last Name, "
         "First Name"},
        {{.by = SelectBy::LastName, .text = "O\"Brien, pa", .sortIndex = 0},
         "[LogBook].[LogID] IN (SELECT rowid FROM [LogBook_Search] WHERE [LastName] LIKE ?) AND "
         "[LogBook].[FirstName] LIKE ?",
         {"%O'Brien%", "pa%"},
         "Where Last Name contains O\"Brien And FirstName starts with pa, Sorted by Last Name, "
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

TEST_F(LogbookSearchDb, LastCommaFirstFindsTheSameEntriesHoweverTheNamesAreLookedUp) {
    // Long names go through the trigram table, short ones through LIKE alone:
    // the entries found are the same, and ASCII case does not matter.
    category("Dining");
    for (const auto& [last, first] :
         std::initializer_list<std::pair<const char*, const char*>>{{"Rossi", "Giulia"},
                                                                    {"Rossini", "Giuliana"},
                                                                    {"Rossi", "Gianni"},
                                                                    {"Bross", "giulia"},
                                                                    {"Rossi", "Anna Giulia"},
                                                                    {"Ross", "Giulia"},
                                                                    {"Rossi", "Élodie"}}) {
        LogEntry e = entry(last, "Dining", "2026/03/14");
        e.firstName = first;
        add(e);
    }
    const struct {
        const char* typed;
        QStringList found;
    } cases[] = {
        {"Rossi, Giulia", {"Rossi Giulia", "Rossini Giuliana"}},
        {"ross, GIU", {"Bross giulia", "Ross Giulia", "Rossi Giulia", "Rossini Giuliana"}},
        {"Ro, Gi",
         {"Bross giulia", "Ross Giulia", "Rossi Gianni", "Rossi Giulia", "Rossini Giuliana"}},
        {"ssin, giuliana", {"Rossini Giuliana"}},
        {"Rossi, Anna", {"Rossi Anna Giulia"}},
        {"Rossi, Zoe", {}},
        // Beyond ASCII the engine's own LIKE decides, as it always has: a
        // server ignores case there too, the file does not.
        {"Rossi, élo", UsingPostgres() ? QStringList{"Rossi Élodie"} : QStringList{}},
        {"Rossi, Élo", {"Rossi Élodie"}},
    };
    const Viewer viewer = LoadViewer(env.db(), env.ctx->session);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed);
        LogbookSelection s;
        s.by = SelectBy::LastName;
        s.text = c.typed;
        s.sortIndex = 0;
        s.engine = env.db().engine();
        ListRequest r;
        r.filter = BuildLogbookSelection(s).filter;
        r.sortIndex = 0;
        QStringList found;
        for (const ListRow& row : GetTheLogEntries(*env.ctx, viewer, r).rows)
            found << row.cells[ColLastName] + " " + row.cells[ColFirstName];
        found.sort();
        EXPECT_EQ(found, c.found);
    }
}
