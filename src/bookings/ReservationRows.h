#pragma once
// Reading and matching stored reservation rows; shared by the Reservation*.cpp
// files of the store (not part of its interface).
//
// Where a booking keeps its item:
//   timed list    ListItem = item, AvailableHere = slot
//   item list     AvailableHere = AvailableFrom = item, ListItem blank
//   day booking   ListItem = item, AvailableHere blank, AvailableFrom and
//                 AvailableThrough = first and last day ("yyyy/MM/dd")

#include "bookings/Reservations.h"
#include "platform/Row.h"

namespace vm::res {

// The stored form of an empty text.
inline const QString Blank = QStringLiteral(" ");

ResCategory categoryFromRow(const Row& r);
ReservationRow reservationFromRow(const Row& r);
// The columns of ResWaitList in the order waitListFromRow reads them.
inline const QString WaitListColumns = QStringLiteral(
    "[WaitListID], [ResTypeID], [RequestedDate], [RequestedBy], [HowToContact]");
WaitListEntry waitListFromRow(const Row& r);

// A row of a booking over days (no slot or row of its own, days in From/Through).
bool isDayBooking(const ReservationRow& r);

// Text equality as the engines compare these columns (without regard to case).
inline bool sameText(const QString& a, const QString& b) {
    return a.trimmed().compare(b.trimmed(), Qt::CaseInsensitive) == 0;
}

// The condition (with its parameters) that finds the bookings holding `item`
// of a category of this kind.
QString itemCondition(ResListKind kind, const QString& item, QVariantList& params);

// The grid row a booking stands in, as GetRowCount counts places: its slot or
// row (AvailableHere), or for a day booking on an item list its item.
bool inRow(const ReservationRow& r, const QString& rowText);

} // namespace vm::res
