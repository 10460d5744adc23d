#pragma once
// Puts tickler notes and the news board into the main window: the notes the
// logbook entry screen shows, their maintenance screen for categories and
// contacts, the docked news board ("dockNews") and the "News Board" command.

namespace vm {

class AppContext;
class frmSearch;

void InstallTicklersAndNews(AppContext& ctx, frmSearch& window);

} // namespace vm
