#pragma once
// The searches of the group and reservation record screens the benches time,
// so the SQLite bench and the server bench run the same procedures with the
// same values (ProgramAction, ActionRunner.h).

#include "ActionRunner.h"
#include "BenchData.h"

#include "bookings/Reservations.h"
#include "core/AppContext.h"
#include "guests/Groups.h"

#include <vector>

namespace vm::bench {

// The group screen's list (in house today, or all), the group names other
// screens offer, a group opened with its meetings and entry templates, and
// the day's meetings across groups.
inline std::vector<ProgramAction> GroupActions(AppContext& ctx) {
    const qint64 groupId =
        ctx.db().scalar("SELECT MAX([GroupID]) FROM [GroupSchedule]").toLongLong();
    AppContext* c = &ctx;
    return {
        {"groups in house today", [c] { return GetTheGroups(*c, false).size(); }},
        {"all groups", [c] { return GetTheGroups(*c, true).size(); }},
        {"group names", [c] { return GetGroupNames(*c).size(); }},
        {"open a group with its meetings and templates",
         [c, groupId] {
             return size_t(GetTheGroup(*c, groupId).has_value()) +
                    GetGroupSchedule(*c, groupId).size() + GetGroupLogs(*c, groupId).size();
         }},
        {"meetings of the day", [c] { return GetGroupDiary(*c, Today).size(); }},
    };
}

// The reservation screen's searches: by name and by list over a month and a
// year, the wait list and the turned-away counts of a list.
inline std::vector<ProgramAction> ReservationSearchActions(AppContext& ctx) {
    const qint64 list = ctx.db()
                            .scalar("SELECT MIN([ResTypeID]) FROM [ResType] WHERE [Category] = ?",
                                    {QStringLiteral("Tennis Courts")})
                            .toLongLong();
    if (list == 0) qFatal("the bench property has no reservation list");
    const QDate month = Today.addMonths(1), year = Today.addYears(1);
    AppContext* c = &ctx;
    return {
        {"reservations by name, a month",
         [c, month] { return SearchReservationsByName(*c, "Rossi", Today, month).size(); }},
        {"reservations by name, any date",
         [c] { return SearchReservationsByName(*c, "Rossi", {}, {}).size(); }},
        {"reservations of a list, a month",
         [c, list, month] { return SearchReservationsByCategory(*c, list, Today, month).size(); }},
        {"reservations of a list, a year",
         [c, list, year] { return SearchReservationsByCategory(*c, list, Today, year).size(); }},
        {"wait list of a list, a month",
         [c, list, month] { return SearchWaitList(*c, list, Today, month).size(); }},
        {"guests turned away by a list, a year",
         [c, list, year] { return SearchUnavailability(*c, list, Today, year).size(); }},
    };
}

} // namespace vm::bench
