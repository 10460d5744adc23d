#pragma once
// Puts groups and conventions into the main window: the Others page icon and
// the logbook's group lists.

namespace vm {

class AppContext;
class frmSearch;

void InstallGroups(AppContext& ctx, frmSearch& window);

} // namespace vm
