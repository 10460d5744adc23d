#pragma once
// The decade property on a PostgreSQL server: the profiles bench's SQLite
// property (1,000,000 entries, 200,000 profiles with their details) copied
// into schemas of their own, with the property generator's contacts, lost and
// found, keys, messages, events, groups and reservation lists added.  It is kept between runs: a stamp on
// the server names the SQLite property's stamp it was made from and the
// version of what was added; another SQLite property makes it anew, an older
// version gets what the later ones add.

#include "maint/AdminProperty.h"

#include <QString>
#include <memory>

namespace vm::bench {

inline const QString PgSchemaPrefix = QStringLiteral("bench");

struct PgBenchProperty {
    std::unique_ptr<maint::Property> property; // open
    double preparedSeconds = 0;                // 0: reused as it was
    double copySeconds = 0;                    // the copy of the SQLite rows alone
};

// Opens the server property for `connInfo` (a database with citext and
// pg_trgm), making it first when it is missing or out of date.  Entries a
// bench wrote (above the generated ones) are removed.
PgBenchProperty PreparePgProperty(const QString& connInfo, const QString& sqliteDataFolder,
                                  const QString& workFolder, Clock& clock, Prompt& prompt);

// Deletes the entries above the generated ones with their text and history and
// lets the next key follow the generated ones again.
void RemovePgBenchWrites(Database& db);

} // namespace vm::bench
