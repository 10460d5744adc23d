#pragma once
// Providers' working weeks: the default week, dated exceptions and named
// master weeks; the schedule in force on a date; which providers can give a
// service at a time; the availability search; the hours a day sheet spans.

#include "core/AppContext.h"

#include <QDate>
#include <optional>
#include <vector>

namespace vm {

// One day of a week: work hours and meal break as minutes of the day (-1 = none).
struct TsDay {
    bool works = false;
    int start = -1, end = -1;
    int mealStart = -1, mealEnd = -1;
    bool hasMeal() const { return mealStart >= 0 && mealEnd >= 0; }
};

// A week as stored: 7 work flags ("1"/"0", Sunday first) and four strings of
// seven 5-character "HH:MM" slots, blank where the day has none.
struct TsWeek {
    QString workSchedule = QStringLiteral("0000000");
    QString startArray = QString(35, QLatin1Char(' '));
    QString endArray = QString(35, QLatin1Char(' '));
    QString startMeal = QString(35, QLatin1Char(' '));
    QString endMeal = QString(35, QLatin1Char(' '));

    // Weekday 1 (Sunday) ... 7.
    TsDay day(int weekday) const;
    void setDay(int weekday, const TsDay& d);
    // 7 flags and four strings of exactly 35 characters: the only shape written.
    bool wellFormed() const;
};

// Throws std::invalid_argument unless the week is well formed (nothing is
// written then: a short string would shift every later weekday).
void RequireWellFormed(const TsWeek& week);

// A week typed in a schedule grid: per day (Sunday first) the four cells as
// typed ("Start", "End", meal "Start", "End") and the work box.
struct TypedWeekDay {
    bool works = false;
    QString start, end, mealStart, mealEnd;
};
// The refusal for a typed week ("" when it may be saved) naming the day and
// the field; an End at or before its Start is refused.
QString CheckTypedWeek(const TypedWeekDay (&days)[7]);
TsWeek WeekFromTyped(const TypedWeekDay (&days)[7]);

struct ProviderSchedule {
    qint64 id = 0; // PScheduleID
    qint64 providerId = 0;
    QString startDate; // "yyyy/MM/dd", or "Master"
    QString endDate;   // "yyyy/MM/dd" ("9999/12/31" open), or the master's name
    TsWeek week;
    bool isMaster() const { return startDate == QLatin1String("Master"); }
};

// The week in force for the provider on the day: the latest exception
// covering it, else the default week, else nobody works.
TsWeek GetProviderScheduleForDate(AppContext& ctx, qint64 providerId, const QDate& day);

// Masters first (in the order they were made), then exceptions, latest first.
std::vector<ProviderSchedule> GetProviderSchedules(AppContext& ctx, qint64 providerId);
// Exception as typed: the refusal ("" when saved).  Overlapping another
// exception of the provider is refused.
QString SaveScheduleException(AppContext& ctx, ProviderSchedule& s, const QString& typedStart,
                              const QString& typedThrough);
// Master: a name is required and unique per provider; "" when saved.
QString SaveMasterSchedule(AppContext& ctx, ProviderSchedule& s);
void DeleteProviderSchedule(AppContext& ctx, qint64 scheduleId);
// Applies the masters in order over `weeks` weeks from `firstDay` (one
// exception per week, in one transaction); "" when done, else the refusal.
QString ApplyMasterSchedules(AppContext& ctx, qint64 providerId, const QDate& firstDay,
                             const QString& typedWeeks);

// Providers who give the service (all-services providers first, then the
// assigned ones), by (id, name).
std::vector<std::pair<qint64, QString>> GetProvidersByS(AppContext& ctx, qint64 serviceId);
// Of those, the ones at work and not at their meal on the day at the minute.
std::vector<std::pair<qint64, QString>> GetProvidersByST(AppContext& ctx, qint64 serviceId,
                                                         const QDate& day, int minuteOfDay);

// One row of the availability search.
struct TsAvailability {
    qint64 categoryId = 0, serviceId = 0, providerId = 0, locationId = 0;
    QString categoryName, serviceName, providerName;
    int duration = 0;
};
// Services chosen by category, service and location (0 = not chosen; at
// least a category or a location); for each, the providers who can give it
// at the minute for its whole length, at work, outside the meal break and
// not booked.
std::vector<TsAvailability> GetAvailability(AppContext& ctx, qint64 categoryId, qint64 serviceId,
                                            qint64 locationId, const QDate& day, int minuteOfDay);

// The first and last minute the day sheets of the day cover: the earliest
// start and latest end of every schedule in force that day; 06:00-22:00 when
// no one works.
std::pair<int, int> GetTimedServiceHours(AppContext& ctx, const QDate& day);

// The through date an open exception keeps (shown as an empty Through Date).
inline const QString OpenScheduleThrough = QStringLiteral("9999/12/31");

inline const QString MsgExceptionStart =
    QStringLiteral("Please enter a valid Starting Date for this Schedule Exception.  Thank you.");
inline const QString MsgScheduleExceptionThrough =
    QStringLiteral("Please enter a valid Through Date for this Schedule Exception.  Thank you.");
inline const QString MsgExceptionOrder = QStringLiteral(
    "The Through Date must be Equal to or Later than the Starting Date.  Thank you.");
inline const QString MsgMasterName =
    QStringLiteral("Please enter the Master Schedule Name.  Thank you.");
inline const QString MsgNoMasters = QStringLiteral("There are no Master Schedules defined.");
inline const QString MsgMasterWeeks = QStringLiteral("Please select the Number of Weeks.");
inline const QString MsgMasterMultiple =
    QStringLiteral("The Number of Weeks must be a multiple of the number of Master Schedules.");
inline const QString MsgMasterFirstDay =
    QStringLiteral("Please enter a valid first day for the Master Schedules.  Thank you.");
inline const QString MsgProviderGone =
    QStringLiteral("This Provider has been deleted at another workstation.  Thank you.");
// The weeks the masters may be applied over at once (ten years).
inline constexpr int MaxMasterWeeks = 520;

} // namespace vm
