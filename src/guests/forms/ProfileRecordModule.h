#pragma once
// Installs the guest profile screens: the logbook entry screen's profile
// hooks (open, pick, the profile's details and stored cards).

#include "core/AppContext.h"

namespace vm {

class frmSearch;
struct LogbookScreenHooks;

// Fills the profile members of the logbook entry screen's hooks.
void FillProfileHooks(AppContext& ctx, LogbookScreenHooks& hooks);

// After InstallLogbook: fills its entry screen's profile hooks.
void InstallProfileRecord(AppContext& ctx, frmSearch& window);

} // namespace vm
