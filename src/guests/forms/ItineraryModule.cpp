#include "guests/forms/ItineraryModule.h"

#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "guests/forms/frmItinerary.h"
#include "logbook/EntryRules.h"
#include "logbook/forms/LogbookModule.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

namespace {

void ShowTracked(AppContext& ctx, QDialog* window) {
    window->setAttribute(Qt::WA_DeleteOnClose);
    TrackSessionWindow(ctx, window);
    window->show();
}

} // namespace

void InstallItinerary(AppContext& ctx, frmSearch& window) {
    auto* logbook = window.findChild<LogbookModule*>("LogbookModule");
    if (!logbook) return;
    // The Logbook page checks the itinerary right before it opens the panel.
    logbook->hooks.openItinerary = [&ctx](QWidget* parent) {
        ShowTracked(ctx, new frmItinerary(ctx, parent));
    };
    logbook->hooks.openGuestItinerary = [&ctx](const QString& guestId, QWidget* parent) {
        if (!MayDoOrSay(ctx, Rights::LogbookItineraries, MsgNotAuthorizedItineraries)) return;
        ShowTracked(ctx, new frmItineraryGI(ctx, guestId, parent));
    };
}

} // namespace vm
