#pragma once
// Puts lost and found into the main window: the Others page icon opens the
// search window (one at a time).

namespace vm {

class AppContext;
class frmSearch;

void InstallLostAndFound(AppContext& ctx, frmSearch& window);

} // namespace vm
