#pragma once
// What the reservation screens show, apart from the widgets: captions, the
// lines of the day's grid and the result tables of the searches.

#include "bookings/Reservations.h"

namespace vm {

// "Reservation Subsystem - Tennis - Monday, March 1, 2027"
QString ReservationCaption(const QString& category, const QDate& day);
// "Reservation Wait List - Tennis - Monday, March 1, 2027"
QString WaitListCaption(const QString& category, const QDate& day);

// A line of the shown grid: a row of the built grid and, on an item list,
// one of its bookings (-1: the free line where a new booking goes).  Timed
// lists show the grid's rows as they are (booking -1).
struct ResGridLine {
    int row = 0;
    int booking = -1;
};
std::vector<ResGridLine> ResGridLines(const ResCategory& c, const ResGrid& grid);

enum class ResSearchKind { ByName, ByCategory, WaitList, Unavailability };

// A search result as the grid, the export and the print show it.
struct ResSearchTable {
    QStringList headers;
    QList<QStringList> rows;
};
ResSearchTable ResSearchResult(AppContext& ctx, ResSearchKind kind, const QString& name,
                               qint64 resTypeId, const QDate& from, const QDate& through);
// The checks of a search as typed; "" when it may run.
QString CheckResSearch(ResSearchKind kind, const QString& name, qint64 resTypeId,
                       const QString& from, const QString& through);

// The caption of a search as shown: with both dates the usual "Where
// Reservation Date is between ..."; an open end is said as such.
QString ResSearchCaptionShown(const QDate& from, const QDate& through, const QString& name,
                              const QString& category);

inline const QString ResExportFileName = QStringLiteral("VmReservations.csv");
inline const QString MsgResWaitListOffer =
    QStringLiteral("Would you like to place this guest on the Wait List?");
inline const QString MsgResPurgeNotAuthorized =
    QStringLiteral("You are not authorized to Purge Reservations.");

} // namespace vm
