#include "app/forms/NotInstalled.h"

#include "core/AppContext.h"

namespace vm {

QString NotInstalledMessage(const QString& module) {
    return module + " is not installed in this version of Velmora.";
}

void SayNotInstalled(AppContext& ctx, const QString& module) {
    ctx.prompt().message(NotInstalledMessage(module), {}, Icon::Information);
}

} // namespace vm
