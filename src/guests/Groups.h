#pragma once
// Groups and conventions staying at the property: the group record, its
// meeting schedule, its logbook entry templates, and the entries those
// templates give each member.  All of it lives in the current database.
// Dates are stored "yyyy/MM/dd", times "HH:mm"; the checks take what the
// screens show (short dates, typed times) and answer the first refusal.

#include "core/AppContext.h"
#include "logbook/Categories.h"
#include "platform/VersionedUpdate.h"

#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

namespace vm {

struct Group {
    qint64 id = 0; // 0: not saved yet
    QString name;
    int attendees = 0;
    QString arrivalDate, departureDate; // stored form
    QString groupMgr, salesMgr, meetingPlanner, groupContact, notes;
    qint64 rowVersion = 0;
};

// In house: arrival on or before today and departure on or after it.  By name.
std::vector<Group> GetTheGroups(AppContext& ctx, bool showAll);
std::vector<std::pair<qint64, QString>> GetGroupNames(AppContext& ctx);
QString GetGroupName(AppContext& ctx, qint64 groupId); // "" when unknown
std::optional<Group> GetTheGroup(AppContext& ctx, qint64 groupId);
// Stores a new group; fills and answers its key.
qint64 InsertGroup(AppContext& ctx, Group& g);
// Rewrites the group unless another desk saved it since it was read; on
// Updated `g` holds the new row version.
VersionedResult UpdateGroup(AppContext& ctx, Group& g);

// The group, its schedule, templates and document links, and every profile,
// profile link and logbook entry's reference to it, in one transaction.
// Answers false when there was no such group.
bool DeleteGroup(AppContext& ctx, qint64 groupId);
// DeleteGroup for every group that departed before today, in one
// transaction; answers how many were deleted.
int DeleteGroups(AppContext& ctx);

// The group's boxes as typed.
struct GroupInput {
    QString name, attendees, arrival, departure; // dates as short dates
};
QString CheckGroup(const GroupInput& in);

struct Meeting {
    qint64 id = 0, groupId = 0;
    QString date;          // stored form
    QString time, endTime; // "HH:mm"
    QString function, venue;
};
std::vector<Meeting> GetGroupSchedule(AppContext& ctx, qint64 groupId);
qint64 InsertGroupScheduleEntry(AppContext& ctx, const Meeting& m);
bool UpdateGroupScheduleEntry(AppContext& ctx, const Meeting& m);
bool DeleteGroupScheduleEntry(AppContext& ctx, qint64 meetingId);

struct MeetingInput {
    QString date, time, endTime, function, venue; // date as a short date
};
// Checks a meeting of the saved group `g` and fills `out` (stored forms;
// id and group id left to the caller).
QString CheckMeeting(const Group& g, const MeetingInput& in, Meeting& out);

// A logbook entry template.  logData holds the panel values of the first six
// design lines (LogData1..6); text is the whole data-entry text the panel
// writes (every designed line and anything typed after them, LogData).
struct GroupTemplate {
    qint64 id = 0, groupId = 0;
    QString logName, entryType;
    QString referDate, referTime; // stored forms
    QStringList logData;          // six values
    QString text;
};
inline constexpr int TemplateValueColumns = 6;

std::vector<std::pair<qint64, QString>> GetGroupLogs(AppContext& ctx, qint64 groupId);
// Every column, by reference date and time (prints).
std::vector<GroupTemplate> GetGroupLogsI(AppContext& ctx, qint64 groupId);
std::optional<GroupTemplate> GetGroupLog(AppContext& ctx, qint64 groupLogId);
qint64 InsertGroupLog(AppContext& ctx, const GroupTemplate& t);
bool UpdateGroupLog(AppContext& ctx, const GroupTemplate& t);
bool DeleteGroupLog(AppContext& ctx, qint64 groupLogId);
int CountGroupLogs(AppContext& ctx, qint64 groupId);

struct TemplateInput {
    QString logName, entryType, referDate, referTime; // date as a short date
    std::vector<DesignItem> design;
    QStringList values; // the panel's values, in the design's order
    QString text;       // the whole data-entry text
};
struct TemplateCheck {
    QString refusal; // empty: the template may be saved
    QString title;   // the refusal's title ("Invalid Refer Time")
};
// Checks a template and fills `out` (stored forms; ids left to the caller).
TemplateCheck CheckGroupLog(const TemplateInput& in, const QString& currencySign,
                            GroupTemplate& out);

// The text an entry made from the template starts with: its data-entry text,
// or for a template that has only the six values, the design's lines with them.
QString TemplateEntryText(const GroupTemplate& t, const std::vector<DesignItem>& design);

// The member a group's templates are applied to.
struct GroupGuest {
    qint64 profileId = 0; // 0: no profile (no profile link is recorded)
    QString guestId, firstName, lastName;
    QString arrivalDate; // stored form
};
// One logbook entry per template, in LogName order, through the logbook's
// store (the category's rules apply), and the profile's link to the group,
// all in one transaction; answers the number of entries.
int CreateGroupLogEntries(AppContext& ctx, qint64 groupId, const GroupGuest& guest);
// How a profile's link to a group reads ("<-  Created " and the short date).
QString GroupLinkCaption(const QString& creationDate);

// The quick viewer's group diary of a day: per group, its heading and its
// meetings of that day.
struct DiaryGroup {
    QString heading;   // name + "   (" + attendees + " Attendees)"
    QStringList lines; // "hh:mm am - function at venue"
};
std::vector<DiaryGroup> GetGroupDiary(AppContext& ctx, const QDate& day);

inline const QString MsgGroupName = QStringLiteral("Please enter the Group Name.  Thank you.");
inline const QString MsgGroupAttendees =
    QStringLiteral("Please enter the number of Attendees for this Group Entry.  Thank you.");
inline const QString MsgGroupTwoAttendees =
    QStringLiteral("At a minimum 2 Attendees are required for a Group Entry.  Thank you.");
inline const QString MsgGroupArrival =
    QStringLiteral("Please enter a valid Arrival Date for this Group Entry.  Thank you.");
inline const QString MsgGroupDeparture =
    QStringLiteral("Please enter a valid Departure Date for this Group Entry.  Thank you.");
inline const QString MsgGroupDepartureOrder = QStringLiteral(
    "The Departure Date must be Equal to or Later than the Arrival Date.  Thank you.");
inline const QString MsgSaveGroupFirst =
    QStringLiteral("Please <Save> this Group before working with Meeting Schedules.  Thank you.");
inline const QString MsgMeetingDate =
    QStringLiteral("Please enter a valid Date for this Group Event.  Thank you.");
inline const QString MsgMeetingBeforeArrival =
    QStringLiteral("The Event Date must be Equal to or Later than the Arrival Date.  Thank you.");
inline const QString MsgMeetingAfterDeparture = QStringLiteral(
    "The Event Date must be Equal to or Earlier than the Departure Date.  Thank you.");
inline const QString MsgMeetingStart =
    QStringLiteral("Please enter a valid Time for the Event or Meeting to Start.  Thank you.");
inline const QString MsgMeetingEnd =
    QStringLiteral("Please enter a valid Time for the Event or Meeting to End.  Thank you.");
inline const QString MsgMeetingVenue =
    QStringLiteral("Please select the Place of this Group Event.  Thank you.");
inline const QString MsgDeleteGroup = QStringLiteral(
    "Press <Yes> to DELETE this Group record.\rPress <No> if you DO NOT wish to delete.");
inline const QString MsgDeleteMeeting = QStringLiteral(
    "Press <Yes> to DELETE this Group Schedule record.\rPress <No> if you DO NOT wish to delete.");
inline const QString MsgDeleteOldGroups =
    QStringLiteral("Do you wish to delete all Groups with Departure Dates prior to today?");
inline const QString MsgTemplateName =
    QStringLiteral("Please enter a Name for this Logbook Entry.  Thank you.");
inline const QString MsgTemplateDate =
    QStringLiteral("Please enter a valid Reference Date for this Logbook Entry.  Thank you.");
inline const QString MsgTemplatePanel =
    QStringLiteral("Please enter some information in the Data Entry Panel.  Thank you.");
inline const QString MsgNotAuthorizedGroups =
    QStringLiteral("You are not authorized to Work with Groups and Conventions.");
inline const QString MsgNotAuthorizedAddGroups =
    QStringLiteral("You are not authorized to Add Groups.");
inline const QString MsgNotAuthorizedGroupDocs =
    QStringLiteral("You are not authorized to work with Linked Documents.");
inline const QString MsgNotAuthorizedViewGroupDocs =
    QStringLiteral("You are not authorized to View Group Linked Documents.");
inline const QString MsgNotAuthorizedGroupPrint =
    QStringLiteral("You are not authorized to print Group Information.");

} // namespace vm
