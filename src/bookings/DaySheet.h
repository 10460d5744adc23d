#pragma once
// The day sheet of timed services: 10-minute rows of one provider, one
// location, or both, with the bookings written into them.  A pure model;
// the screens draw it.  Whether a row is free is its state, never its text.

#include "core/AppContext.h"

#include <QColor>
#include <QDate>
#include <QStringList>
#include <vector>

namespace vm {

inline constexpr int TsSlotMinutes = 10;
// Rows a booking of `minutes` covers: minutes / 10 rounded half to even, at least 1.
int TsSlotCount(int minutes);

enum class SlotState { Free, Booking, OtherProvider, Meal };

struct SheetRow {
    int minute = 0;   // minute of the day the row starts
    QString time;     // "hh:mm AM"
    QString text;     // the line shown
    SlotState state = SlotState::Free;
    qint64 bookingId = 0; // TimedServiceID (Booking, OtherProvider)
    QColor color;         // invalid: the grid's own
};

enum class SheetKind { Provider, Location, Combined };

struct DaySheet {
    SheetKind kind = SheetKind::Combined;
    QDate day;
    qint64 providerId = 0, locationId = 0;
    std::vector<SheetRow> rows; // row 0 = the first slot
    // Bookings of the day that start outside the rows or off the 10-minute grid
    // (still counted: their rows are taken), as "hh:mm AM  First Last".
    QStringList outside;

    int rowOf(const QString& time) const; // -1 when no row has that time
};

// The lines a booking shows in its first rows: "First Last", "Category: Service",
// "Provider: Location", "Price:  80.00,   Gratuity = 10.00" and, when there
// are any, the instructions on one line.
QStringList TsBookingLines(const QString& firstName, const QString& lastName,
                           const QString& category, const QString& service, const QString& provider,
                           const QString& location, double price, double gratuity,
                           const QString& instructions);

// Builds the sheet of the day (provider sheets with the meal break).
DaySheet BuildDaySheet(AppContext& ctx, SheetKind kind, const QDate& day, qint64 providerId,
                       qint64 locationId);

// Choosing a row for a new booking of `minutes`: "" when every row it needs is
// free, else the message ("This time slot is booked by another Provider.",
// "This time slot is not available for the full duration of this service.").
QString CheckSlotChoice(const DaySheet& sheet, int row, int minutes);

inline const QString MsgSlotOtherProvider =
    QStringLiteral("This time slot is booked by another Provider.");
inline const QString MsgSlotNotFullDuration =
    QStringLiteral("This time slot is not available for the full duration of this service.");
inline const QString MealBreakText = QStringLiteral("Meal Break");

} // namespace vm
