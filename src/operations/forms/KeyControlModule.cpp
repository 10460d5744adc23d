#include "operations/forms/KeyControlModule.h"

#include "app/forms/frmSearch.h"
#include "operations/forms/frmKeyControl.h"
#include "platform/forms/SessionWindows.h"

#include <QPointer>

namespace vm {

void InstallKeyControl(AppContext& ctx, frmSearch& window) {
    // The main window checks the right (AddOns, "Work with Key Control") first.
    auto open = std::make_shared<QPointer<frmKeyControl>>();
    window.addOthersIcon("Work with Key Control Application", "imgKeyControl",
                         [&ctx, &window, open] {
                             if (!ctx.session.loggedOn()) return;
                             if (frmKeyControl* shown = *open) {
                                 shown->showNormal();
                                 shown->raise();
                                 shown->activateWindow();
                                 return;
                             }
                             auto* f = new frmKeyControl(ctx, &window);
                             f->setAttribute(Qt::WA_DeleteOnClose);
                             TrackSessionWindow(ctx, f);
                             *open = f;
                             f->show();
                         });
}

} // namespace vm
