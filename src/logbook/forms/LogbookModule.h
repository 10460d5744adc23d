#pragma once
// Puts the logbook into the main window: the Logbook page, the Logbook
// Categories administration page, and the hooks later subsystems fill.

#include "logbook/LogEntry.h"
#include "logbook/forms/LogbookScreenHooks.h"

#include <QObject>

namespace vm {

class AppContext;
class frmSearch;
class LogbookPanel;
class LogbookCategoriesPage;
class frmLogbook;

// Lives as a child of the main window ("LogbookModule"); other subsystems
// find it there and fill `hooks`.
class LogbookModule : public QObject {
    Q_OBJECT
public:
    LogbookModule(AppContext& ctx, frmSearch& window);
    // For other screens (contact form, profile, group): a new entry with their
    // values filled in, after the add right is checked; null when refused.
    frmLogbook* openNewEntry(const LogEntry& prefill);
    // An existing entry of the current database.
    frmLogbook* openEntry(qint64 logId);
    // An existing entry of the current or the archive database (read-only there).
    frmLogbook* openEntry(qint64 logId, LogSource source);

    LogbookScreenHooks hooks;
    LogbookPanel* panel = nullptr;
    LogbookCategoriesPage* categories = nullptr;
};

void InstallLogbook(AppContext& ctx, frmSearch& window);

} // namespace vm
