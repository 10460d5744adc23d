#pragma once
// Installs the interface options on the main window's Administration page.

#include "core/AppContext.h"

namespace vm {

class frmSearch;

void InstallInterfaces(AppContext& ctx, frmSearch& window);

} // namespace vm
