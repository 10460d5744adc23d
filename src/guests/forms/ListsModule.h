#pragma once
// The contact lists' place in the main window: the Administration sub-page
// "Contact List Keywords".

#include "core/AppContext.h"

namespace vm {

class frmSearch;

void InstallContactLists(AppContext& ctx, frmSearch& window);

} // namespace vm
