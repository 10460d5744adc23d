#pragma once
// The indicator types' place in the main window: the Administration sub-page
// "Profile Indicators".

#include "core/AppContext.h"

namespace vm {

class frmSearch;

void InstallProfileIndicators(AppContext& ctx, frmSearch& window);

} // namespace vm
