#include "platform/DriverPlugin.h"

#include <QtGlobal>

#if defined(Q_OS_UNIX)
#include <dlfcn.h>
#endif

namespace vm {

void* DriverPluginSymbol([[maybe_unused]] const QSqlDriver* driver,
                         [[maybe_unused]] const char* name) {
#if defined(Q_OS_UNIX)
    Dl_info info{};
    // The driver's class lives in the plugin; its first word points into the plugin.
    if (!dladdr(*reinterpret_cast<void* const*>(driver), &info) || !info.dli_fname)
        return nullptr;
    void* plugin = dlopen(info.dli_fname, RTLD_LAZY | RTLD_NOLOAD);
    if (!plugin) return nullptr;
    void* symbol = dlsym(plugin, name);
    dlclose(plugin); // Qt keeps the plugin loaded
    return symbol;
#else
    return nullptr;
#endif
}

} // namespace vm
