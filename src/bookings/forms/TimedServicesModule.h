#pragma once
// Puts timed services into the main window: the Others page icon opens the
// one timed-services window of the session.

namespace vm {

class AppContext;
class frmSearch;

void InstallTimedServices(AppContext& ctx, frmSearch& window);

} // namespace vm
