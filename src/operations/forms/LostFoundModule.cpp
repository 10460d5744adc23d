#include "operations/forms/LostFoundModule.h"

#include "app/forms/frmSearch.h"
#include "operations/forms/frmLostAndFound.h"
#include "platform/forms/SessionWindows.h"

namespace vm {

void InstallLostAndFound(AppContext& ctx, frmSearch& window) {
    // The window checks the member's right (AddOns 3) before this runs.
    window.addOthersIcon("Work with Lost and Found Items", "imgLostAndFound", [&ctx, &window] {
        if (auto* open = window.findChild<frmLostAndFound*>("frmLostAndFound")) {
            open->showNormal();
            open->raise();
            open->activateWindow();
            return;
        }
        auto* search = new frmLostAndFound(ctx, &window);
        search->setAttribute(Qt::WA_DeleteOnClose);
        TrackSessionWindow(ctx, search);
        search->show();
    });
}

} // namespace vm
