#include "guests/Groups.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "guests/DocumentLinks.h"
#include "logbook/EntryRules.h"

namespace vm {

namespace {

QString stored(const QString& typed) {
    return CleanSqlTextKeepAmp(typed);
}

Group groupFromRow(const Row& r) {
    Group g;
    g.id = r.number("GroupID");
    g.name = StoredText(r.text("GroupName"));
    g.attendees = int(r.number("Attendees"));
    g.arrivalDate = r.text("ArrivalDate").trimmed();
    g.departureDate = r.text("DepartureDate").trimmed();
    g.groupMgr = StoredText(r.text("GroupMgr"));
    g.salesMgr = StoredText(r.text("SalesMgr"));
    g.meetingPlanner = StoredText(r.text("MeetingPlanner"));
    g.groupContact = StoredText(r.text("GroupContact"));
    g.notes = StoredText(r.text("Notes"));
    g.rowVersion = r.number(RowVersionColumn);
    return g;
}

QString today(AppContext& ctx) {
    return Formats::StoredDate(ctx.clock().today());
}

// Everything that points at the group, then the group.  Runs in the
// caller's transaction.
bool deleteGroupRows(AppContext& ctx, qint64 groupId) {
    Database& db = ctx.db();
    db.exec("DELETE FROM [GroupLog] WHERE [GroupID] = ?", {groupId});
    db.exec("DELETE FROM [GroupSchedule] WHERE [GroupID] = ?", {groupId});
    db.exec("DELETE FROM [ProfileGL] WHERE [GroupID] = ?", {groupId});
    db.exec("UPDATE [Profile] SET [GroupID] = 0 WHERE [GroupID] = ?", {groupId});
    db.exec("UPDATE [LogBook] SET [GroupID] = 0 WHERE [GroupID] = ?", {groupId});
    DocumentLinksDb(ctx, DocKind::Group)
        .exec("DELETE FROM [ContactDocs] WHERE [ContactID] = ? AND [SourceType] = ?",
              {groupId, DocKind::Group});
    return db.exec("DELETE FROM [Group] WHERE [GroupID] = ?", {groupId}) > 0;
}

} // namespace

std::vector<Group> GetTheGroups(AppContext& ctx, bool showAll) {
    std::vector<Group> out;
    const auto rows = showAll
                          ? ctx.db().query("SELECT * FROM [Group] ORDER BY [GroupName]")
                          : ctx.db().query("SELECT * FROM [Group] WHERE [DepartureDate] >= ? AND "
                                           "[ArrivalDate] <= ? ORDER BY [GroupName]",
                                           {today(ctx), today(ctx)});
    for (const Row& r : rows)
        out.push_back(groupFromRow(r));
    return out;
}

std::vector<std::pair<qint64, QString>> GetGroupNames(AppContext& ctx) {
    std::vector<std::pair<qint64, QString>> out;
    for (const Row& r : ctx.db().query("SELECT [GroupID], [GroupName] FROM [Group] ORDER BY "
                                       "[GroupName]"))
        out.emplace_back(r.number("GroupID"), StoredText(r.text("GroupName")));
    return out;
}

QString GetGroupName(AppContext& ctx, qint64 groupId) {
    return StoredText(ctx.db()
                          .scalar("SELECT [GroupName] FROM [Group] WHERE [GroupID] = ?", {groupId})
                          .toString());
}

std::optional<Group> GetTheGroup(AppContext& ctx, qint64 groupId) {
    const auto r = ctx.db().queryOne("SELECT * FROM [Group] WHERE [GroupID] = ?", {groupId});
    if (!r) return std::nullopt;
    return groupFromRow(*r);
}

qint64 InsertGroup(AppContext& ctx, Group& g) {
    g.id = ctx.db().insert(
        "INSERT INTO [Group]([GroupName], [Attendees], [ArrivalDate], [DepartureDate], "
        "[GroupMgr], [SalesMgr], [MeetingPlanner], [GroupContact], [Notes]) "
        "VALUES(?, ?, ?, ?, ?, ?, ?, ?, ?)",
        {stored(g.name), g.attendees, g.arrivalDate, g.departureDate, stored(g.groupMgr),
         stored(g.salesMgr), stored(g.meetingPlanner), stored(g.groupContact), stored(g.notes)},
        "GroupID");
    g.rowVersion = 0;
    return g.id;
}

VersionedResult UpdateGroup(AppContext& ctx, Group& g) {
    VersionedUpdate save("Group", "GroupID", g.id, g.rowVersion);
    save.set("GroupName", stored(g.name))
        .set("Attendees", g.attendees)
        .set("ArrivalDate", g.arrivalDate)
        .set("DepartureDate", g.departureDate)
        .set("GroupMgr", stored(g.groupMgr))
        .set("SalesMgr", stored(g.salesMgr))
        .set("MeetingPlanner", stored(g.meetingPlanner))
        .set("GroupContact", stored(g.groupContact))
        .set("Notes", stored(g.notes));
    const VersionedResult result = save.run(ctx.db());
    if (result == VersionedResult::Updated) g.rowVersion = save.newVersion();
    return result;
}

bool DeleteGroup(AppContext& ctx, qint64 groupId) {
    bool deleted = false;
    ctx.db().transaction([&] { deleted = deleteGroupRows(ctx, groupId); });
    return deleted;
}

int DeleteGroups(AppContext& ctx) {
    int count = 0;
    Database& db = ctx.db();
    db.transaction([&] {
        const auto rows =
            db.query("SELECT [GroupID] FROM [Group] WHERE [DepartureDate] < ?", {today(ctx)});
        for (const Row& r : rows)
            if (deleteGroupRows(ctx, r.number("GroupID"))) ++count;
    });
    return count;
}

QString CheckGroup(const GroupInput& in) {
    if (in.name.trimmed().isEmpty()) return MsgGroupName;
    bool number = false;
    const int attendees = in.attendees.trimmed().toInt(&number);
    if (!number) return MsgGroupAttendees;
    if (attendees < 2) return MsgGroupTwoAttendees;
    const QDate arrival = Formats::ParseShortDate(in.arrival.trimmed());
    if (!arrival.isValid()) return MsgGroupArrival;
    const QDate departure = Formats::ParseShortDate(in.departure.trimmed());
    if (!departure.isValid()) return MsgGroupDeparture;
    if (departure < arrival) return MsgGroupDepartureOrder;
    return {};
}

std::vector<Meeting> GetGroupSchedule(AppContext& ctx, qint64 groupId) {
    std::vector<Meeting> out;
    for (const Row& r : ctx.db().query("SELECT * FROM [GroupSchedule] WHERE [GroupID] = ? "
                                       "ORDER BY [MeetingDate], [MeetingTime]",
                                       {groupId})) {
        Meeting m;
        m.id = r.number("GroupScheduleID");
        m.groupId = r.number("GroupID");
        m.date = r.text("MeetingDate").trimmed();
        m.time = r.text("MeetingTime").trimmed();
        m.endTime = r.text("EndTime").trimmed();
        m.function = StoredText(r.text("Function"));
        m.venue = StoredText(r.text("Venue"));
        out.push_back(m);
    }
    return out;
}

qint64 InsertGroupScheduleEntry(AppContext& ctx, const Meeting& m) {
    return ctx.db().insert(
        "INSERT INTO [GroupSchedule]([GroupID], [MeetingDate], [MeetingTime], "
        "[EndTime], [Function], [Venue]) VALUES(?, ?, ?, ?, ?, ?)",
        {m.groupId, m.date, m.time, m.endTime, stored(m.function), stored(m.venue)},
        "GroupScheduleID");
}

bool UpdateGroupScheduleEntry(AppContext& ctx, const Meeting& m) {
    return ctx.db().exec("UPDATE [GroupSchedule] SET [MeetingDate] = ?, [MeetingTime] = ?, "
                         "[EndTime] = ?, [Function] = ?, [Venue] = ? WHERE [GroupScheduleID] = ?",
                         {m.date, m.time, m.endTime, stored(m.function), stored(m.venue), m.id}) >
           0;
}

bool DeleteGroupScheduleEntry(AppContext& ctx, qint64 meetingId) {
    return ctx.db().exec("DELETE FROM [GroupSchedule] WHERE [GroupScheduleID] = ?", {meetingId}) >
           0;
}

QString CheckMeeting(const Group& g, const MeetingInput& in, Meeting& out) {
    if (g.id == 0) return MsgSaveGroupFirst;
    const QDate day = Formats::ParseShortDate(in.date.trimmed());
    if (!day.isValid()) return MsgMeetingDate;
    const QDate arrival = Formats::ParseStoredDate(g.arrivalDate);
    const QDate departure = Formats::ParseStoredDate(g.departureDate);
    if (arrival.isValid() && day < arrival) return MsgMeetingBeforeArrival;
    if (departure.isValid() && day > departure) return MsgMeetingAfterDeparture;
    const TimeResult start = FormatReferTime(in.time);
    if (!start.ok || start.value.isEmpty()) return MsgMeetingStart;
    const TimeResult end = FormatReferTime(in.endTime);
    if (!end.ok || end.value.isEmpty()) return MsgMeetingEnd;
    if (in.venue.trimmed().isEmpty()) return MsgMeetingVenue;
    out.date = Formats::StoredDate(day);
    out.time = start.value;
    out.endTime = end.value;
    out.function = in.function.trimmed();
    out.venue = in.venue.trimmed();
    return {};
}

std::vector<DiaryGroup> GetGroupDiary(AppContext& ctx, const QDate& day) {
    std::vector<DiaryGroup> out;
    qint64 current = -1;
    for (const Row& r : ctx.db().query(
             "SELECT [Group].[GroupID], [GroupName], [Attendees], [MeetingTime], [Function], "
             "[Venue] FROM [GroupSchedule] INNER JOIN [Group] ON [GroupSchedule].[GroupID] = "
             "[Group].[GroupID] WHERE [MeetingDate] = ? ORDER BY [GroupName], [MeetingTime]",
             {Formats::StoredDate(day)})) {
        if (r.number("GroupID") != current) {
            current = r.number("GroupID");
            out.push_back({StoredText(r.text("GroupName")) + "   (" +
                               QString::number(r.number("Attendees")) + " Attendees)",
                           {}});
        }
        const QTime at = Formats::ParseTime(r.text("MeetingTime").trimmed());
        out.back().lines << Formats::Time12(at).toLower() + " - " + StoredText(r.text("Function")) +
                                " at " + StoredText(r.text("Venue"));
    }
    return out;
}

} // namespace vm
