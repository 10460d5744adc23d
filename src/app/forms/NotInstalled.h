#pragma once
// The one answer of a launcher whose module this installation does not have
// yet (an Others-page icon, a command of the bar): said plainly, never a dead button.

#include <QString>

namespace vm {

class AppContext;

// "<module> is not installed in this version of Velmora."
QString NotInstalledMessage(const QString& module);
void SayNotInstalled(AppContext& ctx, const QString& module);

} // namespace vm
