#pragma once
// The profiles bench's property: the logbook bench's, kept in a folder of its
// own, whose profiles are given addresses, groups, indicators and contact
// history once (the server bench copies it from there).

#include "BenchData.h"

#include <QString>

namespace vm::bench {

// $VELMORA_PROFILES_BENCH_DIR, else `byDefault`, else a folder under the temporary one.
QString ProfilesDataFolder(const QString& byDefault);

// PrepareProperty on `dataFolder`, then the profiles' details when they are missing.
BenchProperty PrepareProfilesProperty(const QString& dataFolder, Prompt& prompt);

} // namespace vm::bench
