#include "guests/forms/ContactModule.h"

#include "app/forms/frmSearch.h"
#include "guests/forms/MapPage.h"

namespace vm {

void InstallContactRecord(AppContext& ctx, frmSearch& window) {
    window.addAdministrationPage("Create Your Own Map", new MapPage(ctx));
    window.addOthersIcon("Create Your Own Point-to-Point Map", "imgPointToPoint",
                         [&ctx, &window] { OpenPointToPointMap(ctx, &window); });
}

} // namespace vm
