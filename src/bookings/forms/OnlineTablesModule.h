#pragma once
// Online table reservations on the logbook entry screen: its search icon
// opens the search and booking screen after the entry's checks, its
// reservation icon offers the cancellation.

#include <QtGlobal>

class QWidget;

namespace vm {

class AppContext;
class frmSearch;
struct LogbookScreenHooks;

// The search for the saved entry `logId`; true when a table was booked.
bool OpenOnlineTable(AppContext& ctx, qint64 logId, QWidget* parent);
// Offers to cancel the entry's online reservation; true when it was cancelled.
bool CancelOnlineTable(AppContext& ctx, qint64 logId, QWidget* parent);

// Fills the entry screen's hooks (openTable, cancelTable, reservationContact).
void FillOnlineTableHooks(AppContext& ctx, LogbookScreenHooks& hooks);
// After the logbook: finds its module in the main window and fills its hooks.
void InstallOnlineTables(AppContext& ctx, frmSearch& window);

} // namespace vm
