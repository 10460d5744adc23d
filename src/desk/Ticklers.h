#pragma once
// Tickler notes: short texts attached to a logbook category ('L') or a
// contact ('C') and shown on chosen weekdays between two days.  They live in
// the property's own database (ctx.db()), also where contacts are shared.

#include "platform/Database.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

namespace TicklerFrom {
inline constexpr char Category = 'L';
inline constexpr char Contact = 'C';
} // namespace TicklerFrom

// The through date of a note without an end.
inline const QString OpenThroughDate = QStringLiteral("9999/12/31");

struct TicklerNote {
    qint64 id = 0;
    char fromType = TicklerFrom::Category;
    qint64 fromId = 0;
    QString startingDate; // stored "yyyy/MM/dd"
    QString throughDate;  // stored "yyyy/MM/dd", OpenThroughDate when open-ended
    QString daysOfWeek;   // "SunMon..." in week order
    QString message;
};

// What the maintenance screen typed: short dates ("MM/dd/yyyy"), the weekday
// boxes as seven "1"/"0" characters from Sunday, and the note.
struct TypedTickler {
    QString startingDate, throughDate;
    QString dayMask;
    QString message;
};

// The weekday's three letters as TDayOfWeek stores them ("Sun" ... "Sat").
QString TicklerDayName(const QDate& d);
// "1010100" -> "SunTueThu"; characters other than "1" leave their day out.
QString DaysFromMask(const QString& mask);
// The inverse, for showing a stored note in the weekday boxes.
QString MaskFromDays(const QString& days);

// The first refusal for a typed note, in the screen's order; "" when it may be saved.
QString CheckTickler(const TypedTickler& typed);
// The stored form of a typed note that passed CheckTickler.
TicklerNote StoredTickler(const TypedTickler& typed);

// The owner's notes for the maintenance grid, by starting date.
std::vector<TicklerNote> GetTicklers(Database& db, char fromType, qint64 fromId);
std::optional<TicklerNote> GetTickler(Database& db, qint64 ticklerId);
// The texts of the owner's notes that apply on `day`: the weekday is named
// and StartingDate <= day <= ThroughDate.
QStringList TicklersOn(Database& db, char fromType, qint64 fromId, const QDate& day);
// The same for a stored day ("yyyy/MM/dd"); nothing for anything else.
QStringList GetCategoryTicklers(Database& db, qint64 logTypeId, const QString& storedDay);
QStringList GetContactTicklers(Database& db, qint64 contactId, const QString& storedDay);

// Inserts (id 0) or updates the note; answers its id.  An update of a note
// another desk deleted answers 0.
qint64 SaveTickler(Database& db, TicklerNote& note);
bool DeleteTickler(Database& db, qint64 ticklerId);

// Refusals of the maintenance screen, verbatim.
inline const QString MsgTicklerStart =
    QStringLiteral("Please enter a valid Starting Date for this\r\n Message.  Thank you.");
inline const QString MsgTicklerDays =
    QStringLiteral("You must select at least one Day of the Week to display the Message.");
inline const QString MsgTicklerMessage =
    QStringLiteral("Please enter the Message to be presented.  Thank you.");
inline const QString MsgTicklerThrough =
    QStringLiteral("Please enter a valid Through Date for this\r\n Message.  Thank you.");
inline const QString MsgTicklerOrder = QStringLiteral(
    "The Through Date must be Equal to or Later than\r\n the Starting Date.  Thank you.");
inline const QString MsgTicklerDelete = QStringLiteral(
    "Press <Yes> to DELETE this Message.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgTicklerSelect =
    QStringLiteral("Please select the Message you wish to delete.   \r\nThank you.");

} // namespace vm
