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

// The columns a group is read from, in the order groupFromRow reads them.
const QString GroupColumns = QStringLiteral(
    "[GroupID], [GroupName], [Attendees], [ArrivalDate], [DepartureDate], [GroupMgr], "
    "[SalesMgr], [MeetingPlanner], [GroupContact], [Notes], [RowVersion]");

Group groupFromRow(const Row& r) {
    Group g;
    g.id = r.number(0);
    g.name = r.trimmedText(1);
    g.attendees = int(r.number(2));
    g.arrivalDate = r.trimmedText(3);
    g.departureDate = r.trimmedText(4);
    g.groupMgr = r.trimmedText(5);
    g.salesMgr = r.trimmedText(6);
    g.meetingPlanner = r.trimmedText(7);
    g.groupContact = r.trimmedText(8);
    g.notes = r.trimmedText(9);
    g.rowVersion = r.number(10);
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
    const QString day = today(ctx);
    const QString sql =
        "SELECT " + GroupColumns + " FROM [Group]" +
        (showAll ? QString() : QStringLiteral(" WHERE [DepartureDate] >= ? AND [ArrivalDate] <= ?")) +
        " ORDER BY [GroupName]";
    ctx.db().forEach(sql, showAll ? QVariantList{} : QVariantList{day, day}, [&](const Row& r) {
        out.push_back(groupFromRow(r));
        return true;
    });
    return out;
}

std::vector<std::pair<qint64, QString>> GetGroupNames(AppContext& ctx) {
    std::vector<std::pair<qint64, QString>> out;
    ctx.db().forEach("SELECT [GroupID], [GroupName] FROM [Group] ORDER BY [GroupName]", {},
                     [&](const Row& r) {
                         out.emplace_back(r.number(0), r.trimmedText(1));
                         return true;
                     });
    return out;
}

QString GetGroupName(AppContext& ctx, qint64 groupId) {
    return StoredText(ctx.db()
                          .scalar("SELECT [GroupName] FROM [Group] WHERE [GroupID] = ?", {groupId})
                          .toString());
}

std::optional<Group> GetTheGroup(AppContext& ctx, qint64 groupId) {
    const auto r =
        ctx.db().queryOne("SELECT " + GroupColumns + " FROM [Group] WHERE [GroupID] = ?", {groupId});
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
        m.date = r.trimmedText("MeetingDate");
        m.time = r.trimmedText("MeetingTime");
        m.endTime = r.trimmedText("EndTime");
        m.function = r.trimmedText("Function");
        m.venue = r.trimmedText("Venue");
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
    ctx.db().forEach(
        "SELECT [Group].[GroupID], [GroupName], [Attendees], [MeetingTime], [Function], "
        "[Venue] FROM [GroupSchedule] INNER JOIN [Group] ON [GroupSchedule].[GroupID] = "
        "[Group].[GroupID] WHERE [MeetingDate] = ? ORDER BY [GroupName], [MeetingTime]",
        {Formats::StoredDate(day)}, [&](const Row& r) {
            const qint64 group = r.value(0).toLongLong();
            if (group != current) {
                current = group;
                out.push_back({r.trimmedText(1) + "   (" +
                                   QString::number(r.value(2).toLongLong()) + " Attendees)",
                               {}});
            }
            const QTime at = Formats::ParseTime(r.trimmedText(3));
            out.back().lines << Formats::Time12(at).toLower() + " - " + r.trimmedText(4) +
                                    " at " + r.trimmedText(5);
            return true;
        });
    return out;
}

} // namespace vm
