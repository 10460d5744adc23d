#pragma once
// Every date, time and number format of the program, in one place.

#include <QDate>
#include <QDateTime>
#include <QString>

namespace vm::Formats {

// Stored forms (text columns).
QString StoredDate(const QDate& d);                 // "yyyy/MM/dd"
QString StoredDateTime(const QDateTime& dt);        // "yyyy/MM/dd HH:mm"
QString StoredDateTimeSeconds(const QDateTime& dt); // "yyyy/MM/dd HH:mm:ss"
QDate ParseStoredDate(const QString& s);            // "yyyy/MM/dd" → date (invalid if not)
QDate ParseStoredDateUtf8(QByteArrayView utf8);     // the same, as an engine holds it
QDateTime ParseStoredDateTime(const QString& s);    // "yyyy/MM/dd HH:mm"

// On screen.
QString ShortDate(const QDate& d); // "MM/dd/yyyy"
QString LongDate(const QDate& d);  // "dddd, MMMM d, yyyy" (English names)
// The two halves of the long date, for a heading of two lines: "dddd" and
// "MMMM d, yyyy" (English names).
QString DayName(const QDate& d);
QString MonthDayYear(const QDate& d);
// A date in a format chosen by name in the settings: "Long Date", "Medium Date"
// ("dd-MMM-yy"), "Short Date", or one of the pattern names "MMMM DD, YYYY",
// "DD/MM/YY", "DD/MM/YYYY", "YYYY/MM/DD", "MM/DD/YY", "DD.MM.YY"; any other
// name (or none) gives the long date.
QString NamedDate(const QDate& d, const QString& formatName);
QDate ParseShortDate(const QString& s);
// What a box for a short date shows while it is empty.
inline const QString ShortDateHint = QStringLiteral("MM/DD/YYYY");
QString Time12(const QTime& t);      // "hh:mm AM"
QString Time24(const QTime& t);      // "HH:mm"
QTime ParseTime(const QString& s);   // "HH:mm", "hh:mm AM", "h:mm AM"
QTime ParseTime12(const QString& s); // exactly "hh:mm AM" / "hh:mm PM"
// "dddd, MM/dd/yyyy" (English day names); "" for an invalid date.
QString DayShortDate(const QDate& d);
// Audit texts: "dddd, MM/dd/yyyy at hh:mm am"
QString AuditStamp(const QDateTime& dt);
// Creation stamps: "dddd,  MMMM dd, yyyy" (two blanks after the day) and
// "hh:mm am"; "" for an invalid date or time.
QString CreatedDate(const QDate& d);
QString Time12Lower(const QTime& t);
// Syslog lines: "MMM dd HH:mm:ss" (English month names)
QString SyslogStamp(const QDateTime& dt);
// A stored day ("yyyy/MM/dd", anything may follow) as a short date; "" when it is not a day.
QString ShortDateOfStored(const QString& stored);
QString ShortDateOfStoredUtf8(QByteArrayView utf8); // the same, as an engine holds it

// Old-style number pattern with "#", "0", "," and "." ("#,###.00" gives ".00" for zero).
QString FormatNumber(double value, const QString& pattern);

// Calendar boundaries crossed between two dates ("d" days, "ww" weeks Sunday-first,
// "m" months, "yyyy" years), like the desk's date differences.
qint64 DateDiff(const QString& interval, const QDate& from, const QDate& to);

} // namespace vm::Formats
