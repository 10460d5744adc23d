#pragma once
// Puts the contact directory into the main window: the Contacts page, the
// working-language combo on the command bar, and the logbook entry screen's
// contact hooks (picker, contact screen, one-line details).

namespace vm {

class AppContext;
class frmSearch;

void InstallContactsPage(AppContext& ctx, frmSearch& window);

} // namespace vm
