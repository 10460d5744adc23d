#include "bookings/TsCalendarLogic.h"

#include "bookings/BookingTimes.h"
#include "core/Formats.h"

#include <algorithm>

namespace vm {

namespace {

// The last day an exception can name: its end is open.
const QString OpenEnd = QStringLiteral("9999/12/31");

} // namespace

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
    return stored == OpenEnd ? QString() : Formats::ShortDateOfStored(stored);
}

QString ExceptionThroughToSave(const QString& storedThrough, const QString& typedThrough) {
    if (typedThrough.trimmed().isEmpty() && storedThrough == OpenEnd)
        return Formats::ShortDate(Formats::ParseStoredDate(OpenEnd));
    return typedThrough;
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
    const auto [first, last] = GetTimedServiceHours(ctx, day);
    std::vector<SheetRow> rows;
    // The last row starts one slot before the latest end.
    for (int m = first; m + TsSlotMinutes <= last; m += TsSlotMinutes) {
        SheetRow r;
        r.minute = m;
        r.time = SlotText(m);
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
