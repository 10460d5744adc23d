#pragma once
// Inside the timed-services store: reading stored times quickly, and the
// roster of one day (every provider's week in force, the service links and
// the day's bookings) read in a handful of statements and then asked in
// memory.

#include "bookings/TsSchedule.h"

#include <QHash>
#include <QSet>

namespace vm::ts {

// Minute of the day of a stored schedule slot ("HH:MM"); -1 for blanks or
// anything that is no time.
int SlotMinuteOf(QStringView slot);
// Minute of the day of a booking's start as the sheet wrote it ("hh:mm AM");
// -1 when it is none.
int BookingMinuteOf(const QString& referTime);
// Rows a booking of `minutes` takes: minutes / 10 rounded half to even, at least 1.
int SlotRows(int minutes);
// The week of a Providers or ProviderSchedule row.
TsWeek WeekOf(const class Row& r);
// The columns of the week, in table order, and their values (a week that is
// not well formed is refused here).
QStringList WeekColumns();
QVariantList WeekValues(const TsWeek& w);

// Updates the row `id` of `table` (key column `key`) with the values of the
// columns; a new row (id 0), or one another desk deleted, is inserted.
// Answers the row's id.
qint64 UpdateOrInsert(Database& db, const QString& table, const QString& key,
                      const QStringList& columns, const QVariantList& values, qint64 id);

struct RosterProvider {
    qint64 id = 0;
    QString name;
    bool allServices = false;
    TsWeek week;           // in force on the roster's day
    QSet<qint64> services; // assigned ("X" links)
    // The day's bookings: [start, end) in minutes of the day.
    std::vector<std::pair<int, int>> booked;
};

struct DayRoster {
    QDate day;
    std::vector<RosterProvider> providers; // by name
    QHash<qint64, int> index;              // ProvidersID → position

    // Reads every provider with the week in force on `day`; with `links` the
    // service links, with `bookings` the day's bookings too.
    static DayRoster load(Database& db, const QDate& day, bool links, bool bookings);

    // Providers who give the service: all-services ones first, then the
    // assigned ones, each once.
    std::vector<const RosterProvider*> givers(qint64 serviceId) const;
};

// At work at the minute (both ends of the work hours count) and not at the
// meal (both ends of the meal count).
bool AtWork(const TsDay& d, int minute);

} // namespace vm::ts
