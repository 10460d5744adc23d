#include "LogbookFixture.h"

#include "core/Settings.h"
#include "logbook/EntryRules.h"
#include "logbook/LogbookList.h"
#include "logbook/LogbookSearch.h"

#include <QSqlDatabase>
#include <QSqlQuery>

using namespace vm;
using namespace vm::test;

class LogbookListTest : public LogbookFixture {
protected:
    LogList list(const ListRequest& r = {}) {
        return GetTheLogEntries(*env.ctx, LoadViewer(env.db(), env.ctx->session), r);
    }
    QStringList lastNames(const LogList& l) {
        QStringList out;
        for (const ListRow& r : l.rows)
            out << r.cells[ColLastName];
        return out;
    }
    void addAt(const QString& last, const QString& first, const QString& room,
               const QString& category, const QString& referDate, const QString& time,
               StatusFlags s = {}) {
        LogEntry e = entry(last, category, referDate);
        e.firstName = first;
        e.roomNumber = room;
        e.referTime = time;
        e.complete = s.complete;
        e.pending = s.pending;
        e.onHold = s.onHold;
        e.cancelled = s.cancelled;
        add(e);
    }
};

TEST_F(LogbookListTest, SortOrdersArrangeRowsAsNamed) {
    category("Dining");
    category("Spa");
    addAt("Cole", "Ann", "300", "Spa", "2026/03/15", "08:00", {.complete = true});
    addAt("Abel", "Zed", "100", "Dining", "2026/03/16", "07:00", {.pending = true});
    addAt("Abel", "Amy", "200", "Spa", "2026/03/15", "09:00", {.onHold = true});
    addAt("Baker", "Bo", "100", "Dining", "2026/03/15", "09:00");

    const struct {
        int sort;
        QStringList expected;
    } cases[] = {
        {0, {"Abel", "Abel", "Baker", "Cole"}},
        {1, {"Baker", "Abel", "Abel", "Cole"}}, // room, then refer date
        {2, {"Cole", "Abel", "Baker", "Abel"}}, // refer date, time, name
        {11, {"Cole", "Abel", "Baker", "Abel"}},
        {3, {"Abel", "Baker", "Abel", "Cole"}},  // category, name
        {6, {"Cole", "Baker", "Abel", "Abel"}},  // date, time, category, name
        {8, {"Abel", "Abel", "Cole", "Baker"}},  // on hold, pending, complete first
        {12, {"Abel", "Cole", "Abel", "Baker"}}, // refer date descending
    };
    for (const auto& c : cases) {
        ListRequest r;
        r.sortIndex = c.sort;
        const LogList l = list(r);
        EXPECT_EQ(lastNames(l), c.expected) << "sort " << c.sort;
    }
    ListRequest byFirst;
    byFirst.sortIndex = 0;
    EXPECT_EQ(list(byFirst).rows[0].cells[ColFirstName], "Amy");
}

TEST_F(LogbookListTest, OrderClausesForGuestIdAndUnknownIndexes) {
    EXPECT_EQ(OrderByClause(4, true), "[LogBook].[GuestID]");
    EXPECT_TRUE(OrderByClause(4, false).startsWith("[LogBook].[Notified], "));
    EXPECT_EQ(OrderByClause(2, false), OrderByClause(11, false));
    EXPECT_EQ(OrderByClause(13, false), "");
    EXPECT_EQ(OrderByClause(-1, false), "");
}

TEST_F(LogbookListTest, YesterdayAndTodayWindowUsesEntryDate) {
    category("Dining");
    for (int day : {28, 1, 2}) {
        env.clock.set(QDateTime(QDate(2026, day == 28 ? 2 : 3, day), QTime(10, 0)));
        add(entry(QString("Day%1").arg(day), "Dining", "2026/03/20"));
    }
    env.clock.set(QDateTime(QDate(2026, 3, 2), QTime(12, 0)));
    ListRequest r;
    r.window = ListWindow::YesterdayAndToday;
    r.sortIndex = 10;
    EXPECT_EQ(lastNames(list(r)), QStringList({"Day1", "Day2"}));
    r.window = ListWindow::Last7Days;
    EXPECT_EQ(list(r).rows.size(), 3u);
    // A selection by a date column brings its own frame.
    r.window = ListWindow::YesterdayAndToday;
    r.filter = {"[LogBook].[ReferDate] = ?", {"2026/03/20"}};
    EXPECT_EQ(list(r).rows.size(), 3u);
}

TEST_F(LogbookListTest, RestrictedMemberSeesOnlyRestrictedEntriesEvenWithAllLogs) {
    category("Public");
    category("Backroom", /*restricted*/ true);
    category("Reservations", false, /*reserved*/ true);
    add(entry("Visible", "Backroom", "2026/03/14"));
    add(entry("Hidden", "Public", "2026/03/14"));
    add(entry("Reserved", "Reservations", "2026/03/14"));

    const qint64 restricted = env.addStaff("Rae Temp", "rae", "RT", false, true);
    env.db().exec("UPDATE [Concierge] SET [AllLogs] = ? WHERE [ConciergeID] = ?",
                  {true, restricted});
    env.logOn(restricted);
    EXPECT_EQ(lastNames(list()), QStringList{"Visible"});
    QStringList names;
    for (const Category& c : GetLogbookTypes(env.db(), LoadViewer(env.db(), env.ctx->session)))
        names << c.name;
    EXPECT_EQ(names, QStringList{"Backroom"});

    env.logOn(staffId); // not a manager: reservation categories stay hidden
    ListRequest byName;
    byName.sortIndex = 0;
    EXPECT_EQ(lastNames(list(byName)), QStringList({"Hidden", "Visible"}));

    const qint64 manager = env.addStaff("Max Boss", "max", "MB", true);
    env.logOn(manager);
    EXPECT_EQ(list(byName).rows.size(), 3u);
}

TEST_F(LogbookListTest, WithoutAllLogsOnlyThePersonalCategoriesShow) {
    category("Dining");
    category("Spa");
    add(entry("Eats", "Dining", "2026/03/14"));
    add(entry("Relax", "Spa", "2026/03/14"));
    env.db().exec("UPDATE [Concierge] SET [AllLogs] = ? WHERE [ConciergeID] = ?", {false, staffId});
    env.db().exec("INSERT INTO [EvConText] ([EvConKey], [EvConType], [Sequence], [NoteField]) "
                  "VALUES (?, 'U', 1, 'spa')",
                  {staffId});
    env.logOn(staffId);
    EXPECT_EQ(lastNames(list()), QStringList{"Relax"});
    EXPECT_TRUE(IsUserCategory(env.db(), staffId, "Spa"));
    const auto types = GetLogbookTypes(env.db(), LoadViewer(env.db(), env.ctx->session));
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(types[0].name, "Spa");
}

TEST_F(LogbookListTest, RowCellsCarryMarkersFullTextStatusAndCaption) {
    category("Dining");
    const qint64 profile = env.db().insert("INSERT INTO [Profile] ([FirstName], [LastName], "
                                           "[ProfileType]) VALUES ('Pat', 'Smith', 'VIP')",
                                           {}, "ProfileID");
    LogEntry e = entry("Smith", "Dining", "2026/03/14", QString(600, 'n'));
    e.cancelled = true;
    e.complete = true;
    e.profileId = profile;
    e.arrivalDate = "2026/03/12";
    add(e);
    LogEntry plain = entry("Jones", "Dining", "2026/03/14");
    plain.profileId = 99999; // a profile that is gone
    plain.pending = true;
    add(plain);

    ListRequest r;
    r.sortIndex = 0;
    const LogList l = list(r);
    ASSERT_EQ(l.rows.size(), 2u);
    EXPECT_EQ(l.rows[0].cells[ColLastName], "Jones (P)");
    EXPECT_EQ(l.rows[0].status, "Pending");
    EXPECT_EQ(l.rows[1].cells[ColLastName], "Smith  (CXL) (VIP)");
    EXPECT_EQ(l.rows[1].cells[ColText], QString(600, 'n'));
    EXPECT_EQ(l.rows[1].status, "Cancelled");
    EXPECT_EQ(l.rows[1].arrivalDate, "03/12/2026");
    EXPECT_EQ(l.caption, "2 Entries were selected");

    r.filter = {"[LogBook].[LastName] LIKE ?", {"%nobody%"}};
    EXPECT_EQ(list(r).caption, " 0 Entries were selected.");
    EXPECT_EQ(CountCaption(1234), "1,234 Entries were selected");
}

TEST(LogbookStatus, ColourStatusPrecedence) {
    EXPECT_EQ(StatusOf(true, true, true, true), "Cancelled");
    EXPECT_EQ(StatusOf(true, false, true, true), "OnHold");
    EXPECT_EQ(StatusOf(true, false, false, true), "Pending");
    EXPECT_EQ(StatusOf(true, false, false, false), "Complete");
    EXPECT_EQ(StatusOf(false, false, false, false), "Incomplete");
}

TEST_F(LogbookListTest, MostUsedCategoriesAreRankedAndFilteredForTheMember) {
    category("Dining");
    category("Spa");
    category("Backroom", true);
    for (int i = 0; i < 3; ++i)
        add(entry("S", "Spa", "2026/03/14"));
    for (int i = 0; i < 2; ++i)
        add(entry("B", "Backroom", "2026/03/14"));
    add(entry("D", "dining", "2026/03/14"));
    add(entry("X", "Gone Category", "2026/03/14"));
    const Viewer all = LoadViewer(env.db(), env.ctx->session);
    EXPECT_EQ(GetLogbookTypes10(env.db(), all), QStringList({"Spa", "Backroom", "Dining"}));
    const qint64 rae = env.addStaff("Rae Temp", "rae", "RT", false, true);
    env.logOn(rae);
    EXPECT_EQ(GetLogbookTypes10(env.db(), LoadViewer(env.db(), env.ctx->session)),
              QStringList{"Backroom"});
}

TEST_F(LogbookListTest, LongTextsOfManyRowsEachGetTheirOwnPieces) {
    // Pieces are read for several rows at once, in statements of a fixed number
    // of keys: one row, a few, and more than one statement's worth.
    category("Dining");
    int made = 0;
    for (const int longOnes : {1, 9, 520}) {
        SCOPED_TRACE(longOnes);
        env.db().transaction([&] {
            for (int i = 0; i < longOnes; ++i, ++made) {
                LogEntry e = entry(QString("Long%1").arg(made, 4, 10, QChar('0')), "Dining",
                                   "2026/03/14", QString("%1:").arg(made).repeated(150));
                add(e);
            }
        });
        add(entry(QString("Short%1").arg(made), "Dining", "2026/03/14", "short note"));
        ListRequest r;
        r.sortIndex = 0;
        const LogList l = list(r);
        int checked = 0;
        for (const ListRow& row : l.rows) {
            const QString name = row.cells[ColLastName];
            if (!name.startsWith("Long")) {
                EXPECT_EQ(row.cells[ColText], "short note");
                continue;
            }
            const int n = name.mid(4).toInt();
            ASSERT_EQ(row.cells[ColText], QString("%1:").arg(n).repeated(150)) << n;
            ++checked;
        }
        EXPECT_EQ(checked, made);
        // The count before a list of everything agrees with the list.
        EXPECT_EQ(CountSelection(*env.ctx, LoadViewer(env.db(), env.ctx->session), r),
                  qint64(l.rows.size()));
    }
}

namespace {
// Answers the size question after looking whether another desk could save meanwhile.
class ProbingPrompt : public Prompt {
public:
    std::function<void()> onQuestion;
    QStringList shown;
    void message(const QString& text, const QString&, Icon) override { shown << text; }
    Answer ask(const QString& text, const QString&, Buttons, Icon, Answer) override {
        shown << text;
        if (onQuestion) onQuestion();
        return Answer::No;
    }
    std::optional<QString> input(const QString&, const QString&, const QString&, bool) override {
        ADD_FAILURE() << "no input was expected";
        return std::nullopt;
    }
};
} // namespace

TEST(LogbookSelection, TheSizeQuestionIsAskedWithNoReadHoldingOffOtherDesks) {
    // A member may take minutes to answer: the file must not stay locked
    // meanwhile.  The shared-file case, so on SQLite.
    TestEnv env;
    env.ctx->start.postgres.clear();
    env.openOrFail();
    env.logOn(env.addStaff("Ann Desk", "ann", "AD"));
    InsertCategory(env.db(), "Dining");
    env.db().transaction([&] {
        for (int i = 0; i < 501; ++i)
            env.db().exec("INSERT INTO [LogBook] ([LastName], [EntryType], [ReferDate]) VALUES (?, "
                          "'Dining', '2026/03/14')",
                          {QString("Guest%1").arg(i)});
    });
    ProbingPrompt probe;
    int otherDeskSaves = 0;
    const QString file = env.db().location().file;
    probe.onQuestion = [&] {
        QSqlDatabase other = QSqlDatabase::addDatabase("QSQLITE", "other-desk");
        other.setDatabaseName(file);
        other.setConnectOptions("QSQLITE_BUSY_TIMEOUT=0");
        if (other.open()) {
            QSqlQuery save(other);
            otherDeskSaves +=
                save.exec("UPDATE \"LogBook\" SET \"Complete\" = 1 WHERE \"LogID\" = 1");
        }
    };
    // The page's context with the probing prompt, on the same databases.
    AppContext page(env.ctx->workstation, probe, env.clock);
    page.session = env.ctx->session;
    page.current = std::move(env.ctx->current);
    ListRequest everything;
    const std::optional<LogList> list = ListSelection(page, everything, true);
    env.ctx->current = std::move(page.current);
    QSqlDatabase::removeDatabase("other-desk");

    EXPECT_FALSE(list.has_value()); // answered No
    ASSERT_EQ(probe.shown.size(), 1);
    EXPECT_EQ(otherDeskSaves, 1);
    EXPECT_EQ(probe.shown[0], LogbookListGuard.listThemAllQuestion(501));
    // Without the guard the same request lists every row.
    const auto all = ListSelection(*env.ctx, everything, false);
    ASSERT_TRUE(all.has_value());
    EXPECT_EQ(all->rows.size(), 501u);
}
