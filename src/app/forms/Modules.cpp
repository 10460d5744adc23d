#include "app/forms/Modules.h"

#include "guests/forms/frmSearch.h"

namespace vm {

void InstallModules(AppContext& ctx, frmSearch& window) {
    // One line per subsystem, in the order their pages should appear.
    (void)ctx;
    (void)window;
}

} // namespace vm
