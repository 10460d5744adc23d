#pragma once
// Puts the Profiles page into the main window: the page, its printed list and
// the profile screens it opens.

namespace vm {

class AppContext;
class frmSearch;

void InstallProfilesPage(AppContext& ctx, frmSearch& window);

} // namespace vm
