// Which providers can give a service: by assignment, at a minute of a day,
// and for the whole length of a service (the availability search); and the
// hours the day sheets of a day span.  A day's roster is read in a few
// statements and then asked in memory, so a search costs the same whether it
// looks at one service or two hundred.

#include "bookings/BookingTimes.h"
#include "bookings/TsRoster.h"
#include "bookings/TsSetup.h"
#include "core/Formats.h"
#include "core/LongText.h"

#include <algorithm>

namespace vm {

namespace ts {

DayRoster DayRoster::load(Database& db, const QDate& day, bool links, bool bookings) {
    DayRoster roster;
    roster.day = day;
    const QString d = Formats::StoredDate(day);
    db.snapshot([&] {
        for (const Row& r : db.query("SELECT [ProvidersID], [ProviderName], [AllServices], "
                                     "[WorkSchedule], [StartArray], [EndArray], [StartMeal], "
                                     "[EndMeal] FROM [Providers] ORDER BY [ProviderName], "
                                     "[ProvidersID]")) {
            RosterProvider p;
            p.id = r.number("ProvidersID");
            p.name = r.trimmedText("ProviderName");
            p.allServices = r.flag("AllServices");
            p.week = WeekOf(r);
            roster.index.insert(p.id, int(roster.providers.size()));
            roster.providers.push_back(std::move(p));
        }
        if (!day.isValid()) return;
        // Ascending ids: where exceptions overlap, the newest one is applied last and wins.
        for (const Row& r : db.query("SELECT * FROM [ProviderSchedule] WHERE [StartDate] <> ? AND "
                                     "[StartDate] <= ? AND [EndDate] >= ? ORDER BY [PScheduleID]",
                                     {QStringLiteral("Master"), d, d}))
            if (auto it = roster.index.constFind(r.number("ProvidersID"));
                it != roster.index.cend())
                roster.providers[size_t(*it)].week = WeekOf(r);
        if (links)
            for (const Row& r :
                 db.query("SELECT [EvConKey], [NoteField] FROM [EvConText] WHERE [EvConType] = ?",
                          {TextKind::ProviderService}))
                if (auto it = roster.index.constFind(r.number("EvConKey"));
                    it != roster.index.cend())
                    roster.providers[size_t(*it)].services.insert(
                        r.trimmedText("NoteField").toLongLong());
        if (bookings)
            for (const Row& r : db.query("SELECT [ProviderID], [ReferTime], [Duration] FROM "
                                         "[TimedService] WHERE [ReferDate] = ?",
                                         {d})) {
                const auto it = roster.index.constFind(r.number("ProviderID"));
                const int start = BookingMinuteOf(r.text("ReferTime"));
                if (it == roster.index.cend() || start < 0) continue;
                const int rows = SlotRows(int(r.number("Duration")));
                roster.providers[size_t(*it)].booked.emplace_back(start, start + 10 * rows);
            }
    });
    return roster;
}

std::vector<const RosterProvider*> DayRoster::givers(qint64 serviceId) const {
    std::vector<const RosterProvider*> list;
    for (const RosterProvider& p : providers)
        if (p.allServices) list.push_back(&p);
    for (const RosterProvider& p : providers)
        if (!p.allServices && p.services.contains(serviceId)) list.push_back(&p);
    return list;
}

} // namespace ts

namespace {

using ProviderList = std::vector<std::pair<qint64, QString>>;

// Free for the whole service: inside the work hours, clear of the meal break
// (its end counts as the meal) and of the provider's other bookings.
bool freeFor(const ts::RosterProvider& p, const TsDay& d, int start, int minutes) {
    const int end = start + minutes;
    if (!d.works || d.start < 0 || d.end < 0 || start < d.start || end > d.end) return false;
    if (d.hasMeal() && start <= d.mealEnd && end > d.mealStart) return false;
    return std::none_of(p.booked.begin(), p.booked.end(), [&](const std::pair<int, int>& b) {
        return b.first < end && start < b.second;
    });
}

} // namespace

ProviderList GetProvidersByS(AppContext& ctx, qint64 serviceId) {
    Database& db = ctx.db();
    ProviderList list;
    QSet<qint64> seen;
    auto add = [&](const Row& r) {
        const qint64 id = r.number("ProvidersID");
        if (!seen.contains(id)) {
            seen.insert(id);
            list.emplace_back(id, r.trimmedText("ProviderName"));
        }
    };
    for (const Row& r : db.query("SELECT [ProvidersID], [ProviderName] FROM [Providers] WHERE "
                                 "[AllServices] = ? ORDER BY [ProviderName], [ProvidersID]",
                                 {true}))
        add(r);
    for (const Row& r : db.query(
             "SELECT P.[ProvidersID], P.[ProviderName] FROM [EvConText] X INNER JOIN [Providers] P "
             "ON P.[ProvidersID] = X.[EvConKey] WHERE X.[EvConType] = ? AND X.[NoteField] = ? "
             "ORDER BY P.[ProviderName], P.[ProvidersID]",
             {TextKind::ProviderService, QString::number(serviceId)}))
        add(r);
    return list;
}

ProviderList GetProvidersByST(AppContext& ctx, qint64 serviceId, const QDate& day,
                              int minuteOfDay) {
    ProviderList list;
    if (!day.isValid()) return list;
    const ts::DayRoster roster = ts::DayRoster::load(ctx.db(), day, true, false);
    const int weekday = WeekdayNumber(day);
    for (const ts::RosterProvider* p : roster.givers(serviceId))
        if (ts::AtWork(p->week.day(weekday), minuteOfDay)) list.emplace_back(p->id, p->name);
    return list;
}

std::vector<TsAvailability> GetAvailability(AppContext& ctx, qint64 categoryId, qint64 serviceId,
                                            qint64 locationId, const QDate& day, int minuteOfDay) {
    std::vector<TsAvailability> rows;
    if ((categoryId == 0 && serviceId == 0 && locationId == 0) || !day.isValid()) return rows;
    Database& db = ctx.db();

    // Only the choices made narrow the services.
    QString where;
    QVariantList params;
    auto condition = [&](const char* column, qint64 value) {
        if (value == 0) return;
        where += QString(where.isEmpty() ? " WHERE " : " AND ") + "[" + column + "] = ?";
        params << value;
    };
    condition("CategoryID", categoryId);
    condition("ServicesID", serviceId);
    condition("LocationID", locationId);
    std::vector<Service> services;
    QHash<qint64, QString> categories;
    db.snapshot([&] {
        for (const Row& r : db.query("SELECT * FROM [Services]" + where +
                                         " ORDER BY [CategoryID], [ServiceName], [ServicesID]",
                                     params)) {
            Service s;
            s.id = r.number("ServicesID");
            s.name = r.trimmedText("ServiceName");
            s.categoryId = r.number("CategoryID");
            s.locationId = r.number("LocationID");
            s.duration = int(r.number("Duration"));
            services.push_back(s);
        }
        for (const Row& r : db.query("SELECT [OtherID], [OtherValue] FROM [Other] WHERE "
                                     "[OtherType] = ?",
                                     {QStringLiteral("TService")}))
            categories.insert(r.number("OtherID"), r.trimmedText("OtherValue"));
    });
    if (services.empty()) return rows;

    const ts::DayRoster roster = ts::DayRoster::load(db, day, true, true);
    const int weekday = WeekdayNumber(day);
    for (const Service& s : services) {
        const int minutes = 10 * ts::SlotRows(s.duration);
        for (const ts::RosterProvider* p : roster.givers(s.id)) {
            if (!freeFor(*p, p->week.day(weekday), minuteOfDay, minutes)) continue;
            TsAvailability a;
            a.categoryId = s.categoryId;
            a.serviceId = s.id;
            a.providerId = p->id;
            a.locationId = s.locationId;
            a.categoryName = categories.value(s.categoryId);
            a.serviceName = s.name;
            a.providerName = p->name;
            a.duration = s.duration;
            rows.push_back(std::move(a));
        }
    }
    return rows;
}

std::pair<int, int> GetTimedServiceHours(AppContext& ctx, const QDate& day) {
    const ts::DayRoster roster = ts::DayRoster::load(ctx.db(), day, false, false);
    // Every slot of each week in force counts, so a day's sheet keeps the
    // same rows whichever weekday it is.
    int earliest = -1, latest = -1;
    for (const ts::RosterProvider& p : roster.providers)
        for (int weekday = 1; weekday <= 7; ++weekday) {
            const TsDay d = p.week.day(weekday);
            if (d.start < 0 || d.end <= d.start) continue;
            earliest = earliest < 0 ? d.start : std::min(earliest, d.start);
            latest = std::max(latest, d.end);
        }
    if (earliest < 0) return {6 * 60, 22 * 60};
    return {earliest, latest};
}

} // namespace vm
