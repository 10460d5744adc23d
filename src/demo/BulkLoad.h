#pragma once
// Runs `work`, which fills `tables`, with their indexes and triggers put
// aside on SQLite and made again afterwards (also when `work` fails).

#include <QStringList>
#include <functional>

namespace vm {
class Database;
}

namespace vm::demo {

void BulkLoad(Database& db, const QStringList& tables, const std::function<void()>& work);

} // namespace vm::demo
