#include "admin/forms/QueryMasterModule.h"

#include "admin/forms/frmQMaster.h"
#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

void InstallQueryMaster(AppContext& ctx, frmSearch& window) {
    // The window checks the member's right (managers pass) before this runs.
    window.addAdministrationButton(
        "Database Maintenance", "cmdDatabaseMaintenance", Rights::AdministrationMaintenanceQueries,
        "You are not authorized to use the Database Maintenance Queries.", [&ctx, &window] {
            if (auto* open = window.findChild<frmQMaster*>("frmQMaster")) {
                open->showNormal();
                open->raise();
                open->activateWindow();
                return;
            }
            auto* form = new frmQMaster(ctx, &window);
            form->setAttribute(Qt::WA_DeleteOnClose);
            TrackSessionWindow(ctx, form);
            form->show();
        });
}

} // namespace vm
