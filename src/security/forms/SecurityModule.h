#pragma once
#include "core/AppContext.h"

class QWidget;

namespace vm {

class frmSearch;

// The start-of-day work of this subsystem (the inactivation of staff who have
// not logged on for LogonDays).  Must be in place before the start-of-day run.
void InstallSecurityHooks(AppContext& ctx);

// Logon and log-off of the main window, idle log-off, the card purge due at
// start and the security log page; installs the hooks above as well.
void InstallSecurity(AppContext& ctx, frmSearch& window);

// The daily card purge with a small progress window; answers whether it ran.
bool RunCardPurgeWithProgress(AppContext& ctx, QWidget* parent = nullptr);

} // namespace vm
