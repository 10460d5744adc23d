#pragma once
#include "platform/Clock.h"
#include "platform/Database.h"

namespace vm {

// The rows a new property starts with: the settings row, the reserved service
// accounts and the factory manager account (logon CONCIERGE, password BELLHOP,
// which must be changed at the first logon), and the news board's empty items.
void InsertFactoryData(Database& db, const Clock& clock);

// Inserts the ConciergePlus row of a member with the default rights, or with
// the manager ('A') or restricted ('R') template.
void InsertConciergePlus(Database& db, qint64 conciergeId, QChar templateKind = QChar());

} // namespace vm
