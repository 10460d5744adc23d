#pragma once
// Opening, creating, upgrading and closing the current, archive and common
// databases.

#include "core/AppContext.h"
#include "core/Upgrade.h"

namespace vm {

// Where a database of the given base name ("VelmP", "VelmA", "VelmCE") lives.
DbLocation LocationFor(const AppContext& ctx, const QString& baseName, const QString& folder = {});
QString DatabaseFileName(const QString& baseName); // "VelmP.db"

// Answers 0 on success, else the error number; with a non-zero answer the
// caller shows OpenFailureMessage and ends.  `mode` "Exclusive" is for
// maintenance callers; shared use passes "".
int OpenDatabase(AppContext& ctx, const QString& mode = {}, const UpgradeHooks& hooks = {});
void CloseDatabase(AppContext& ctx);
// Version gate, upgrade ladder, every-start steps and the settings; non-zero = stop.
int GetGlobalValues(AppContext& ctx, const UpgradeHooks& hooks = {});

// The message the main window shows for a failed OpenDatabase (empty for 0).
QString OpenFailureMessage(const AppContext& ctx, int number);
Icon OpenFailureIcon(int number);

bool TableExists(AppContext& ctx, const QString& table);
bool FieldExists(AppContext& ctx, const QString& table, const QString& field);

} // namespace vm
