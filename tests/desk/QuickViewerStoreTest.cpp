#include "core/LongText.h"
#include "desk/QuickViewerFixture.h"
#include "guests/Groups.h"

#include <functional>

using namespace vm;
using namespace vm::test;

namespace {

class QuickViewerStore : public QuickViewerFixture {
protected:
    TaskMasterRow master(const QString& recurrence, const QString& description,
                         const QString& category = "Front") {
        TaskMasterRow m;
        m.recurrence = recurrence;
        m.description = description;
        m.category = category;
        return m;
    }
    QString saved(TaskMasterRow m) { return SaveTaskMaster(ctx(), m); }
    int textRows(qint64 key) {
        return rows("SELECT COUNT(*) FROM [EvConText] WHERE [EvConType] = 'T' AND [EvConKey] = ?",
                    {key});
    }
};

// ------------------------------------------------------------------ master tasks

TEST_F(QuickViewerStore, MasterTaskRefusalsComeInTheirOrder) {
    struct Case {
        const char* name;
        TaskMasterRow row;
        QString refusal;
    };
    auto with = [&](TaskMasterRow m, auto change) {
        change(m);
        return m;
    };
    const TaskMasterRow weekly = master("Weekly", "Sort the mail");
    const TaskMasterRow monthly = master("Monthly", "Pay the florist");
    const TaskMasterRow yearly = master("Yearly", "Renew the licence");
    const std::vector<Case> cases = {
        {"weekly without days, before the empty description",
         with(weekly, [](auto& m) { m.description.clear(); }), MsgTaskWeekdays},
        {"monthly without a day", monthly, MsgTaskMonthDay},
        {"monthly day 29", with(monthly, [](auto& m) { m.day = 29; }), MsgTaskMonthDayRange},
        {"monthly negative day", with(monthly, [](auto& m) { m.day = -3; }), MsgTaskMonthDayRange},
        {"yearly without a month", with(yearly, [](auto& m) { m.day = 4; }), MsgTaskMonth},
        {"yearly 31 April",
         with(yearly,
              [](auto& m) {
                  m.month = 4;
                  m.day = 31;
              }),
         "The day of the month must be a number between 1 and 30."},
        {"yearly 29 February",
         with(yearly,
              [](auto& m) {
                  m.month = 2;
                  m.day = 29;
              }),
         "The day of the month must be a number between 1 and 28."},
        {"no description, before no category", with(master("Daily", " ", ""), [](auto&) {}),
         MsgTaskDescription},
        {"no category", master("Daily", "Sort the mail", " "), MsgTaskCategory},
        {"bad message time",
         with(master("Daily", "Sort the mail"), [](auto& m) { m.messageTime = "25:10"; }),
         MsgTaskMessageTime},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(saved(c.row), c.refusal);
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [TaskMaster]"), 0);
    EXPECT_EQ(MsgTaskMonthDayRange, "The day of the month must be a number \r\nbetween 1 and 28.");
}

TEST_F(QuickViewerStore, SavedMastersKeepOnlyTheFieldsTheirRecurrenceUses) {
    struct Case {
        QString recurrence, mask;
        int month, day;
        QString taskDoW;
        int storedMonth, storedDay;
    };
    const Case cases[] = {
        {"Daily", "0000000", 5, 12, "SunMonTueWedThuFriSat", 0, 0},
        {"Weekly", "0100100", 5, 12, "MonThu", 0, 0},
        {"Weekly", "1000001", 0, 0, "SunSat", 0, 0},
        {"Monthly", "1111111", 5, 12, "", 0, 12},
        {"Monthly", "0000000", 0, 99, "", 0, 99},
        {"Yearly", "0100000", 5, 31, "", 5, 31},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE((c.recurrence + c.mask).toStdString());
        TaskMasterRow m = master(c.recurrence, "Check the tickets");
        m.weekdayMask = c.mask;
        m.month = c.month;
        m.day = c.day;
        m.messageTime = "9:05 AM";
        ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
        const auto r =
            db().queryOne("SELECT * FROM [TaskMaster] WHERE [MasterID] = ?", {m.masterId});
        ASSERT_TRUE(r.has_value());
        EXPECT_EQ(r->text("TaskDoW").trimmed(), c.taskDoW);
        EXPECT_EQ(r->number("TaskMonth"), c.storedMonth);
        EXPECT_EQ(r->number("TaskDay"), c.storedDay);
        EXPECT_EQ(r->text("MessageTime"), "09:05");
    }
    // Read back: the mask comes from the stored days.
    const QList<TaskMasterRow> all = GetTaskMasters(ctx());
    ASSERT_EQ(all.size(), 6);
    EXPECT_EQ(all[0].recurrence, "Daily");
    EXPECT_EQ(all[0].weekdayMask, "1111111");
    EXPECT_EQ(all[3].recurrence, "Weekly");
    EXPECT_EQ(all[3].weekdayMask, "0100100");
    EXPECT_EQ(all[4].weekdayMask, "1000001");
    EXPECT_EQ(all[5].recurrence, "Yearly");
}

TEST_F(QuickViewerStore, DescriptionsAreCleanedBeforeTheyAreCut) {
    struct Case {
        const char* name;
        QString typed, stored; // stored: the whole text as it reads back
        int headSize;
    };
    const QString words = QString(98, 'a') + " b" + QString(20, 'c'); // the 100th is 'b'
    const Case cases[] = {
        {"ampersand at the cut", QString(99, 'x') + "&" + QString(30, 'y'),
         QString(99, 'x') + "and" + QString(30, 'y'), 100},
        {"quotes and bars", QString(60, 'q') + "\"|" + QString(60, 'r'),
         QString(60, 'q') + "'!" + QString(60, 'r'), 100},
        {"a blank at the cut moves it back a character", QString(100, 'w') + " after",
         QString(100, 'w') + " after", 99},
        {"a blank before the cut ends the column", QString(99, 'a') + " tail",
         QString(99, 'a') + " tail", 100},
        {"word break inside", words, words, 100},
        {"short text", "  Sort the mail  ", "Sort the mail", 13},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TaskMasterRow m = master("Daily", c.typed);
        ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
        const QString head =
            db().scalar("SELECT [Description] FROM [TaskMaster] WHERE [MasterID] = ?", {m.masterId})
                .toString();
        EXPECT_LE(head.size(), 100);
        EXPECT_EQ(head.size(), c.headSize);
        EXPECT_EQ(m.description, c.stored);
        const QList<TaskMasterRow> all = GetTaskMasters(ctx());
        const auto found = std::find_if(all.cbegin(), all.cend(), [&](const TaskMasterRow& r) {
            return r.masterId == m.masterId;
        });
        ASSERT_NE(found, all.cend());
        EXPECT_EQ(found->description, c.stored);
    }
}

TEST_F(QuickViewerStore, SavingAgainRewritesTheContinuation) {
    TaskMasterRow m = master("Daily", QString(400, 'z'));
    ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
    EXPECT_EQ(textRows(m.masterId), 2) << "300 characters: two pieces";
    m.description = QString(150, 'y');
    ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
    EXPECT_EQ(textRows(m.masterId), 1);
    EXPECT_EQ(GetECT(ctx(), m.masterId, TextKind::TaskDescription), QString(50, 'y'));
    m.description = "Short now";
    ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
    EXPECT_EQ(textRows(m.masterId), 0);
    EXPECT_EQ(GetTaskMasters(ctx()).at(0).description, "Short now");
}

TEST_F(QuickViewerStore, ResequencingNumbersEachCategoryAndRecurrenceFromTen) {
    const auto add = [&](const QString& recurrence, const QString& category, int sequence) {
        TaskMasterRow m = master(recurrence, category + " " + QString::number(sequence), category);
        m.weekdayMask = "0000010";
        m.sequence = sequence;
        EXPECT_EQ(SaveTaskMaster(ctx(), m), "");
        return m.masterId;
    };
    const qint64 a7 = add("Daily", "Bell", 7);
    const qint64 a3 = add("Daily", "Bell", 3);
    const qint64 a50 = add("Daily", "Bell", 50);
    const qint64 w1 = add("Weekly", "Bell", 1);
    const qint64 f9 = add("Daily", "Front", 9);
    const qint64 f2 = add("Daily", "Front", 2);
    ResequenceTasks(ctx());
    const auto sequenceOf = [&](qint64 id) {
        return rows("SELECT [Sequence] FROM [TaskMaster] WHERE [MasterID] = ?", {id});
    };
    EXPECT_EQ(sequenceOf(a3), 10);
    EXPECT_EQ(sequenceOf(a7), 20);
    EXPECT_EQ(sequenceOf(a50), 30);
    EXPECT_EQ(sequenceOf(w1), 10);
    EXPECT_EQ(sequenceOf(f2), 10);
    EXPECT_EQ(sequenceOf(f9), 20);
}

TEST_F(QuickViewerStore, DeletingAMasterTakesItsDaysAndItsText) {
    TaskMasterRow m = master("Daily", QString(180, 'd'));
    TaskMasterRow other = master("Daily", QString(180, 'o'));
    ASSERT_EQ(SaveTaskMaster(ctx(), m), "");
    ASSERT_EQ(SaveTaskMaster(ctx(), other), "");
    ASSERT_EQ(BuildTodaysTasks(ctx()), 2);
    DeleteTask(ctx(), m.masterId);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [TaskMaster]"), 1);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [TaskStatus] WHERE [TaskID] = ?", {m.masterId}), 0);
    EXPECT_EQ(textRows(m.masterId), 0);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [TaskStatus]"), 1);
    EXPECT_EQ(textRows(other.masterId), 1);
}

// ------------------------------------------------------------------ the day's tasks

TEST_F(QuickViewerStore, TheDaysTasksComeOpenFirstAndByCategory) {
    const QDate today(2026, 3, 14);
    const qint64 done = InsertOneTimeTask(ctx(), today, "Alpha", "done one", "AD");
    InsertOneTimeTask(ctx(), today, "Lobby", "lobby open", "AD");
    InsertOneTimeTask(ctx(), today, "Alpha", "alpha open", "AD");
    InsertOneTimeTask(ctx(), today.addDays(-1), "Alpha", "yesterday", "AD");
    const qint64 statusOfDone =
        db().scalar("SELECT [StatusID] FROM [TaskStatus] WHERE [TaskID] = ?", {done}).toLongLong();
    ASSERT_EQ(UpdateTaskStatus(ctx(), statusOfDone, true, ""), "");

    QStringList order;
    for (const TaskStatusRow& t : GetTheTasks(ctx(), today))
        order << t.description;
    EXPECT_EQ(order, QStringList({"alpha open", "lobby open", "done one"}));
    order.clear();
    for (const TaskStatusRow& t : GetTheTasks(ctx(), today, "Alpha"))
        order << t.description;
    EXPECT_EQ(order, QStringList({"alpha open", "done one"}));
    EXPECT_EQ(GetTheTasks(ctx(), today, "All").size(), 3);
    EXPECT_EQ(GetTheTasks(ctx(), today.addDays(-1)).size(), 1);

    EXPECT_TRUE(TasksDayAvailable(today, today));
    EXPECT_TRUE(TasksDayAvailable(today.addDays(-31), today));
    EXPECT_FALSE(TasksDayAvailable(today.addDays(-32), today));
    EXPECT_FALSE(TasksDayAvailable(today.addDays(1), today));
}

TEST_F(QuickViewerStore, OneTimeTasksCountDownFromMinusOne) {
    const QDate today(2026, 3, 14);
    EXPECT_EQ(InsertOneTimeTask(ctx(), today, "Front", "first", "AD"), -1);
    EXPECT_EQ(InsertOneTimeTask(ctx(), today, "Front", "second", "AD"), -2);
    db().exec("INSERT INTO [TaskStatus] ([TaskID], [TaskDate]) VALUES (40, '2026/03/14')");
    EXPECT_EQ(InsertOneTimeTask(ctx(), today, "Front", "third", "AD"), -3);
    const auto r = db().queryOne("SELECT * FROM [TaskStatus] WHERE [TaskID] = -3");
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->text("Completed"), "No");
    EXPECT_EQ(r->text("TaskDate"), "2026/03/14");
    EXPECT_EQ(r->text("Initials"), "AD");
}

TEST_F(QuickViewerStore, AReusedOneTimeIdNeverShowsAnOldText) {
    const QDate today(2026, 3, 14);
    // A continuation left behind under -1 by an old task that is gone.
    PutECT(ctx(), -1, TextKind::TaskDescription, "of an old task");
    EXPECT_EQ(InsertOneTimeTask(ctx(), today, "Front", "New task", "AD"), -1);
    EXPECT_EQ(GetTheTasks(ctx(), today).at(0).description, "New task");
    EXPECT_EQ(textRows(-1), 0);
}

TEST_F(QuickViewerStore, TickingUntickingAndUndoing) {
    const QDate today(2026, 3, 14);
    InsertOneTimeTask(ctx(), today, "Front", "Count the umbrellas", "BB");
    const qint64 id = db().scalar("SELECT [StatusID] FROM [TaskStatus]").toLongLong();
    const auto row = [&] { return GetTheTasks(ctx(), today).at(0); };

    EXPECT_EQ(UpdateTaskStatus(ctx(), id, false, "  "), MsgTaskNoteRequired);
    EXPECT_EQ(row().completedBy, "");
    EXPECT_EQ(UpdateTaskStatus(ctx(), id, false, QString(256, 'n')), MsgTaskNoteTooLong);

    env.clock.set(QDateTime(today, QTime(10, 42)));
    ASSERT_EQ(UpdateTaskStatus(ctx(), id, true, "Twelve, two broken"), "");
    TaskStatusRow t = row();
    EXPECT_TRUE(t.done());
    EXPECT_EQ(t.completedBy, "AD");
    EXPECT_EQ(t.completionDateTime, "2026/03/14 10:42");
    EXPECT_EQ(t.notes, "Twelve, two broken");
    EXPECT_EQ(CountOpenTasks(ctx(), today), 0);

    ASSERT_EQ(UpdateTaskStatus(ctx(), id, false, "Storeroom locked"), "");
    EXPECT_FALSE(row().done());
    EXPECT_EQ(row().notes, "Storeroom locked");

    UndoTaskStatus(ctx(), id);
    t = row();
    EXPECT_EQ(t.completed, "No");
    EXPECT_EQ(t.completedBy, "");
    EXPECT_EQ(t.completionDateTime, "");
    EXPECT_EQ(t.notes, "");
    EXPECT_EQ(CountOpenTasks(ctx(), today), 1);
}

// ------------------------------------------------------------------ diary

TEST_F(QuickViewerStore, DiaryOccurrencesNeverPassTheThroughDate) {
    const auto d = [](int m, int day, int y = 2026) { return QDate(y, m, day); };
    struct Case {
        const char* name;
        DiaryRequest request;
        QList<QDate> dates;
    };
    auto req = [](QDate from, QDate through, DiaryRepeat repeat, int weekday = 0,
                  int dayOfMonth = 0) {
        DiaryRequest r;
        r.from = from;
        r.through = through;
        r.repeat = repeat;
        r.weekday = weekday;
        r.dayOfMonth = dayOfMonth;
        return r;
    };
    const std::vector<Case> cases = {
        {"once", req(d(3, 5), d(3, 9), DiaryRepeat::None), {d(3, 5)}},
        {"daily",
         req(d(3, 30), d(4, 2), DiaryRepeat::Daily),
         {d(3, 30), d(3, 31), d(4, 1), d(4, 2)}},
        {"biweekly 1 to 29 March",
         req(d(3, 1), d(3, 29), DiaryRepeat::BiWeekly, Qt::Sunday),
         {d(3, 1), d(3, 15), d(3, 29)}},
        {"biweekly over three weeks",
         req(d(3, 1), d(3, 27), DiaryRepeat::BiWeekly, Qt::Sunday),
         {d(3, 1), d(3, 15)}},
        {"weekly Wednesday to Tuesday",
         req(d(3, 4), d(3, 10), DiaryRepeat::Weekly, Qt::Wednesday),
         {d(3, 4)}},
        {"weekly start moves to the weekday",
         req(d(3, 2), d(3, 20), DiaryRepeat::Weekly, Qt::Friday),
         {d(3, 6), d(3, 13), d(3, 20)}},
        {"weekday beyond the range", req(d(3, 2), d(3, 4), DiaryRepeat::Weekly, Qt::Friday), {}},
        {"monthly 31 January to 1 February",
         req(d(1, 31), d(2, 1), DiaryRepeat::Monthly, 0, 31),
         {d(1, 31)}},
        {"monthly the 31st falls on short months' last day",
         req(d(1, 15), d(4, 30), DiaryRepeat::Monthly, 0, 31),
         {d(1, 31), d(2, 28), d(3, 31), d(4, 30)}},
        {"monthly start moves to the next month",
         req(d(1, 20), d(3, 10), DiaryRepeat::Monthly, 0, 10),
         {d(2, 10), d(3, 10)}},
        {"leap February",
         req(d(1, 29, 2028), d(3, 29, 2028), DiaryRepeat::Monthly, 0, 29),
         {d(1, 29, 2028), d(2, 29, 2028), d(3, 29, 2028)}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(DiaryOccurrences(c.request), c.dates);
    }
}

TEST_F(QuickViewerStore, DiaryNotesAreCheckedAndStoredPerOccurrence) {
    DiaryRequest r;
    r.from = QDate(2026, 3, 1);
    r.through = QDate(2026, 3, 29);
    r.repeat = DiaryRepeat::BiWeekly;
    r.text = "Fire drill & briefing";
    r.group = "Bell";
    r.color = 255;
    const struct {
        const char* name;
        std::function<void(DiaryRequest&)> spoil;
        QString refusal;
    } refusals[] = {
        {"through before start", [](auto& x) { x.through = x.from.addDays(-1); },
         MsgDiaryThroughDate},
        {"no start", [](auto& x) { x.from = {}; }, MsgDiaryDates},
        {"no weekday", [](auto&) {}, MsgDiaryWeekday},
        {"no day of month",
         [](auto& x) {
             x.repeat = DiaryRepeat::Monthly;
             x.dayOfMonth = 0;
         },
         MsgDiaryMonthDay},
        {"no text",
         [](auto& x) {
             x.weekday = Qt::Sunday;
             x.text = "  ";
         },
         MsgDiaryText},
        {"text too long",
         [](auto& x) {
             x.weekday = Qt::Sunday;
             x.text = QString(256, 't');
         },
         MsgDiaryTextTooLong},
        {"no such day in the range",
         [](auto& x) {
             x.repeat = DiaryRepeat::Weekly;
             x.weekday = Qt::Monday;
             x.from = QDate(2026, 3, 3);
             x.through = QDate(2026, 3, 5);
         },
         MsgDiaryNoOccurrence},
        {"years of days",
         [](auto& x) {
             x.repeat = DiaryRepeat::Daily;
             x.through = x.from.addYears(5);
         },
         MsgDiaryTooMany},
    };
    for (const auto& c : refusals) {
        SCOPED_TRACE(c.name);
        DiaryRequest bad = r;
        c.spoil(bad);
        EXPECT_EQ(InsertDatedNotes(ctx(), bad), c.refusal);
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [DayNotes]"), 0);

    r.weekday = Qt::Sunday;
    ASSERT_EQ(InsertDatedNotes(ctx(), r), "");
    QStringList dates;
    for (const Row& row : db().query("SELECT * FROM [DayNotes] ORDER BY [NoteDate]")) {
        dates << row.text("NoteDate");
        EXPECT_EQ(row.text("Concierge"), "Ann Desk");
        EXPECT_EQ(row.text("DiaryGroup"), "Bell");
        EXPECT_EQ(row.number("ColorCode"), 255);
        EXPECT_EQ(row.text("NoteText"), "Fire drill & briefing");
    }
    EXPECT_EQ(dates, QStringList({"2026/03/01", "2026/03/15", "2026/03/29"}));
    EXPECT_EQ(CountDayNotes(ctx(), QDate(2026, 3, 15)), 1);
}

TEST_F(QuickViewerStore, AGroupSeesItsNotesAndTheNotesForEveryone) {
    const auto note = [&](const QString& group, const QString& text) {
        DiaryRequest r;
        r.from = r.through = QDate(2026, 3, 14);
        r.group = group;
        r.text = text;
        EXPECT_EQ(InsertDatedNotes(ctx(), r), "");
    };
    note("Bell", "b bell note");
    note("", "a note for all");
    note("Front", "c front note");
    const auto texts = [&](const QString& group) {
        QStringList out;
        for (const DiaryNote& n : GetNotes(ctx(), QDate(2026, 3, 14), group))
            out << n.text;
        return out;
    };
    EXPECT_EQ(texts(""), QStringList({"a note for all", "b bell note", "c front note"}));
    EXPECT_EQ(texts("Bell"), QStringList({"a note for all", "b bell note"}));
    EXPECT_EQ(texts("Valet"), QStringList({"a note for all"}));
    EXPECT_TRUE(GetNotes(ctx(), QDate(2026, 3, 15)).isEmpty());
}

TEST_F(QuickViewerStore, OnlyTheAuthorChangesOrDeletesANote) {
    DiaryRequest r;
    r.from = r.through = QDate(2026, 3, 14);
    r.text = "Ann's note";
    ASSERT_EQ(InsertDatedNotes(ctx(), r), "");
    DiaryNote note = GetNotes(ctx(), QDate(2026, 3, 14)).at(0);

    env.logOn(bo);
    note.text = "Bo was here";
    EXPECT_EQ(UpdateNote(ctx(), note), MsgDiaryNotYoursChange);
    EXPECT_EQ(DeleteNote(ctx(), note.noteId), MsgDiaryNotYoursDelete);
    EXPECT_EQ(GetNotes(ctx(), QDate(2026, 3, 14)).at(0).text, "Ann's note");

    env.logOn(ann);
    note.text = "Ann's note, changed";
    note.group = "Front";
    note.color = 65280;
    ASSERT_EQ(UpdateNote(ctx(), note), "");
    const DiaryNote back = GetNotes(ctx(), QDate(2026, 3, 14)).at(0);
    EXPECT_EQ(back.text, "Ann's note, changed");
    EXPECT_EQ(back.group, "Front");
    EXPECT_EQ(back.color, 65280);
    EXPECT_EQ(DeleteNote(ctx(), note.noteId), "");
    EXPECT_TRUE(GetNotes(ctx(), QDate(2026, 3, 14)).isEmpty());
}

TEST_F(QuickViewerStore, GroupMeetingsOfTheDayAsLines) {
    const auto group = [&](const QString& name, int attendees) {
        Group g;
        g.name = name;
        g.attendees = attendees;
        g.arrivalDate = "2026/03/10";
        g.departureDate = "2026/03/20";
        return InsertGroup(ctx(), g);
    };
    const auto meeting = [&](qint64 groupId, const QString& date, const QString& time,
                             const QString& function) {
        Meeting m;
        m.groupId = groupId;
        m.date = date;
        m.time = time;
        m.endTime = "23:00";
        m.function = function;
        m.venue = "Harbour Room";
        InsertGroupScheduleEntry(ctx(), m);
    };
    const qint64 olsen = group("Olsen Wedding", 80);
    const qint64 acme = group("Acme Sales", 25);
    meeting(olsen, "2026/03/14", "18:30", "Dinner");
    meeting(olsen, "2026/03/14", "09:00", "Breakfast");
    meeting(acme, "2026/03/14", "13:15", "Lunch");
    meeting(acme, "2026/03/15", "08:00", "Not today");
    EXPECT_EQ(GroupDiaryLines(ctx(), QDate(2026, 3, 14)),
              QStringList({"Acme Sales   (25 Attendees)", "01:15 pm - Lunch at Harbour Room",
                           "Olsen Wedding   (80 Attendees)", "09:00 am - Breakfast at Harbour Room",
                           "06:30 pm - Dinner at Harbour Room"}));
}

// ------------------------------------------------------------------ documents

TEST_F(QuickViewerStore, DocumentLinksAreChecked) {
    const auto link = [](QString file, QString description, QString effective, QString expiration) {
        QvDocument d;
        d.fileName = file;
        d.description = description;
        d.effective = effective;
        d.expiration = expiration;
        return d;
    };
    const struct {
        QvDocument link;
        QString refusal;
    } cases[] = {
        {link("", "Rules", "2026/03/01", ""), MsgDocumentFile},
        {link("/srv/rules.pdf", " ", "2026/03/01", ""), MsgDocumentDescription},
        {link("/srv/rules.pdf", "Rules", "31/31/2026", ""), MsgDocumentEffective},
        {link("/srv/rules.pdf", "Rules", "03/01/2026", "soon"), MsgDocumentExpiry},
        {link("/srv/rules.pdf", "Rules", "2026/03/01", "2026/03/01"), MsgDocumentExpiryOrder},
        {link("/srv/" + QString(260, 'f'), "Rules", "2026/03/01", ""), MsgDocumentTooLong},
    };
    for (const auto& c : cases) {
        QvDocument d = c.link;
        EXPECT_EQ(InsertDocument(ctx(), d), c.refusal) << c.refusal.toStdString();
    }
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [Documents]"), 0);
    EXPECT_EQ(MsgDocumentExpiryOrder,
              "The Expiration Date must be Later than\r\n the Effective Date.  Thank you.");

    QvDocument typed = link("/srv/a & b.pdf", "Pool hours", "03/02/2026", "04/30/2026");
    ASSERT_EQ(InsertDocument(ctx(), typed), "");
    EXPECT_EQ(typed.effective, "2026/03/02");
    EXPECT_EQ(typed.expiration, "2026/04/30");
    QvDocument open = link("/srv/rules.pdf", "House rules", "2026/03/05", "");
    ASSERT_EQ(InsertDocument(ctx(), open), "");
    EXPECT_EQ(db().scalar("SELECT [ExpirationDate] FROM [Documents] WHERE [DocumentID] = ?",
                          {open.documentId})
                  .toString(),
              "9999/12/31");
    const QList<QvDocument> all = GetDocumentsAll(ctx());
    ASSERT_EQ(all.size(), 2);
    EXPECT_EQ(all[0].description, "House rules") << "newest first";
    EXPECT_EQ(all[0].expiration, "") << "no expiry shows blank";
    EXPECT_EQ(all[1].fileName, "/srv/a & b.pdf");
}

TEST_F(QuickViewerStore, ReadConfirmationsOfTwoStaff) {
    QvDocument d;
    d.fileName = "/srv/rules.pdf";
    d.description = "House rules";
    d.effective = "2026/03/10";
    ASSERT_EQ(InsertDocument(ctx(), d), "");
    QvDocument later = d;
    later.effective = "2026/03/20";
    ASSERT_EQ(InsertDocument(ctx(), later), "");

    InsertConfirmation(ctx(), d.documentId);
    env.clock.advanceDays(1);
    InsertConfirmation(ctx(), d.documentId); // a second time: the first date stays
    env.logOn(cy);
    InsertConfirmation(ctx(), d.documentId);

    const QList<QPair<QString, QString>> who = GetDocumentsRead(ctx(), d.documentId);
    QStringList lines;
    for (const auto& [name, date] : who)
        lines << name + "=" + date;
    EXPECT_TRUE(lines.contains("Ann Desk=2026/03/14"));
    EXPECT_TRUE(lines.contains("Cy Crew=2026/03/15"));
    EXPECT_TRUE(lines.contains("Bo Bell="));
    for (const QString& line : lines) {
        EXPECT_FALSE(line.startsWith("Support Profile")) << "the built-in accounts are no staff";
        EXPECT_FALSE(line.startsWith("Concierge Bellhop"));
    }

    const QList<QvDocument> mine = GetDocumentsMe(ctx());
    ASSERT_EQ(mine.size(), 2);
    EXPECT_EQ(mine[0].documentId, d.documentId) << "oldest first";
    EXPECT_EQ(mine[0].readOn, "2026/03/15");
    EXPECT_EQ(mine[1].readOn, "");
    env.logOn(bo);
    EXPECT_EQ(GetDocumentsMe(ctx())[0].readOn, "");

    DeleteDocument(ctx(), d.documentId);
    EXPECT_EQ(rows("SELECT COUNT(*) FROM [DocsRead]"), 0);
    EXPECT_EQ(GetDocumentsAll(ctx()).size(), 1);
}

// ------------------------------------------------------------------ reference lists

TEST_F(QuickViewerStore, ReferenceListsWithTheirRows) {
    QVCategory c;
    EXPECT_EQ(SaveQVCategory(ctx(), c), MsgQVCategoryName);
    c.category = "Taxis";
    EXPECT_EQ(SaveQVCategory(ctx(), c), MsgQVCategoryLabel);
    c.labels[2] = "Phone";
    c.labels[0] = "Company";
    c.notes = "Night rates after 22:00";
    ASSERT_EQ(SaveQVCategory(ctx(), c), "");
    QVCategory other;
    other.category = "Florists";
    other.labels[0] = "Shop";
    ASSERT_EQ(SaveQVCategory(ctx(), other), "");

    const auto cats = GetQVCategories(ctx());
    ASSERT_EQ(cats.size(), 2);
    EXPECT_EQ(cats[0].second, "Florists");
    const auto back = GetQVCategory(ctx(), c.id);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->labels[0], "Company");
    EXPECT_EQ(back->labels[1], "");
    EXPECT_EQ(back->labels[2], "Phone");
    EXPECT_EQ(back->notes, "Night rates after 22:00");
    EXPECT_FALSE(GetQVCategory(ctx(), c.id + other.id + 100).has_value());

    c.category = "Taxis & Limos";
    ASSERT_EQ(SaveQVCategory(ctx(), c), "");
    EXPECT_EQ(GetQVCategory(ctx(), c.id)->category, "Taxis & Limos");

    for (const char* company : {"Zeta Cabs", "Alpha Taxi", "Metro Cars"}) {
        QVRow r;
        r.categoryId = c.id;
        r.data[0] = company;
        r.data[2] = "555-0100";
        SaveQVData(ctx(), r);
    }
    QVRow flowers;
    flowers.categoryId = other.id;
    flowers.data[0] = "Bloom";
    SaveQVData(ctx(), flowers);

    QList<QVRow> list = GetQVDataByCategory(ctx(), c.id);
    ASSERT_EQ(list.size(), 3);
    EXPECT_EQ(list[0].data[0], "Alpha Taxi");
    EXPECT_EQ(list[2].data[0], "Zeta Cabs");
    list[2].data[0] = "Beta Cabs";
    SaveQVData(ctx(), list[2]);
    DeleteQVData(ctx(), list[0].id);
    list = GetQVDataByCategory(ctx(), c.id);
    ASSERT_EQ(list.size(), 2);
    EXPECT_EQ(list[0].data[0], "Beta Cabs");
    EXPECT_EQ(list[0].data[2], "555-0100");

    EXPECT_EQ(CountQVData(ctx(), c.id), 2);
    EXPECT_EQ(MsgQVDeleteWithRows(2), "There are 2 data elements in this category.\r\nDo you "
                                      "wish to delete all of them with this category?");
    DeleteQVCategory(ctx(), c.id);
    EXPECT_EQ(CountQVData(ctx(), c.id), 0);
    EXPECT_EQ(GetQVCategories(ctx()).size(), 1);
    EXPECT_EQ(CountQVData(ctx(), other.id), 1) << "another list keeps its rows";
}

// ------------------------------------------------------------------ dashboard

TEST_F(QuickViewerStore, DashboardSentencesCountTodaysItems) {
    const QDate today(2026, 3, 14);
    const auto note = [&] {
        DiaryRequest r;
        r.from = r.through = today;
        r.text = "note";
        ASSERT_EQ(InsertDatedNotes(ctx(), r), "");
    };
    const auto document = [&](const QString& effective, const QString& expiration) {
        QvDocument d;
        d.fileName = "/srv/memo.pdf";
        d.description = "Memo";
        d.effective = effective;
        d.expiration = expiration;
        EXPECT_EQ(InsertDocument(ctx(), d), "");
        return d.documentId;
    };
    // Not counted: tomorrow's note, a done task, a document not yet in
    // force, one expired yesterday and one Ann has read.
    DiaryRequest tomorrow;
    tomorrow.from = tomorrow.through = today.addDays(1);
    tomorrow.text = "later";
    ASSERT_EQ(InsertDatedNotes(ctx(), tomorrow), "");
    InsertOneTimeTask(ctx(), today, "Front", "done", "AD");
    UpdateTaskStatus(ctx(), db().scalar("SELECT [StatusID] FROM [TaskStatus]").toLongLong(), true,
                     "");
    document("2026/03/20", "");
    db().exec("INSERT INTO [Documents] ([Description], [Effective], [ExpirationDate], [FileName]) "
              "VALUES ('Old', '2026/03/01', '2026/03/13', '/srv/old.pdf')");
    InsertConfirmation(ctx(), document("2026/03/01", ""));

    EXPECT_EQ(DashboardLines(ctx(), today),
              QStringList({"There are No Items in Today's Daily Diary",
                           "There are No Tasks Remaining to be Done",
                           "There are No Memos Waiting to be Read"}));
    note();
    InsertOneTimeTask(ctx(), today, "Front", "open", "AD");
    document("2026/03/10", "2026/03/14"); // its last day counts
    EXPECT_EQ(DashboardLines(ctx(), today), QStringList({"There is 1 Item in Today's Daily Diary",
                                                         "There is 1 Task Remaining to be Done",
                                                         "There is 1 Memo Waiting to be Read"}));
    note();
    note();
    InsertOneTimeTask(ctx(), today, "Front", "open 2", "AD");
    document("2026/02/01", "");
    EXPECT_EQ(DashboardLines(ctx(), today), QStringList({"There are 3 Items in Today's Daily Diary",
                                                         "There are 2 Tasks Remaining to be Done",
                                                         "There are 2 Memos Waiting to be Read"}));
    env.logOn(bo);
    EXPECT_EQ(DashboardLines(ctx(), today).at(2), "There are 3 Memos Waiting to be Read")
        << "Ann's confirmation is not Bo's";
}

} // namespace
