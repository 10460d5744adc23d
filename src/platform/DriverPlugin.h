#pragma once
// The library behind a Qt SQL driver: the program calls an engine's C API on
// the driver's own connection only when the driver runs on the very library
// the program links (a driver with a copy of its own would not share state).

class QSqlDriver;

namespace vm {

// The address `name` has as the driver's plugin resolves it; null when it
// cannot be told (no such symbol, or a platform without dynamic look-up).
void* DriverPluginSymbol(const QSqlDriver* driver, const char* name);

} // namespace vm
