#pragma once
// Puts the contact record's pieces into the main window: the "Create Your
// Own Map" administration page (with the hand-held contact file) and the
// Others page's point-to-point map.  The contact screen itself is opened by
// the pages that list contacts.

namespace vm {

class AppContext;
class frmSearch;

void InstallContactRecord(AppContext& ctx, frmSearch& window);

} // namespace vm
