#include "core/LongText.h"
#include "core/StartOfDay.h"
#include "desk/QuickViewerFixture.h"

#include <atomic>
#include <latch>
#include <thread>

using namespace vm;
using namespace vm::test;

namespace {

class DailyTasks : public QuickViewerFixture {
protected:
    // Three masters with messages and a fourth without, all due every day.
    void seedThreeMessageTasks() {
        seed({"Daily", "Check the theatre tickets", "SunMonTueWedThuFriSat", 0, 0, "BB", "Bo Bell",
              "09:15", "Front", 10});
        seed({"Daily", longDescription(), "SunMonTueWedThuFriSat", 0, 0, "CC", "*Bell", "", "Front",
              20});
        seed({"Daily", "Count the umbrellas", "SunMonTueWedThuFriSat", 0, 0, "", "Ann Desk",
              "17:45", "Front", 30});
        seed({"Daily", "Water the lobby plants", "SunMonTueWedThuFriSat", 0, 0, "BB", "", "",
              "Lobby", 10});
    }
    static QString longDescription() {
        QString s;
        for (int i = 0; s.size() < 250; ++i)
            s += QString("step %1 ").arg(i, 3, 10, QChar('0'));
        return s.left(249) + "!";
    }
    int messageCount() { return rows("SELECT COUNT(*) FROM [MsgTimer]"); }
    int taskCount(const QDate& day) {
        return rows("SELECT COUNT(*) FROM [TaskStatus] WHERE [TaskDate] = ?",
                    {Formats::StoredDate(day)});
    }
};

TEST_F(DailyTasks, EachRecurrenceFallsOnItsOwnDays) {
    seed({"Daily", "every day", "SunMonTueWedThuFriSat"});
    seed({"Weekly", "mon and thu", "MonThu"});
    seed({"Monthly", "monthly 31", "", 0, 31});
    seed({"Monthly", "monthly 30", "", 0, 30});
    seed({"Monthly", "monthly 16", "", 0, 16});
    seed({"Monthly", "month end", "", 0, 99});
    seed({"Yearly", "yearly 14 march", "", 3, 14});
    seed({"Yearly", "yearly 29 feb", "", 2, 29});
    // Saved as yearly on 16 March, then changed to weekly on Tuesdays: the
    // old month and day must not keep it firing on 16 March.
    TaskMasterRow changed;
    changed.recurrence = "Yearly";
    changed.category = "Front";
    changed.description = "was yearly";
    changed.month = 3;
    changed.day = 16;
    ASSERT_EQ(SaveTaskMaster(ctx(), changed), "");
    changed.recurrence = "Weekly";
    changed.weekdayMask = "0010000";
    ASSERT_EQ(SaveTaskMaster(ctx(), changed), "");

    const struct {
        QDate day;
        QStringList expected;
    } cases[] = {
        {QDate(2026, 1, 31), {"every day", "month end", "monthly 31"}},
        {QDate(2026, 4, 30), {"every day", "mon and thu", "month end", "monthly 30"}},
        {QDate(2028, 2, 29), {"every day", "month end", "was yearly", "yearly 29 feb"}},
        {QDate(2026, 2, 28), {"every day", "month end"}},
        {QDate(2026, 3, 14), {"every day", "yearly 14 march"}},
        {QDate(2026, 3, 16), {"every day", "mon and thu", "monthly 16"}},
        {QDate(2026, 3, 17), {"every day", "was yearly"}},
        {QDate(2026, 3, 19), {"every day", "mon and thu"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.day.toString(Qt::ISODate).toStdString());
        setDay(c.day);
        EXPECT_EQ(BuildTodaysTasks(ctx()), c.expected.size());
        EXPECT_EQ(tasksOf(c.day), c.expected);
    }
}

TEST_F(DailyTasks, RowsCopyTheMasterAndStartUndone) {
    const qint64 id =
        seed({"Weekly", "Check the theatre tickets", "Sat", 0, 0, "BB", "", "", "Tickets", 30});
    EXPECT_EQ(BuildTodaysTasks(ctx()), 1);
    const auto r = db().queryOne("SELECT * FROM [TaskStatus]");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->number("TaskID"), id);
    EXPECT_EQ(r->number("Sequence"), 30);
    EXPECT_EQ(r->text("Category"), "Tickets");
    EXPECT_EQ(r->text("Initials"), "BB");
    EXPECT_EQ(r->text("TaskDate"), "2026/03/14");
    EXPECT_EQ(r->text("Completed"), "No");
}

TEST_F(DailyTasks, MessageTasksGetAMinuteEachAndAssigneesAReminder) {
    seedThreeMessageTasks();
    EXPECT_EQ(BuildTodaysTasks(ctx()), 4);
    const QString lead = TaskMessageLead + "\r\n";
    struct Expected {
        QString to, from, created, due, text;
    };
    const QList<Expected> expected = {
        {"Bo Bell", "Quick Viewer", "2026/03/14 08:01", "2026/03/14 09:15",
         lead + "Check the theatre tickets"},
        {"Bo Bell", "Quick Viewer  (2 Group)", "2026/03/14 08:02", "2026/03/14 00:00",
         lead + longDescription()},
        {"Cy Crew", "Quick Viewer  (2 Group)", "2026/03/14 08:02", "2026/03/14 00:00",
         lead + longDescription()},
        {"Ann Desk", "Quick Viewer", "2026/03/14 08:03", "2026/03/14 17:45",
         lead + "Count the umbrellas"},
        {"Bo Bell", "Quick Viewer", "2026/03/14 08:00", "2026/03/14 08:00", TaskListReminder},
        {"Cy Crew", "Quick Viewer", "2026/03/14 08:00", "2026/03/14 08:00", TaskListReminder},
    };
    const QList<StaffMsg> sent = messages();
    ASSERT_EQ(sent.size(), expected.size());
    for (int i = 0; i < sent.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(sent[i].recipient, expected[i].to);
        EXPECT_EQ(sent[i].sentFrom, expected[i].from);
        EXPECT_EQ(sent[i].created, expected[i].created);
        EXPECT_EQ(sent[i].due, expected[i].due);
        EXPECT_EQ(sent[i].text, expected[i].text);
        EXPECT_EQ(sent[i].logId, 0);
    }
}

TEST_F(DailyTasks, ALongDescriptionKeepsItsFirstHundredCharactersInTheRow) {
    TaskMasterRow m;
    m.recurrence = "Daily";
    m.category = "Front";
    m.description = longDescription();
    ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
    EXPECT_EQ(BuildTodaysTasks(ctx()), 1);
    EXPECT_EQ(db().scalar("SELECT [Description] FROM [TaskMaster]").toString(),
              longDescription().left(100));
    EXPECT_EQ(db().scalar("SELECT [Description] FROM [TaskStatus]").toString(),
              longDescription().left(100));
    EXPECT_EQ(GetECT(ctx(), m.masterId, TextKind::TaskDescription), longDescription().mid(100));
    EXPECT_EQ(GetECT(ctx(), m.masterId, TextKind::TaskDescription).size(), 150);
    ASSERT_EQ(GetTheTasks(ctx(), QDate(2026, 3, 14)).size(), 1);
    EXPECT_EQ(GetTheTasks(ctx(), QDate(2026, 3, 14))[0].description, longDescription());
}

TEST_F(DailyTasks, TwoDesksStartingTheSameDayBuildItOnce) {
    seedThreeMessageTasks();
    InstallQuickViewerHooks(ctx());
    OtherDesk second(ctx(), "DESK-2", env.clock.now());
    InstallQuickViewerHooks(second.ctx);

    // The second desk read yesterday's date before the first one finished:
    // it gets as far as the claim, which is taken.
    EXPECT_EQ(BuildTodaysTasks(ctx()), 4);
    EXPECT_EQ(BuildTodaysTasks(second.ctx), 0);
    EXPECT_TRUE(RunStartOfDay(second.ctx));
    EXPECT_FALSE(RunStartOfDay(ctx())) << "the second desk took the day";
    EXPECT_EQ(taskCount(QDate(2026, 3, 14)), 4);
    EXPECT_EQ(messageCount(), 6);
    EXPECT_TRUE(db().scalar("SELECT [CheckTask] FROM [Authorization]")
                    .toString()
                    .startsWith("2026/03/14 DESK-1"));

    // The next day belongs to whichever desk starts first.
    second.clock.advanceDays(1);
    env.clock.advanceDays(1);
    EXPECT_TRUE(RunStartOfDay(second.ctx));
    EXPECT_FALSE(RunStartOfDay(ctx()));
    EXPECT_EQ(taskCount(QDate(2026, 3, 15)), 4);
    EXPECT_EQ(messageCount(), 12);
    EXPECT_EQ(db().scalar("SELECT [CheckTask] FROM [Authorization]").toString(),
              "2026/03/15 DESK-2");
}

TEST_F(DailyTasks, DesksRacingOnTheirOwnConnectionsBuildEachDayOnce) {
    seedThreeMessageTasks();
    const DbLocation where = db().location();
    const AppContext& first = ctx();
    for (int round = 0; round < 4; ++round) {
        const QDate day = QDate(2026, 3, 20).addDays(round);
        std::latch ready(2);
        std::atomic<int> built[2] = {-1, -1};
        std::atomic<bool> failed = false;
        auto desk = [&](int n) {
            try {
                RecordingPrompt prompt;
                FixedClock clock(QDateTime(day, QTime(8, 0)));
                AppContext c(first.workstation, prompt, clock);
                c.workstation.computerName = QString("DESK-%1").arg(n + 1);
                c.current = Database::open(where, false);
                ready.arrive_and_wait();
                built[n] = BuildTodaysTasks(c);
            } catch (const std::exception&) {
                failed = true;
            }
        };
        std::thread a(desk, 0), b(desk, 1);
        a.join();
        b.join();
        SCOPED_TRACE(round);
        ASSERT_FALSE(failed);
        EXPECT_EQ(built[0] + built[1], 4);
        EXPECT_TRUE(built[0] == 0 || built[1] == 0);
        EXPECT_EQ(taskCount(day), 4);
        EXPECT_EQ(messageCount(), 6 * (round + 1));
    }
}

TEST_F(DailyTasks, AOneTimeTaskEnteredAheadDoesNotStopTheDaysBuild) {
    seed({"Daily", "every day", "SunMonTueWedThuFriSat"});
    const QDate tomorrow(2026, 3, 15);
    InsertOneTimeTask(ctx(), tomorrow, "Front", "Order flowers for the Olsen wedding", "AD");
    setDay(tomorrow);
    EXPECT_EQ(BuildTodaysTasks(ctx()), 1);
    EXPECT_EQ(tasksOf(tomorrow), QStringList({"Order flowers for the Olsen wedding", "every day"}));
    // The one-time task's assignee is reminded too.
    QStringList reminded;
    for (const StaffMsg& m : messages())
        reminded << m.recipient;
    EXPECT_EQ(reminded, QStringList({"Ann Desk"}));
}

TEST_F(DailyTasks, ADayAlreadyBuiltByAnEarlierReleaseIsNotBuiltAgain) {
    seed({"Daily", "every day", "SunMonTueWedThuFriSat"});
    db().exec("INSERT INTO [TaskStatus] ([TaskID], [TaskDate], [Completed]) VALUES (1, "
              "'2026/03/14', 'No')");
    EXPECT_EQ(BuildTodaysTasks(ctx()), 0);
    EXPECT_EQ(taskCount(QDate(2026, 3, 14)), 1);
    EXPECT_EQ(messageCount(), 0);
}

TEST_F(DailyTasks, ABuildThatFailsIsRolledBackAndTriedAtTheNextStart) {
    seedThreeMessageTasks();
    InstallQuickViewerHooks(ctx());
    db().exec("ALTER TABLE [MsgText] RENAME TO [MsgTextAway]");
    EXPECT_FALSE(RunStartOfDay(ctx()));
    EXPECT_TRUE(env.prompt.sawPart("BuildTodaysTasks"));
    EXPECT_EQ(taskCount(QDate(2026, 3, 14)), 0);
    EXPECT_EQ(messageCount(), 0);
    EXPECT_NE(db().scalar("SELECT [DailyDate] FROM [Authorization]").toString(), "2026/03/14");

    db().exec("ALTER TABLE [MsgTextAway] RENAME TO [MsgText]");
    EXPECT_TRUE(RunStartOfDay(ctx()));
    EXPECT_EQ(taskCount(QDate(2026, 3, 14)), 4);
    EXPECT_EQ(messageCount(), 6);
}

TEST_F(DailyTasks, OldRowsAndOrphanedTextsArePurgedWithTheBuild) {
    const auto task = [&](qint64 id, const QDate& day) {
        db().exec("INSERT INTO [TaskStatus] ([TaskID], [TaskDate], [Completed]) VALUES (?, ?, "
                  "'Yes')",
                  {id, Formats::StoredDate(day)});
    };
    const QDate today(2026, 3, 14);
    task(5, today.addDays(-31));
    task(6, today.addDays(-32));
    const qint64 kept = InsertOneTimeTask(ctx(), today.addDays(-3), "Front",
                                          QString(120, 'k').replace(50, 1, ' '), "AD");
    const qint64 purged = InsertOneTimeTask(ctx(), today.addDays(-40), "Front",
                                            QString(130, 'p').replace(50, 1, ' '), "AD");
    EXPECT_EQ(kept, -1);
    EXPECT_EQ(purged, -2);
    BuildTodaysTasks(ctx());
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [TaskStatus] WHERE [TaskID] = 5"), 1) << "31 days kept";
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [TaskStatus] WHERE [TaskID] IN (6, -2)"), 0);
    EXPECT_FALSE(GetECT(ctx(), kept, TextKind::TaskDescription).isEmpty());
    EXPECT_TRUE(GetECT(ctx(), purged, TextKind::TaskDescription).isEmpty());
}

TEST_F(DailyTasks, ADocumentIsShownThroughItsExpiryDayAndPurgedWithItsConfirmations) {
    InstallQuickViewerHooks(ctx());
    RunStartOfDay(ctx());
    QvDocument ends, goes;
    for (QvDocument* d : {&ends, &goes}) {
        d->description = "House rules";
        d->fileName = "/srv/docs/rules.pdf";
        d->effective = "2026/03/01";
    }
    ends.expiration = "2026/03/15";
    goes.expiration = "2026/03/14";
    ASSERT_EQ(InsertDocument(ctx(), ends), "");
    ASSERT_EQ(InsertDocument(ctx(), goes), "");
    InsertConfirmation(ctx(), ends.documentId);
    InsertConfirmation(ctx(), goes.documentId);

    env.clock.advanceDays(1); // 15 March
    EXPECT_TRUE(RunStartOfDay(ctx()));
    ASSERT_EQ(GetDocumentsAll(ctx()).size(), 1);
    EXPECT_EQ(GetDocumentsAll(ctx())[0].documentId, ends.documentId);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [DocsRead]"), 1);
}

} // namespace
