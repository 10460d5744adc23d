#pragma once
// The logbook's print and e-mail hooks, filled with the preview windows: each
// document of an entry, the bulk confirmations and the Logbook page's list
// open their report routine.

#include "core/AppContext.h"
#include "logbook/forms/LogbookScreenHooks.h"

namespace vm {

void InstallLogbookOutput(AppContext& ctx, LogbookScreenHooks& hooks);

} // namespace vm
