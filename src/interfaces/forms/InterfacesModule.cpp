#include "interfaces/forms/InterfacesModule.h"

#include "app/forms/frmSearch.h"
#include "core/Rights.h"
#include "interfaces/forms/frmInterfaceOpt.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

void InstallInterfaces(AppContext& ctx, frmSearch& window) {
    window.addAdministrationButton(
        "Interface Options", "cmdInterfaceOptions", Rights::AdministrationInterfaces,
        "You are not authorized to maintain the Interface Options.", [&ctx, &window] {
            if (auto* open = window.findChild<frmInterfaceOpt*>("frmInterfaceOpt")) {
                open->showNormal();
                open->raise();
                open->activateWindow();
                return;
            }
            auto* options = new frmInterfaceOpt(ctx, &window);
            options->setAttribute(Qt::WA_DeleteOnClose);
            TrackSessionWindow(ctx, options);
            options->show();
        });
}

} // namespace vm
