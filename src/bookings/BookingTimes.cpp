#include "bookings/BookingTimes.h"

#include "core/Formats.h"

#include <cmath>

namespace vm {

int RoundHalfEven(double x) {
    return int(std::nearbyint(x)); // the default rounding mode rounds halves to even
}

QString SlotText(int minuteOfDay) {
    if (minuteOfDay < 0 || minuteOfDay >= 24 * 60) return {};
    return Formats::Time12(QTime(minuteOfDay / 60, minuteOfDay % 60));
}

int SlotMinute(const QString& text) {
    const QTime t = Formats::ParseTime(text);
    return t.isValid() ? t.hour() * 60 + t.minute() : -1;
}

QString Hhmm(int minuteOfDay) {
    if (minuteOfDay < 0 || minuteOfDay >= 24 * 60) return {};
    return Formats::Time24(QTime(minuteOfDay / 60, minuteOfDay % 60));
}

int WeekdayNumber(const QDate& d) {
    return d.dayOfWeek() % 7 + 1; // Qt: Monday 1 ... Sunday 7
}

QString WeekdayAbbreviation(const QDate& d) {
    static const char* const names[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    return d.isValid() ? QString::fromLatin1(names[WeekdayNumber(d) - 1]) : QString();
}

bool LockRowForBooking(Database& db, const QString& table, const QString& keyColumn, qint64 key) {
    const QString where = " FROM [" + table + "] WHERE [" + keyColumn + "] = ?";
    if (db.engine() == Engine::PostgreSQL)
        return db.queryOne("SELECT [" + keyColumn + "]" + where + " FOR UPDATE", {key}).has_value();
    return db.queryOne("SELECT [" + keyColumn + "]" + where, {key}).has_value();
}

} // namespace vm
