#pragma once
// The integrity check of a property: every database's engine check, the
// declared tables, columns and indexes, the schema level and rows whose
// owner is gone.

#include "maint/AdminProperty.h"

namespace vm::maint {

struct CheckReport {
    QStringList problems; // each one line; empty = all is well
    QStringList notes;    // what was checked
    bool ok() const { return problems.isEmpty(); }
};

// The level the program upgrades a database to.
int ProgramLevel();

CheckReport CheckProperty(Property& p);

// Parts of the check, also used after a restore or a copy.
QStringList EngineProblems(Database& db, const QString& base);
QStringList SchemaProblems(Database& db, const QString& base, schema::Store store, int level);
// Counts of rows whose owner is gone, by description (only non-zero counts).
QList<QPair<QString, qint64>> OrphanCounts(Property& p);

} // namespace vm::maint
