#pragma once
// Puts key control into the main window: the Others page icon.

namespace vm {

class AppContext;
class frmSearch;

void InstallKeyControl(AppContext& ctx, frmSearch& window);

} // namespace vm
