#pragma once
// Reservation lists: categories (timed lists and item lists), their items,
// the day's grid, booking and unbooking, places per row, the wait list, the
// unavailability counter, searches, sign-up sheets and the purge.  All of it
// in the current database.  Engine failures raise DbError; the screen that
// started the work reports them.
//
// No double booking: every booking re-checks its cells, days or places and
// writes its rows in one transaction that holds the category's lock.

#include "core/AppContext.h"

#include <QDate>
#include <QStringList>
#include <optional>
#include <vector>

namespace vm {

enum class ResListKind { Timed = 0, Items = 1 };

// Slot length of MinuteInterval's index 0 ... 4: 6, 10, 15, 30, 60 minutes.
int ResIntervalMinutes(int intervalIndex);
// The minute picker's values for an interval index ("00", "06" ... "54").
QStringList ResMinutePicks(int intervalIndex);

struct ResCategory {
    qint64 id = 0; // 0: not saved yet
    QString category;
    ResListKind kind = ResListKind::Timed;
    int intervalIndex = 1;
    double price = 0; // price per unit, or the places of a row (party option)
    QString dayOfWeek;                        // "SunMon..." of the open days
    QString availableFrom, availableThrough;  // "hh:mm AM" (timed lists)
    QString columnHeader;                     // item lists
    bool option[5] = {false, false, false, false, false};

    bool throughPicker() const { return option[0]; } // through time and item pickers
    bool singleItem() const { return option[1]; }    // one column, one item, 50-character names
    bool oneOfMany() const { return option[2]; }
    bool party() const { return option[3]; }         // number in party instead of a price
    bool spansDays() const { return option[4]; }     // a Through date; each day booked
    int itemNameLimit() const { return (singleItem() || kind == ResListKind::Items) ? 50 : 20; }
};

struct ResItem {
    qint64 id = 0;
    qint64 resTypeId = 0;
    int sequence = 0;
    QString itemName;
};

// One stored row: a slot, a day or an item-list booking.
struct ReservationRow {
    qint64 id = 0;
    qint64 resTypeId = 0;
    QString reservationDate; // "yyyy/MM/dd"
    QString reservationFor;
    QString listItem;
    double price = 0; // or the number in party
    QString availableHere, availableFrom, availableThrough;
    qint64 conciergeId = 0;
};

// Categories: all, by party option, or open on a weekday; by name.
std::vector<ResCategory> GetResTypes(AppContext& ctx);
std::vector<ResCategory> GetResTypesForDate(AppContext& ctx, const QDate& day);
std::vector<ResCategory> GetResTypesByParty(AppContext& ctx, bool party);
std::optional<ResCategory> GetResType(AppContext& ctx, qint64 resTypeId);
// " Reservations are not available on Mondays" when the category is closed that day; "" when open.
QString ClosedDayMessage(const ResCategory& c, const QDate& day);

// The first refusal of a category as typed, in the screen's order; "" when it may be saved.
QString CheckResType(const ResCategory& c);
// The bookings of a saved timed category that would fall off the grid of the
// changed definition `c` (every booking whose slot is not a slot of the new grid).
std::vector<ReservationRow> VerifyReservationItemChange(AppContext& ctx, const ResCategory& c);
// Inserts (id 0) or updates; `dropOffGrid` ids are deleted in the same
// transaction.  Answers the category's id.
qint64 SaveResType(AppContext& ctx, ResCategory& c, const std::vector<qint64>& dropOffGrid = {});
// Bookings of the category (any date), for the delete refusal.
int CountCategoryReservations(AppContext& ctx, qint64 resTypeId);
// Deletes the category with its items, limits, wait list and counters, in
// one transaction.  Refuses (false) while bookings or rental items use it.
bool DeleteResType(AppContext& ctx, qint64 resTypeId);
// Why DeleteResType would refuse ("" when it would not): the category's
// bookings, or rental items filed under it.
QString CheckDeleteResType(AppContext& ctx, qint64 resTypeId);

std::vector<ResItem> GetResItems(AppContext& ctx, qint64 resTypeId); // by Sequence
// The first refusal of an item as typed; "" when it may be saved.
QString CheckResItem(AppContext& ctx, const ResCategory& c, const ResItem& item);
// Inserts or updates; a renamed item is carried into its bookings and row
// limits in the same transaction.
qint64 SaveResItem(AppContext& ctx, const ResCategory& c, ResItem& item);
// Bookings that hold the item (by the column the list kind keeps it in).
int CountItemReservations(AppContext& ctx, const ResCategory& c, const QString& itemName);
// Deletes the item and, when `withBookings`, its bookings and row limits, in
// one transaction.  Without `withBookings` an item that still holds bookings
// is left alone (ask with CountItemReservations first).
void DeleteResItem(AppContext& ctx, const ResCategory& c, qint64 resItemId, bool withBookings);
// Renumbers the items 10, 20, 30 ... in their present order.
void ResequenceItems(AppContext& ctx, qint64 resTypeId);

// The slots of a timed category, "hh:mm AM" each: from AvailableFrom while
// the slot starts before AvailableThrough.
QStringList ResSlots(const ResCategory& c);

// A cell of the day's grid: the booking in it (id 0 = free).
struct ResCell {
    qint64 reservationId = 0;
    QString reservedFor;
    double places = 0; // party size (party option)
};

// The grid of a category on a day.  Timed lists: rows = slots, columns =
// items (one with the single-item option).  Item lists: rows = items, one
// column "Reserved For" (a row may hold several party bookings).  Day
// bookings (spansDays) show in the cell of their item on each day.
struct ResGrid {
    QString firstHeader;  // "Time", or the item list's column header
    QStringList rows;     // slot texts or item names
    QStringList columns;  // item names (timed) or {"Reserved For"}
    std::vector<std::vector<std::vector<ResCell>>> cells; // [row][column] -> bookings
    std::vector<double> placesLeft;                       // per row (party option)
    ResListKind kind = ResListKind::Timed;
    bool party = false; // rows have places (placesLeft)
    // Bookings of the day that fit no cell of the grid (a slot the category's
    // times no longer make, an item no longer listed): "09:05 AM  Court 1  Smith".
    QStringList offGrid;
    // A free cell in a row with places left; on an item list with the party
    // option, any row with places left.
    bool anyFree() const;
    bool isEmpty() const { return rows.isEmpty(); }
};
ResGrid BuildResGrid(AppContext& ctx, const ResCategory& c, const QDate& day);

// What the booking panel holds when Book is pressed.
struct ResBooking {
    QString date;      // typed short date
    QString through;   // typed short date (day bookings); "" takes the date
    QString name;
    QString item;      // the item (timed lists) or row (item lists)
    QString fromSlot, throughSlot; // "hh:mm AM" (timed lists); through "" = from
    QString priceOrParty;          // as typed
    qint64 waitListId = 0;         // booked for this waiting guest: removed with the booking
};

enum class ResBookStatus {
    Booked,
    Refused,   // `message` says why; nothing written
    OverLimit  // places short; book again with allowOverLimit after the question
};
struct ResBookResult {
    ResBookStatus status = ResBookStatus::Refused;
    QString message;
    int rowsWritten = 0;
};
// Checks in the screen's order, then, in one transaction holding the
// category's lock: the cells, days or places are checked again against the
// database, the rows are written and the waiting guest's entry removed.
ResBookResult BookReservation(AppContext& ctx, const ResCategory& c, const ResBooking& b,
                              bool allowOverLimit = false);

std::optional<ReservationRow> GetReservation(AppContext& ctx, qint64 reservationId);
// The refusal for unbooking this booking by the logged-on member; "" when allowed.
// (Title of the refusal: MsgNotAuthorizedTitle.)
QString CheckUnbook(AppContext& ctx, const ReservationRow& r);
// Removes every row of the booking (all its slots or days), in one
// transaction; answers the rows removed.
int DeleteReservation(AppContext& ctx, const ResCategory& c, qint64 reservationId);

// Places: the per-date override of a row, else the category's default.
double GetRowLimit(AppContext& ctx, const ResCategory& c, const QString& day, const QString& row);
double GetRowCount(AppContext& ctx, qint64 resTypeId, const QString& day, const QString& row);
struct RowLimit {
    qint64 id = 0;
    QString rowText;
    double total = 0;
    bool overridden = false;
};
std::vector<RowLimit> GetRowLimits(AppContext& ctx, const ResCategory& c, const QDate& day);
// "" when saved, else the refusal ("Please enter a valid number for this row.  Thank you.").
QString SaveRowLimit(AppContext& ctx, const ResCategory& c, const QDate& day,
                     const QString& rowText, const QString& typedTotal);

struct WaitListEntry {
    qint64 id = 0;
    qint64 resTypeId = 0;
    QString requestedDate, requestedBy, howToContact;
};
std::vector<WaitListEntry> GetWaitList(AppContext& ctx, qint64 resTypeId, const QDate& day);
// The earliest waiting guest of the day and category (lowest id).
std::optional<WaitListEntry> GetNextWaitList(AppContext& ctx, qint64 resTypeId, const QDate& day);
// "" when saved, else the refusal.
QString InsertWaitList(AppContext& ctx, WaitListEntry& e);
bool DeleteWaitList(AppContext& ctx, qint64 waitListId);

// Adds one turned-away request (atomically); answers the new count.
int IncrementUnavailability(AppContext& ctx, qint64 resTypeId, const QDate& day);
// Why the counter may not be raised for the grid shown ("" when it may):
// no grid yet, or a slot still free.
QString CheckUnavailabilityIncrement(const ResGrid& grid);
// "The Unavailability counter has been incremented to 2 with this request."
QString UnavailabilityIncrementedMessage(int count);

// Searches (dates inclusive; an invalid `from`/`through` leaves that end open).
struct ResSearchRow {
    QString date, reservedFor, category, listItem, slot;
    double price = 0;
};
std::vector<ResSearchRow> SearchReservationsByName(AppContext& ctx, const QString& name,
                                                   const QDate& from, const QDate& through);
std::vector<ResSearchRow> SearchReservationsByCategory(AppContext& ctx, qint64 resTypeId,
                                                       const QDate& from, const QDate& through);
struct UnavailabilityRow {
    QString date, dayOfWeek;
    int requests = 0;
};
std::vector<UnavailabilityRow> SearchUnavailability(AppContext& ctx, qint64 resTypeId,
                                                    const QDate& from, const QDate& through);
std::vector<WaitListEntry> SearchWaitList(AppContext& ctx, qint64 resTypeId, const QDate& from,
                                          const QDate& through);
// "Where Reservation Date is between 01/02/2027 and ... And Reservation Name contains: x".
QString SearchCaption(const QDate& from, const QDate& through, const QString& name,
                      const QString& category);

// Deletes bookings, counters, wait list and row limits dated before `before`,
// in one transaction; answers the bookings removed.
int DeleteReservations(AppContext& ctx, const QDate& before);

// Sign-up sheets ("SignUp" rows of the lookup table, their text in the long-text store).
struct SignUpSheet {
    qint64 id = 0; // OtherID
    QString name;
};
std::vector<SignUpSheet> GetSignUpSheets(AppContext& ctx);
QString GetSignUpText(AppContext& ctx, qint64 sheetId);
// Inserts (id 0) or renames and rewrites; "" when saved, else the refusal.
QString SaveSignUpSheet(AppContext& ctx, SignUpSheet& sheet, const QString& text);
// Deletes the sheet, its text and its document links.
void DeleteSignUpSheet(AppContext& ctx, qint64 sheetId);

// Refusals and questions, verbatim.
inline const QString MsgNotAuthorizedTitle = QStringLiteral("Function not Authorized");
inline const QString MsgResSegmentBooked = QStringLiteral(
    "At least one segment of the selected time frame is booked.  You may not replace this "
    "reservation.");
inline const QString MsgResDayBooked = QStringLiteral(
    "At least one date of the selected time frame is booked.  You may not replace the existing "
    "reservation.");
inline const QString MsgResOverLimit = QStringLiteral(
    "This reservation exceeds the limits established for this time slot.  Do you wish to Book "
    "it?");
inline const QString MsgResDeleteQuestion = QStringLiteral("Do You Wish to Delete this Reservation?");

} // namespace vm
