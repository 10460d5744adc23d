#pragma once
// Puts the limousine dispatch interface into the entry screen: F10 lists the
// billing codes, and a saved entry of the limousine category is sent to the
// dispatch system.

namespace vm {

class AppContext;
class frmSearch;
struct LogbookScreenHooks;

// Fills the entry screen's limousine hooks.
void FillLimoHooks(AppContext& ctx, LogbookScreenHooks& hooks);
// The same for the logbook module of the main window (after InstallLogbook).
void InstallLimoDispatch(AppContext& ctx, frmSearch& window);

} // namespace vm
