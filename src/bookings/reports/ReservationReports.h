#pragma once
// The printed reservation lists.  Arguments of the requests: "categoryId",
// "name", "from" and "through" ("yyyy/MM/dd", either may be empty) for the
// lists; "sheetId", "categoryId" and "date" for a sign-up sheet.

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

doc::Document BuildReservationList(AppContext& ctx, const PrintRequest& r);   // by category
doc::Document BuildReservationListPB(AppContext& ctx, const PrintRequest& r); // a page per item
doc::Document BuildReservationsByName(AppContext& ctx, const PrintRequest& r);
doc::Document BuildUnavailabilityList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildWaitListReport(AppContext& ctx, const PrintRequest& r);
doc::Document BuildSignUpSheet(AppContext& ctx, const PrintRequest& r);

void RegisterReservationReports(ReportCatalogue& catalogue);

// Routine names (the window titles are the reports' names).
inline const QString RptReservations = QStringLiteral("PrintReservations");
inline const QString RptReservationsPB = QStringLiteral("PrintReservationsPB");
inline const QString RptUnavailability = QStringLiteral("PrintUnavailability");
inline const QString RptWaitList = QStringLiteral("PrintWaitList");
inline const QString RptReservationsByName = QStringLiteral("PrintReservationsByName");
inline const QString RptSignUpSheet = QStringLiteral("PrintSignUpSheet");

inline const QString MsgNoReservationsToPrint =
    QStringLiteral("There is nothing to print for this selection.");
// The price line of a sign-up sheet: "Complimentary" for a price of .00.
QString SignUpPrice(double price);

} // namespace vm
