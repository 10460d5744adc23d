#pragma once
// Time and slot arithmetic shared by the reservation lists and the timed
// services.  Times of day travel as minutes after midnight inside the code;
// they are stored and shown as the grids show them ("hh:mm AM").

#include "platform/Database.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace vm {

// x rounded to the nearest whole number, halves to the even one
// (2.5 -> 2, 3.5 -> 4), as the sheets have always counted rows.
int RoundHalfEven(double x);

// "hh:mm AM" of a minute of the day (0 ... 1439); "" outside the day.
QString SlotText(int minuteOfDay);
// The minute of the day of "hh:mm AM", "h:mm AM" or "HH:mm"; -1 when it is none.
int SlotMinute(const QString& text);
// "HH:MM" of a minute of the day, as schedules store it; "" outside the day.
QString Hhmm(int minuteOfDay);

// The weekday as the stored schedules number it: Sunday = 1 ... Saturday = 7.
int WeekdayNumber(const QDate& d);
// "Sun" ... "Sat".
QString WeekdayAbbreviation(const QDate& d);

// Inside a transaction of `db`: takes the row's write lock on a server, so a
// second desk booking against the same row waits until the first commits and
// then sees its booking.  (SQLite's transactions already hold the write lock.)
// Answers false when the row does not exist.
bool LockRowForBooking(Database& db, const QString& table, const QString& keyColumn, qint64 key);

} // namespace vm
