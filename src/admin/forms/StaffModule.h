#pragma once
// Puts the staff editor into the main window: the Administration tab's
// "Concierge Staff" button.

namespace vm {

class AppContext;
class frmSearch;

void InstallStaffEditor(AppContext& ctx, frmSearch& window);

} // namespace vm
