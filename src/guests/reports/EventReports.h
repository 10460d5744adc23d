#pragma once
// The events' printed documents: the three guest lists, the Events page's
// list and one event's details.  Each builder reads what its request names
// and answers the document; nothing to print is refused with ReportRefused.

#include "guests/EventLists.h"
#include "output/Reports.h"

namespace vm {

// Arguments of the routines.
inline const QString ArgEventId = QStringLiteral("eventId");
inline const QString ArgEventIds = QStringLiteral("eventIds");
inline const QString ArgFrom = QStringLiteral("from");       // stored day
inline const QString ArgThrough = QStringLiteral("through"); // stored day

// The guest lists open in the list window under their names and on the
// letterhead under their names with this suffix.
inline const QString LetterheadSuffix = QStringLiteral("Letterhead");

PrintRequest EventEntryRequest(qint64 eventId);
PrintRequest EventListRequest(const QList<qint64>& eventIds);
// The limited list prints the events running on `days`; the others ignore them.
PrintRequest GuestListRequest(GuestList list, const DayRange& days, bool letterhead);

doc::Document BuildEventContinuous(AppContext& ctx, const PrintRequest& r);
doc::Document BuildEventHeadliner(AppContext& ctx, const PrintRequest& r);
doc::Document BuildEventFuture(AppContext& ctx, const PrintRequest& r);
doc::Document BuildEventList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildEventEntry(AppContext& ctx, const PrintRequest& r);

// The heading lines of the guest lists: the settings Title, SubTitle (and
// Title10 when set), "As of: " and today's long date, and the list's name.
QStringList GuestListHeading(AppContext& ctx, GuestList list, const DayRange& days);

void RegisterEventReports(ReportCatalogue& catalogue);

inline const QString MsgNoEventsToPrint =
    QStringLiteral("There are no Events to print.  Please select some events first.");
inline const QString MsgNoGuestListEvents =
    QStringLiteral("There are no Events to print on this list.");

} // namespace vm
