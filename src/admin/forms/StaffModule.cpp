#include "admin/forms/StaffModule.h"

#include "admin/forms/frmStaffPlus.h"
#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "platform/forms/SessionWindows.h"

#include <QPointer>
#include <memory>

namespace vm {

void InstallStaffEditor(AppContext& ctx, frmSearch& window) {
    // The main window checks the right first (managers pass).
    auto open = std::make_shared<QPointer<frmStaffPlus>>();
    window.addAdministrationButton(
        "Concierge Staff", "cmdConciergeStaff", Rights::AdministrationStaff,
        "You are not authorized to maintain Concierge Staff.", [&ctx, &window, open] {
            if (!ctx.session.loggedOn()) return;
            if (frmStaffPlus* shown = *open) {
                shown->showNormal();
                shown->raise();
                shown->activateWindow();
                return;
            }
            auto* f = new frmStaffPlus(ctx, &window);
            f->setAttribute(Qt::WA_DeleteOnClose);
            TrackSessionWindow(ctx, f);
            *open = f;
            f->show();
        });
}

} // namespace vm
