// A provider's dated exceptions and named master weeks, and the week in force
// on a day.  Exceptions hold "yyyy/MM/dd" in StartDate and EndDate (inclusive;
// "9999/12/31" is open); masters hold "Master" and their name.

#include "bookings/BookingTimes.h"
#include "bookings/TsRoster.h"
#include "core/DataAccess.h"
#include "core/Formats.h"

#include <algorithm>

namespace vm {

namespace {

const QString MasterMark = QStringLiteral("Master");

ProviderSchedule scheduleOf(const Row& r) {
    ProviderSchedule s;
    s.id = r.number("PScheduleID");
    s.providerId = r.number("ProvidersID");
    s.startDate = r.trimmedText("StartDate");
    s.endDate = r.trimmedText("EndDate");
    s.week = ts::WeekOf(r);
    return s;
}

// Inserts the schedule row, or updates it (a row another desk deleted is
// inserted again, so what was typed is kept).
void writeSchedule(Database& db, ProviderSchedule& s) {
    s.id = ts::UpdateOrInsert(
        db, "ProviderSchedule", "PScheduleID",
        QStringList{"ProvidersID", "StartDate", "EndDate"} + ts::WeekColumns(),
        QVariantList{s.providerId, s.startDate, s.endDate} + ts::WeekValues(s.week), s.id);
}

// The provider's exceptions as the exception grid lists them: latest start
// first (ties: the newest row first).
std::vector<ProviderSchedule> exceptionsOf(Database& db, qint64 providerId) {
    std::vector<ProviderSchedule> list;
    for (const Row& r : db.query("SELECT * FROM [ProviderSchedule] WHERE [ProvidersID] = ? AND "
                                 "[StartDate] <> ? ORDER BY [StartDate] DESC, [PScheduleID] DESC",
                                 {providerId, MasterMark}))
        list.push_back(scheduleOf(r));
    return list;
}

bool overlaps(const ProviderSchedule& e, const QString& first, const QString& last) {
    return e.startDate <= last && e.endDate >= first;
}

QString shownDate(const QString& stored) {
    const QString shown = Formats::ShortDateOfStored(stored);
    return shown.isEmpty() ? stored : shown;
}

} // namespace

TsWeek GetProviderScheduleForDate(AppContext& ctx, qint64 providerId, const QDate& day) {
    Database& db = ctx.db();
    if (day.isValid()) {
        const QString d = Formats::StoredDate(day);
        // Overlapping exceptions (older data) resolve to the newest one.
        const auto r = db.queryOne(
            "SELECT * FROM [ProviderSchedule] WHERE [ProvidersID] = ? AND [StartDate] <> ? AND "
            "[StartDate] <= ? AND [EndDate] >= ? ORDER BY [PScheduleID] DESC LIMIT 1",
            {providerId, MasterMark, d, d});
        if (r) return ts::WeekOf(*r);
    }
    const auto p = db.queryOne("SELECT [WorkSchedule], [StartArray], [EndArray], [StartMeal], "
                               "[EndMeal] FROM [Providers] WHERE [ProvidersID] = ?",
                               {providerId});
    return p ? ts::WeekOf(*p) : TsWeek();
}

std::vector<ProviderSchedule> GetProviderSchedules(AppContext& ctx, qint64 providerId) {
    Database& db = ctx.db();
    std::vector<ProviderSchedule> list;
    for (const Row& r : db.query("SELECT * FROM [ProviderSchedule] WHERE [ProvidersID] = ? AND "
                                 "[StartDate] = ? ORDER BY [PScheduleID]",
                                 {providerId, MasterMark}))
        list.push_back(scheduleOf(r));
    for (ProviderSchedule& e : exceptionsOf(db, providerId))
        list.push_back(std::move(e));
    return list;
}

QString SaveScheduleException(AppContext& ctx, ProviderSchedule& s, const QString& typedStart,
                              const QString& typedThrough) {
    const QDate start = Formats::ParseShortDate(typedStart.trimmed());
    if (!start.isValid()) return MsgExceptionStart;
    Database& db = ctx.db();
    QString through;
    if (typedThrough.trimmed().isEmpty()) {
        // An open exception is shown with an empty Through Date: saving it
        // again keeps it open instead of shortening it to one day.
        const auto stored =
            s.id ? db.queryOne("SELECT [EndDate] FROM [ProviderSchedule] WHERE [PScheduleID] = ?",
                               {s.id})
                 : std::nullopt;
        through = stored && stored->text("EndDate").trimmed() == OpenScheduleThrough
                      ? OpenScheduleThrough
                      : Formats::StoredDate(start);
    } else {
        const QDate end = Formats::ParseShortDate(typedThrough.trimmed());
        if (!end.isValid()) return MsgScheduleExceptionThrough;
        if (end < start) return MsgExceptionOrder;
        through = Formats::StoredDate(end);
    }
    RequireWellFormed(s.week);

    QString refusal;
    db.transaction([&] {
        // The provider's lock makes the overlap check and the write one step
        // for every desk.
        if (!LockRowForBooking(db, "Providers", "ProvidersID", s.providerId)) {
            refusal = MsgProviderGone;
            return;
        }
        const QString first = Formats::StoredDate(start);
        for (const ProviderSchedule& e : exceptionsOf(db, s.providerId)) {
            if (e.id == s.id || !overlaps(e, first, through)) continue;
            refusal = "This Schedule Exception overlaps the exception from " +
                      shownDate(e.startDate) + " through " + shownDate(e.endDate) + ".  Thank you.";
            return;
        }
        s.startDate = first;
        s.endDate = through;
        writeSchedule(db, s);
    });
    return refusal;
}

QString SaveMasterSchedule(AppContext& ctx, ProviderSchedule& s) {
    const QString name = CleanSqlTextKeepAmp(s.endDate);
    if (name.trimmed().isEmpty()) return MsgMasterName;
    RequireWellFormed(s.week);
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (!LockRowForBooking(db, "Providers", "ProvidersID", s.providerId)) {
            refusal = MsgProviderGone;
            return;
        }
        // Names compare as the columns do: without regard to case.
        if (db.queryOne("SELECT [PScheduleID] FROM [ProviderSchedule] WHERE [ProvidersID] = ? AND "
                        "[StartDate] = ? AND [EndDate] = ? AND [PScheduleID] <> ?",
                        {s.providerId, MasterMark, name, s.id})) {
            refusal = "There is already a Master Schedule named " + name +
                      " for this Provider.  Thank you.";
            return;
        }
        s.startDate = MasterMark;
        s.endDate = name;
        writeSchedule(db, s);
    });
    return refusal;
}

void DeleteProviderSchedule(AppContext& ctx, qint64 scheduleId) {
    ctx.db().exec("DELETE FROM [ProviderSchedule] WHERE [PScheduleID] = ?", {scheduleId});
}

QString ApplyMasterSchedules(AppContext& ctx, qint64 providerId, const QDate& firstDay,
                             const QString& typedWeeks) {
    Database& db = ctx.db();
    QString refusal;
    db.transaction([&] {
        if (!LockRowForBooking(db, "Providers", "ProvidersID", providerId)) {
            refusal = MsgProviderGone;
            return;
        }
        // Masters rotate in the order they were made.
        std::vector<ProviderSchedule> masters;
        for (const Row& r : db.query("SELECT * FROM [ProviderSchedule] WHERE [ProvidersID] = ? "
                                     "AND [StartDate] = ? ORDER BY [PScheduleID]",
                                     {providerId, MasterMark}))
            masters.push_back(scheduleOf(r));
        if (masters.empty()) {
            refusal = MsgNoMasters;
            return;
        }
        bool numeric = false;
        const int weeks = typedWeeks.trimmed().toInt(&numeric);
        if (!numeric || weeks <= 0 || weeks > MaxMasterWeeks) {
            refusal = MsgMasterWeeks;
            return;
        }
        const int m = int(masters.size());
        if (m >= 2 && weeks % m != 0) {
            refusal = MsgMasterMultiple;
            return;
        }
        if (!firstDay.isValid()) {
            refusal = MsgMasterFirstDay;
            return;
        }
        // Any exception meeting the span is refused, not only one lying
        // wholly inside it: two exceptions on one day leave the week in force
        // to chance.  The row number is the exception grid's (latest first).
        const QString first = Formats::StoredDate(firstDay);
        const QString last = Formats::StoredDate(firstDay.addDays(7 * weeks - 1));
        const std::vector<ProviderSchedule> exceptions = exceptionsOf(db, providerId);
        for (size_t i = 0; i < exceptions.size(); ++i) {
            if (!overlaps(exceptions[i], first, last)) continue;
            refusal = "There is an Exception to the Default Schedule defined during the selected "
                      "time frame.  Please see row number " +
                      QString::number(i + 1) + " in the grid above.";
            return;
        }
        for (int week = 0; week < weeks; ++week) {
            const ProviderSchedule& master = masters[size_t(week % m)];
            ProviderSchedule e;
            e.providerId = providerId;
            e.startDate = Formats::StoredDate(firstDay.addDays(7 * week));
            e.endDate = Formats::StoredDate(firstDay.addDays(7 * week + 6));
            e.week = master.week;
            writeSchedule(db, e);
        }
    });
    return refusal;
}

} // namespace vm
