#pragma once
// Puts the guest itinerary into the main window: the Logbook page's
// itinerary panel and the entry screen's itinerary of a guest id.  The texts
// and header options are reached from the itinerary screens (cmdTexts).

namespace vm {

class AppContext;
class frmSearch;

void InstallItinerary(AppContext& ctx, frmSearch& window);

inline constexpr const char* MsgNotAuthorizedItineraries =
    "You are not authorized to print Guest Itineraries.";

} // namespace vm
