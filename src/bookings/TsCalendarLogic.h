#pragma once
// What the provider schedule window and the availability calendar decide
// without widgets: a week as the cells of its grid, the dates an exception
// list shows, which services a calendar choice covers, the empty rows of a
// day, and the check of a chosen time against a provider's day sheet.

#include "bookings/DaySheet.h"
#include "bookings/TsSetup.h"

namespace vm {

// --- Schedule grids ---------------------------------------------------------

// The stored week as its grid shows it: per day (Sunday first) the work box
// and the four cells "HH:MM", empty where the day has no time.
void TypedWeekFrom(const TsWeek& week, TypedWeekDay (&days)[7]);
// "Sunday" ... "Saturday" for weekday 1 ... 7.
QString WeekdayName(int weekday);

// An exception's dates in the short form its list shows; an open end
// ("9999/12/31") shows empty.
QString ExceptionDateShown(const QString& stored);

// --- Availability calendar --------------------------------------------------

// The services a choice of category, service and location (0 = not chosen)
// covers, by category and name.  Without a category only the location counts.
std::vector<Service> ServicesForChoice(AppContext& ctx, qint64 categoryId, qint64 serviceId,
                                       qint64 locationId);
// "" when the choice may be searched, else the message: nothing chosen, or a
// choice without services.
QString CheckCalendarChoice(AppContext& ctx, qint64 categoryId, qint64 serviceId,
                            qint64 locationId);

// The 10-minute rows of the day with nothing in them: the rows every day
// sheet of the day has.
std::vector<SheetRow> EmptyDayRows(AppContext& ctx, const QDate& day);

// A time chosen on the calendar for a service of `minutes` with the provider:
// "" when the provider's sheet has every row the service needs free from
// that time on, else the message.
QString CheckCalendarTime(const DaySheet& providerSheet, const QString& time, int minutes);

inline const QString MsgCalNoChoice =
    QStringLiteral("Please select a Category or a Location.  Thank you.");
inline const QString MsgCalNoServices =
    QStringLiteral("No Services/Locations have been defined for your selection.");
inline const QString MsgCalNoneAvailable =
    QStringLiteral("There are no Providers and Services available at this time.");
inline const QString MsgCalProviderSearch =
    QStringLiteral("We cannot book reservations from the Provider Search display.");
inline const QString MsgCalNoProvider = QStringLiteral("Please select the Provider.  Thank you.");
inline const QString SelectedTimeText = QStringLiteral("Selected Time");

// --- Schedule window messages -------------------------------------------------

inline const QString MsgSchedSelectDay =
    QStringLiteral("Please select the day on the grid.  Thank you.");
inline const QString MsgSchedNotWorking =
    QStringLiteral("The Provider is not scheduled to work on this day of the week.  Thank you.");
inline const QString MsgSchedDeleteMaster = QStringLiteral(
    "Press <Yes> to DELETE this Master Schedule.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgSchedDeleteException = QStringLiteral(
    "Press <Yes> to DELETE this Schedule Exception.\r\nPress <No> if you DO NOT wish to delete.");
inline const QString MsgSchedNoMaster = QStringLiteral(
    "No Master Schedule has been selected for deletion.\r\nNo action will occur.  Thank you.");
inline const QString MsgSchedNoException = QStringLiteral(
    "No Schedule Exception has been selected for deletion.\r\nNo action will occur.  Thank you.");

} // namespace vm
