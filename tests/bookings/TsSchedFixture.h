#pragma once
// A logged-on desk on a fresh property with helpers to make timed-service
// categories, locations, providers with their weeks, services and bookings.

#include "bookings/BookingTimes.h"
#include "bookings/TsSchedule.h"
#include "bookings/TsSetup.h"
#include "core/Formats.h"
#include "guests/OtherLists.h"
#include "logbook/LogbookFixture.h"

namespace vm::test {

// 2026/03/01 is a Sunday; the week that follows is Monday 03/02 ... Saturday 03/07.
inline const QDate TsSunday(2026, 3, 1);
inline const QDate TsMonday(2026, 3, 2);

class TsSchedFixture : public LogbookFixture {
protected:
    // A week working on the days marked "1" in `days` (Sunday first) with the
    // same hours ("HH:MM") each of those days; meal optional.
    static TsWeek week(const QString& days, const QString& start, const QString& end,
                       const QString& mealStart = {}, const QString& mealEnd = {}) {
        TsWeek w;
        for (int weekday = 1; weekday <= 7; ++weekday) {
            TsDay d;
            d.works = days.at(weekday - 1) == QLatin1Char('1');
            if (d.works) {
                d.start = SlotMinute(start);
                d.end = SlotMinute(end);
                if (!mealStart.isEmpty()) {
                    d.mealStart = SlotMinute(mealStart);
                    d.mealEnd = SlotMinute(mealEnd);
                }
            }
            w.setDay(weekday, d);
        }
        return w;
    }
    // Monday to Friday 09:00-17:00 with a meal 12:00-13:00.
    static TsWeek officeWeek() { return week("0111110", "09:00", "17:00", "12:00", "13:00"); }

    // A lookup value of the list ("TService" categories, "TSVenue" locations); answers its id.
    qint64 lookup(const QString& type, const QString& value) {
        const QString refusal = InsertOtherData(*env.ctx, type, value);
        for (const OtherValue& v : GetOtherData(*env.ctx, type))
            if (v.value == value) return v.id;
        throw std::runtime_error("lookup value not made: " + refusal.toStdString());
    }
    qint64 serviceCategory(const QString& name) { return lookup("TService", name); }
    qint64 location(const QString& name) { return lookup("TSVenue", name); }

    qint64 provider(const QString& name, const TsWeek& w = officeWeek(), bool allServices = true,
                    bool female = true) {
        Provider p;
        p.name = name;
        p.female = female;
        p.allServices = allServices;
        p.week = w;
        if (const QString refusal = SaveProvider(*env.ctx, p); !refusal.isEmpty())
            throw std::runtime_error("provider not saved: " + refusal.toStdString());
        return p.id;
    }

    qint64 service(const QString& name, qint64 categoryId, qint64 locationId, int minutes = 60,
                   double price = 80) {
        Service s;
        s.name = name;
        s.categoryId = categoryId;
        s.locationId = locationId;
        s.duration = minutes;
        s.price = price;
        if (const QString refusal = SaveService(*env.ctx, s); !refusal.isEmpty())
            throw std::runtime_error("service not saved: " + refusal.toStdString());
        return s.id;
    }

    // A dated exception ("MM/dd/yyyy" as typed; empty through = one day).
    qint64 exception(qint64 providerId, const QString& start, const QString& through,
                     const TsWeek& w) {
        ProviderSchedule s;
        s.providerId = providerId;
        s.week = w;
        if (const QString refusal = SaveScheduleException(*env.ctx, s, start, through);
            !refusal.isEmpty())
            throw std::runtime_error("exception not saved: " + refusal.toStdString());
        return s.id;
    }

    qint64 master(qint64 providerId, const QString& name, const TsWeek& w) {
        ProviderSchedule s;
        s.providerId = providerId;
        s.endDate = name;
        s.week = w;
        if (const QString refusal = SaveMasterSchedule(*env.ctx, s); !refusal.isEmpty())
            throw std::runtime_error("master not saved: " + refusal.toStdString());
        return s.id;
    }

    // A booking row as the booking screen stores it (start "hh:mm AM"), written
    // directly: for tests of what bookings block, not of saving them.
    qint64 bookingRow(qint64 providerId, qint64 serviceId, const QDate& day,
                      const QString& referTime, int minutes, const QString& last = "Guest") {
        const auto s = GetService(*env.ctx, serviceId);
        if (!s) throw std::runtime_error("no such service");
        return env.db().insert(
            "INSERT INTO [TimedService] ([CategoryID], [ServicesID], [ProviderID], [LocationID], "
            "[LogbookID], [ProfileID], [Duration], [Price], [Gratuity], [LastName], [FirstName], "
            "[ReferDate], [ReferTime], [Confirmation], [POSNumber], [Status0], [Status1], "
            "[Status2], [Status3], [Status4]) VALUES (?, ?, ?, ?, 0, 0, ?, ?, 0, ?, 'Pat', ?, ?, "
            "' ', ' ', ?, ?, ?, ?, ?)",
            {s->categoryId, serviceId, providerId, s->locationId, minutes, s->price, last,
             Formats::StoredDate(day), referTime, false, false, false, false, false},
            "TimedServiceID");
    }

    // Names of a provider list, in order.
    static QStringList names(const std::vector<std::pair<qint64, QString>>& list) {
        QStringList n;
        for (const auto& p : list)
            n << p.second;
        return n;
    }
};

} // namespace vm::test
