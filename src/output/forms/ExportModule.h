#pragma once
// The address-book files: the Administration tab's "Print Options" page.

#include "core/AppContext.h"

namespace vm {

class frmSearch;

void InstallExports(AppContext& ctx, frmSearch& window);

} // namespace vm
