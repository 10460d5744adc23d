#include "output/forms/ExportModule.h"

#include "app/forms/frmSearch.h"
#include "output/forms/PrintOptionsPage.h"

namespace vm {

void InstallExports(AppContext& ctx, frmSearch& window) {
    window.addAdministrationPage("Print Options", new PrintOptionsPage(ctx));
}

} // namespace vm
