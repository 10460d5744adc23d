#include "bookings/forms/TimedServicesModule.h"

#include "app/forms/frmSearch.h"
#include "bookings/forms/frmTimedService.h"
#include "platform/forms/SessionWindows.h"

#include <QPointer>

namespace vm {

void InstallTimedServices(AppContext& ctx, frmSearch& window) {
    // The main window checks the right (AddOns, "Work with Timed Services") first.
    auto open = std::make_shared<QPointer<frmTimedService>>();
    window.addOthersIcon("Work with Timed Services", "imgTimedServices", [&ctx, &window, open] {
        if (!ctx.session.loggedOn()) return;
        if (frmTimedService* shown = *open) {
            shown->showNormal();
            shown->raise();
            shown->activateWindow();
            return;
        }
        auto* f = new frmTimedService(ctx, &window);
        f->setAttribute(Qt::WA_DeleteOnClose);
        TrackSessionWindow(ctx, f);
        *open = f;
        f->show();
    });
}

} // namespace vm
