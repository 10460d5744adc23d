#pragma once
// Puts the logbook report writer into the main window: its launcher on the
// Others page and its command on the command bar.

namespace vm {

class AppContext;
class frmSearch;
class frmVenCom;

inline constexpr const char* MsgReportWriterRefused =
    "You are not authorized to Work with the Logbook Report Writer.";

void InstallReportWriter(AppContext& ctx, frmSearch& window);
// Opens the report writer (or brings the open one forward) after the right
// is checked; null when refused.
frmVenCom* OpenReportWriter(AppContext& ctx, frmSearch& window);

} // namespace vm
