#pragma once
// Puts the rental and inventory screen into the main window: the Others page icon.

namespace vm {

class AppContext;
class frmSearch;

void InstallRentals(AppContext& ctx, frmSearch& window);

} // namespace vm
