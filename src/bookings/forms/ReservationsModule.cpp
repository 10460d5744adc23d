#include "bookings/forms/ReservationsModule.h"

#include "app/forms/frmSearch.h"
#include "bookings/forms/frmReservation.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

void InstallReservations(AppContext& ctx, frmSearch& window) {
    // The window checks the member's right before this runs.
    window.addOthersIcon("Work with Reservations", "imgReservations", [&ctx, &window] {
        if (auto* open = window.findChild<frmReservation*>("frmReservation")) {
            open->showNormal();
            open->raise();
            open->activateWindow();
            return;
        }
        auto* desk = new frmReservation(ctx, &window);
        desk->setAttribute(Qt::WA_DeleteOnClose);
        TrackSessionWindow(ctx, desk);
        desk->show();
    });
}

} // namespace vm
