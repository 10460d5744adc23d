#include "operations/forms/RentalsModule.h"

#include "app/forms/frmSearch.h"
#include "operations/forms/frmRental1.h"
#include "platform/forms/SessionWindows.h"

#include <QPointer>

namespace vm {

void InstallRentals(AppContext& ctx, frmSearch& window) {
    // The main window checks the right (Others, "Work with the Rental and
    // Inventory Items") first.  One screen at a time: a second click raises it.
    auto open = std::make_shared<QPointer<frmRental1>>();
    window.addOthersIcon("Work with the Rental and Inventory Items", "imgRentals",
                         [&ctx, &window, open] {
                             if (!ctx.session.loggedOn()) return;
                             if (frmRental1* shown = *open) {
                                 shown->showNormal();
                                 shown->raise();
                                 shown->activateWindow();
                                 return;
                             }
                             auto* f = new frmRental1(ctx, &window);
                             f->setAttribute(Qt::WA_DeleteOnClose);
                             TrackSessionWindow(ctx, f);
                             *open = f;
                             f->show();
                         });
}

} // namespace vm
