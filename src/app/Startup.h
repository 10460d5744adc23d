#pragma once
// The start routine's decisions, apart from the windows that show them.

#include "core/AppContext.h"
#include "platform/RegistryValues.h"

namespace vm {

// The user's currency symbol, or " " when the locale has none.
QString CurrencySymbol();

// Keeps the location provider's answer: masked mode and its M file names, or
// the database folder (the text up to and including its last separator).
void ApplyProviderAnswer(AppContext& ctx, const QString& answer, const RegistryValues& registry);

// Stores the full path of the current database for the companion programs:
// the absolute path of the file that is opened.
void SavePathToRegistry(const AppContext& ctx, RegistryValues& registry);

// Whether this executable shows the splash window at start.
bool ShowsSplash(const QString& executableName);

// The refusal message when the program runs from the database folder, else "".
QString RefusalToRunFromServer(const AppContext& ctx);

enum class VersionCheck { Current, Launch, Message };
// A newer executable in the database folder ends the start: through the
// updater when the program folder can be written, else with a message.
VersionCheck CheckNewVersion(const AppContext& ctx);
QString NewVersionMessage(const AppContext& ctx);

// VmSettings.ini: created with its two lines when missing; the version written.
void PrepareLocalSettings(AppContext& ctx);
QString VersionText();

// Defaults the main window stores in VmSettings at every start.
void StoreVmSettingsDefaults(AppContext& ctx);

// The main window's loading steps up to the start-of-day run: folders, local
// settings, user name, databases, defaults, start of day.  Answers
// OpenDatabase's result (0 = go on).
int LoadMainWindowData(AppContext& ctx);

} // namespace vm
