#pragma once
// Puts the reservation desk into the main window: the Others page icon.

namespace vm {

class AppContext;
class frmSearch;

void InstallReservations(AppContext& ctx, frmSearch& window);

} // namespace vm
