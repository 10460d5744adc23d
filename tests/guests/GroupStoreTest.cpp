#include "guests/DocumentLinks.h"
#include "guests/Groups.h"
#include "logbook/EntryRules.h"
#include "support/TestEnv.h"

using namespace vm;
using namespace vm::test;

namespace {

// Today is 2026/03/14 (the test clock).
class GroupStore : public ::testing::Test {
protected:
    void SetUp() override { env.openOrFail(); }

    qint64 group(const QString& name, const QString& arrival, const QString& departure,
                 int attendees = 10) {
        Group g;
        g.name = name;
        g.attendees = attendees;
        g.arrivalDate = arrival;
        g.departureDate = departure;
        g.groupContact = "Ines Darrow";
        return InsertGroup(*env.ctx, g);
    }
    qint64 meeting(qint64 groupId, const QString& date, const QString& time) {
        Meeting m;
        m.groupId = groupId;
        m.date = date;
        m.time = time;
        m.endTime = "23:00";
        m.function = "Breakfast " + time;
        m.venue = "Harbour Room";
        return InsertGroupScheduleEntry(*env.ctx, m);
    }
    qint64 templ(qint64 groupId, const QString& name) {
        GroupTemplate t;
        t.groupId = groupId;
        t.logName = name;
        t.entryType = "Dining";
        t.referDate = "2026/03/15";
        t.referTime = "19:00";
        t.logData = {"4", "", "", "", "", ""};
        return InsertGroupLog(*env.ctx, t);
    }
    qint64 profile(qint64 groupId) {
        return env.db().insert("INSERT INTO [Profile]([FirstName], [LastName], [GroupID]) "
                               "VALUES('Mira', 'Olsen', ?)",
                               {groupId}, "ProfileID");
    }
    qint64 entry(qint64 groupId) {
        return env.db().insert("INSERT INTO [LogBook]([LastName], [EntryType], [GroupID], "
                               "[NoteField]) VALUES('Olsen', 'Dining', ?, 'x')",
                               {groupId}, "LogID");
    }
    void link(qint64 profileId, qint64 groupId) {
        env.db().exec("INSERT INTO [ProfileGL]([ProfileID], [GroupID], [CreationDate]) "
                      "VALUES(?, ?, '2026/03/01')",
                      {profileId, groupId});
    }
    void document(qint64 groupId) {
        DocumentLink l;
        l.ownerId = groupId;
        l.sourceType = DocKind::Group;
        l.description = "Rooming List";
        l.fileName = "https://example.com/rooming";
        InsertCDocument(*env.ctx, l);
    }
    // A group with one of everything that hangs on it.
    struct Full {
        qint64 groupId, profileId, logId;
    };
    Full full(const QString& name, const QString& arrival, const QString& departure) {
        Full f;
        f.groupId = group(name, arrival, departure);
        meeting(f.groupId, arrival, "08:00");
        templ(f.groupId, "Welcome");
        f.profileId = profile(f.groupId);
        link(f.profileId, f.groupId);
        f.logId = entry(f.groupId);
        document(f.groupId);
        return f;
    }
    int count(const QString& table, qint64 groupId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [" + table + "] WHERE [GroupID] = ?", {groupId})
            .toInt();
    }
    int docs(qint64 groupId) {
        return env.db()
            .scalar("SELECT COUNT(*) FROM [ContactDocs] WHERE [ContactID] = ? AND "
                    "[SourceType] = 'G'",
                    {groupId})
            .toInt();
    }
    qint64 groupOf(const QString& table, const QString& key, qint64 id) {
        return env.db()
            .scalar("SELECT [GroupID] FROM [" + table + "] WHERE [" + key + "] = ?", {id})
            .toLongLong();
    }
    void expectNothingLeft(const Full& f) {
        for (const char* table : {"Group", "GroupSchedule", "GroupLog", "ProfileGL"})
            EXPECT_EQ(count(table, f.groupId), 0) << table;
        EXPECT_EQ(docs(f.groupId), 0);
        // Profiles and entries stay, without the group.
        EXPECT_EQ(groupOf("Profile", "ProfileID", f.profileId), 0);
        EXPECT_EQ(groupOf("LogBook", "LogID", f.logId), 0);
    }
    void expectUntouched(const Full& f) {
        for (const char* table : {"Group", "GroupSchedule", "GroupLog", "ProfileGL"})
            EXPECT_EQ(count(table, f.groupId), 1) << table;
        EXPECT_EQ(docs(f.groupId), 1);
        EXPECT_EQ(groupOf("Profile", "ProfileID", f.profileId), f.groupId);
        EXPECT_EQ(groupOf("LogBook", "LogID", f.logId), f.groupId);
    }

    TestEnv env;
};

} // namespace

TEST_F(GroupStore, GroupChecksRefuseInOrderWithTheirTexts) {
    struct Case {
        GroupInput in;
        QString refusal;
    };
    const std::vector<Case> cases = {
        {{"", "", "", ""}, MsgGroupName},
        {{"  ", "10", "03/14/2026", "03/16/2026"}, MsgGroupName},
        {{"Medica", "", "", ""}, MsgGroupAttendees},
        {{"Medica", "many", "03/14/2026", "03/16/2026"}, MsgGroupAttendees},
        {{"Medica", "1", "", ""}, MsgGroupTwoAttendees},
        {{"Medica", "0", "03/14/2026", "03/16/2026"}, MsgGroupTwoAttendees},
        {{"Medica", "2", "13/40/2026", "03/16/2026"}, MsgGroupArrival},
        {{"Medica", "2", "03/14/2026", ""}, MsgGroupDeparture},
        {{"Medica", "2", "03/14/2026", "03/13/2026"}, MsgGroupDepartureOrder},
        {{"Medica", "2", "03/14/2026", "03/14/2026"}, ""},
        {{"Medica", "250", "03/14/2026", "04/02/2026"}, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CheckGroup(c.in), c.refusal) << (c.in.name + "/" + c.in.attendees).toStdString();
    EXPECT_EQ(MsgGroupTwoAttendees,
              "At a minimum 2 Attendees are required for a Group Entry.  Thank you.");
}

TEST_F(GroupStore, InsertReadsBackAndUpdateMeetsAnotherDesksSave) {
    Group g;
    g.name = "Nordic Dental \"Congress\"";
    g.attendees = 2;
    g.arrivalDate = "2026/03/14";
    g.departureDate = "2026/03/18";
    g.groupMgr = "Tess Marlowe";
    g.notes = "Late checkout & early breakfast";
    const qint64 id = InsertGroup(*env.ctx, g);
    ASSERT_GT(id, 0);
    auto read = GetTheGroup(*env.ctx, id);
    ASSERT_TRUE(read);
    EXPECT_EQ(read->name, "Nordic Dental 'Congress'");
    EXPECT_EQ(read->notes, "Late checkout & early breakfast");
    EXPECT_EQ(read->attendees, 2);
    EXPECT_EQ(GetGroupName(*env.ctx, id), read->name);

    Group mine = *read, theirs = *read;
    theirs.attendees = 40;
    EXPECT_EQ(UpdateGroup(*env.ctx, theirs), VersionedResult::Updated);
    mine.attendees = 3;
    EXPECT_EQ(UpdateGroup(*env.ctx, mine), VersionedResult::Changed);
    EXPECT_EQ(GetTheGroup(*env.ctx, id)->attendees, 40);
    ASSERT_TRUE(DeleteGroup(*env.ctx, id));
    EXPECT_EQ(UpdateGroup(*env.ctx, theirs), VersionedResult::Gone);
    EXPECT_FALSE(DeleteGroup(*env.ctx, id));
}

TEST_F(GroupStore, InHouseGroupsSpanTodayAndAllAreListedByName) {
    group("Zeta Sales", "2026/03/14", "2026/03/20");   // arrives today
    group("Alpha Rotary", "2026/03/10", "2026/03/14"); // departs today
    group("Beta Choir", "2026/03/15", "2026/03/17");   // tomorrow
    group("Gamma Expo", "2026/03/01", "2026/03/13");   // left yesterday
    QStringList inHouse, all;
    for (const Group& g : GetTheGroups(*env.ctx, false))
        inHouse << g.name;
    for (const Group& g : GetTheGroups(*env.ctx, true))
        all << g.name;
    EXPECT_EQ(inHouse, QStringList({"Alpha Rotary", "Zeta Sales"}));
    EXPECT_EQ(all, QStringList({"Alpha Rotary", "Beta Choir", "Gamma Expo", "Zeta Sales"}));
    QStringList names;
    for (const auto& [id, name] : GetGroupNames(*env.ctx))
        names << name;
    EXPECT_EQ(names, all);
}

TEST_F(GroupStore, MeetingsMustFallInsideTheStayWithValidTimesAndAVenue) {
    Group g;
    g.name = "Medica";
    g.attendees = 2;
    g.arrivalDate = "2026/03/14";
    g.departureDate = "2026/03/16";
    struct Case {
        MeetingInput in;
        QString refusal;
    };
    const std::vector<Case> cases = {
        {{"", "9:00am", "10:00am", "Talk", "Hall"}, MsgMeetingDate},
        {{"03/13/2026", "9:00am", "10:00am", "Talk", "Hall"}, MsgMeetingBeforeArrival},
        {{"03/14/2026", "9:00am", "10:00am", "Talk", "Hall"}, ""},
        {{"03/16/2026", "9:00am", "10:00am", "Talk", "Hall"}, ""}, // the departure day
        {{"03/17/2026", "9:00am", "10:00am", "Talk", "Hall"}, MsgMeetingAfterDeparture},
        {{"03/15/2026", "", "10:00am", "Talk", "Hall"}, MsgMeetingStart},
        {{"03/15/2026", "25:00", "10:00am", "Talk", "Hall"}, MsgMeetingStart},
        {{"03/15/2026", "9:00am", "", "Talk", "Hall"}, MsgMeetingEnd},
        {{"03/15/2026", "9:00am", "10:77", "Talk", "Hall"}, MsgMeetingEnd},
        {{"03/15/2026", "9:00am", "10:00am", "Talk", " "}, MsgMeetingVenue},
    };
    Meeting out;
    EXPECT_EQ(CheckMeeting(g, cases.front().in, out), MsgSaveGroupFirst); // not saved yet
    g.id = 5;
    for (const Case& c : cases)
        EXPECT_EQ(CheckMeeting(g, c.in, out), c.refusal)
            << (c.in.date + " " + c.in.time).toStdString();
    ASSERT_EQ(CheckMeeting(g, {"03/15/2026", "2:05pm", "1530", " Talk ", "Hall"}, out), "");
    EXPECT_EQ(out.date, "2026/03/15");
    EXPECT_EQ(out.time, "14:05");
    EXPECT_EQ(out.endTime, "15:30");
    EXPECT_EQ(out.function, "Talk");
}

TEST_F(GroupStore, ScheduleIsListedByDateAndTimeAndEditsByKey) {
    const qint64 id = group("Medica", "2026/03/14", "2026/03/16");
    const qint64 late = meeting(id, "2026/03/15", "14:00");
    meeting(id, "2026/03/15", "08:30");
    meeting(id, "2026/03/14", "20:00");
    meeting(group("Other", "2026/03/14", "2026/03/16"), "2026/03/14", "07:00");
    auto times = [&] {
        QStringList out;
        for (const Meeting& m : GetGroupSchedule(*env.ctx, id))
            out << m.date + " " + m.time;
        return out;
    };
    EXPECT_EQ(times(), QStringList({"2026/03/14 20:00", "2026/03/15 08:30", "2026/03/15 14:00"}));
    Meeting m = GetGroupSchedule(*env.ctx, id).back();
    ASSERT_EQ(m.id, late);
    m.date = "2026/03/14";
    m.venue = "O'Brien Suite";
    EXPECT_TRUE(UpdateGroupScheduleEntry(*env.ctx, m));
    EXPECT_EQ(times().front(), "2026/03/14 14:00");
    EXPECT_EQ(GetGroupSchedule(*env.ctx, id).front().venue, "O'Brien Suite");
    EXPECT_TRUE(DeleteGroupScheduleEntry(*env.ctx, late));
    EXPECT_FALSE(DeleteGroupScheduleEntry(*env.ctx, late));
    EXPECT_EQ(times().size(), 2);
}

TEST_F(GroupStore, DeletingOneGroupLeavesNothingPointingAtIt) {
    const Full gone = full("Medica", "2026/03/14", "2026/03/16");
    const Full kept = full("Rotary", "2026/03/14", "2026/03/16");
    ASSERT_TRUE(DeleteGroup(*env.ctx, gone.groupId));
    expectNothingLeft(gone);
    expectUntouched(kept);
}

TEST_F(GroupStore, DeletingOldGroupsTakesOnlyThoseThatDepartedBeforeToday) {
    const Full old1 = full("Expo 2025", "2025/11/01", "2025/11/04");
    const Full old2 = full("Gamma", "2026/03/01", "2026/03/13");
    const Full today = full("Alpha", "2026/03/10", "2026/03/14");
    const Full future = full("Beta", "2026/04/10", "2026/04/14");
    EXPECT_EQ(DeleteGroups(*env.ctx), 2);
    expectNothingLeft(old1);
    expectNothingLeft(old2);
    expectUntouched(today);
    expectUntouched(future);
    EXPECT_EQ(DeleteGroups(*env.ctx), 0);
}

TEST_F(GroupStore, GroupDiaryListsTheDaysMeetingsUnderEachGroup) {
    const qint64 b = group("Beta Choir", "2026/03/14", "2026/03/16", 12);
    const qint64 a = group("Alpha Rotary", "2026/03/14", "2026/03/16", 30);
    meeting(b, "2026/03/15", "18:30");
    meeting(a, "2026/03/15", "13:00");
    meeting(a, "2026/03/15", "09:15");
    meeting(a, "2026/03/16", "09:15"); // another day
    const auto diary = GetGroupDiary(*env.ctx, QDate(2026, 3, 15));
    ASSERT_EQ(diary.size(), 2u);
    EXPECT_EQ(diary[0].heading, "Alpha Rotary   (30 Attendees)");
    EXPECT_EQ(diary[0].lines, QStringList({"09:15 am - Breakfast 09:15 at Harbour Room",
                                           "01:00 pm - Breakfast 13:00 at Harbour Room"}));
    EXPECT_EQ(diary[1].heading, "Beta Choir   (12 Attendees)");
    EXPECT_EQ(diary[1].lines.size(), 1);
    EXPECT_TRUE(GetGroupDiary(*env.ctx, QDate(2026, 3, 17)).empty());
}
