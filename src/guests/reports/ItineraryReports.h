#pragma once
// The printed itineraries (letter window).
//
//   PrintGuestItinerary    "logIds": one itinerary of these entries in their
//                          order; or "itineraries": a list of such lists, one
//                          itinerary each on its own pages (all arrivals of a
//                          day in one print job).
//   PrintGroupItinerary    "groupId": the group's own itinerary, every guest's
//                          entries in date order, each item naming its guest.
//   PrintGroupItineraries  "groupId": one itinerary per guest of the group,
//                          each on its own pages.
//
// Every routine takes the screen's choices as arguments (ItineraryArgs).

#include "core/AppContext.h"
#include "guests/Itinerary.h"
#include "output/Reports.h"

namespace vm {

inline const QString ArgItineraries = QStringLiteral("itineraries");
inline const QString ArgGroupId = QStringLiteral("groupId");

// The screen's choices as request arguments, and back.
QVariantMap ItineraryArgs(const ItineraryOptions& o);
ItineraryOptions ItineraryOptionsOf(const PrintRequest& r);

// The printed form of a composed itinerary, appended to `d` (a page break
// first when `d` already holds one).
void AppendItinerary(doc::Document& d, const ItineraryDocument& itinerary);

doc::Document BuildGuestItinerary(AppContext& ctx, const PrintRequest& r);
doc::Document BuildGroupItinerary(AppContext& ctx, const PrintRequest& r);
doc::Document BuildGroupItineraries(AppContext& ctx, const PrintRequest& r);

void RegisterItineraryReports(ReportCatalogue& catalogue);

inline const QString MsgNoItineraryEntries =
    QStringLiteral("There are no Logbook Entries for this Itinerary.  Nothing was printed.");
inline const QString MsgNoGroupItinerary = QStringLiteral(
    "There are no Logbook Entries for this Group's Itinerary.  Nothing was printed.");

} // namespace vm
