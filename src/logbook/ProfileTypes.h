#pragma once
// The profile types a logbook list can be filtered by.

#include "platform/Database.h"

#include <QStringList>

namespace vm {

// The values of the lookup list "ProType", by name.
QStringList GetProfileTypeNames(Database& db);

} // namespace vm
