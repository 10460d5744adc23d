#include "bookings/TsCalendarLogic.h"

#include "bookings/BookingTimes.h"
#include "core/Formats.h"

#include <algorithm>

namespace vm {

void TypedWeekFrom(const TsWeek& week, TypedWeekDay (&days)[7]) {
    for (int d = 1; d <= 7; ++d) {
        const TsDay day = week.day(d);
        TypedWeekDay& out = days[d - 1];
        out.works = day.works;
        // Hhmm gives "" for a day without the time (-1).
        out.start = Hhmm(day.start);
        out.end = Hhmm(day.end);
        out.mealStart = Hhmm(day.mealStart);
        out.mealEnd = Hhmm(day.mealEnd);
    }
}

QString WeekdayName(int weekday) {
    static const char* const names[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                        "Thursday", "Friday", "Saturday"};
    return weekday >= 1 && weekday <= 7 ? QString::fromLatin1(names[weekday - 1]) : QString();
}

QString ExceptionDateShown(const QString& stored) {
    return stored == OpenScheduleThrough ? QString() : Formats::ShortDateOfStored(stored);
}

std::vector<Service> ServicesForChoice(AppContext& ctx, qint64 categoryId, qint64 serviceId,
                                       qint64 locationId) {
    std::vector<Service> chosen;
    const auto atLocation = [locationId](const Service& s) {
        return locationId == 0 || s.locationId == locationId;
    };
    if (categoryId != 0 && serviceId != 0) {
        const auto s = GetService(ctx, serviceId);
        if (s && s->categoryId == categoryId && atLocation(*s)) chosen.push_back(*s);
    } else if (categoryId != 0) {
        for (const Service& s : GetServicesByC(ctx, categoryId))
            if (atLocation(s)) chosen.push_back(s);
    } else if (locationId != 0) {
        for (const Service& s : GetServices(ctx))
            if (s.locationId == locationId) chosen.push_back(s);
        // by name within each category
        std::stable_sort(chosen.begin(), chosen.end(), [](const Service& a, const Service& b) {
            return a.categoryId < b.categoryId;
        });
    }
    return chosen;
}

QString CheckCalendarChoice(AppContext& ctx, qint64 categoryId, qint64 serviceId,
                            qint64 locationId) {
    if (categoryId == 0 && locationId == 0) return MsgCalNoChoice;
    return ServicesForChoice(ctx, categoryId, serviceId, locationId).empty() ? MsgCalNoServices
                                                                             : QString();
}

std::vector<SheetRow> EmptyDayRows(AppContext& ctx, const QDate& day) {
    // Counted as the sheets count them: from one slot before the earliest
    // start, the rows that fit before the latest end, halves to even.
    const auto [earliest, latest] = GetTimedServiceHours(ctx, day);
    const int before = earliest - TsSlotMinutes;
    const int count = RoundHalfEven((latest - before) / double(TsSlotMinutes));
    std::vector<SheetRow> rows;
    for (int k = 1; k < count && before + k * TsSlotMinutes < 24 * 60; ++k) {
        SheetRow r;
        r.minute = before + k * TsSlotMinutes;
        r.time = SlotText(r.minute);
        rows.push_back(r);
    }
    return rows;
}

QString CheckCalendarTime(const DaySheet& providerSheet, const QString& time, int minutes) {
    const int row = providerSheet.rowOf(time);
    // A time the provider's sheet does not have lies outside its hours.
    if (row < 0) return MsgSlotNotFullDuration;
    return CheckSlotChoice(providerSheet, row, minutes);
}

} // namespace vm
