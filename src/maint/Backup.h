#pragma once
// Backups of a property while desks work, and their restore into an empty
// place.  SQLite: the engine's online backup of every database file.  Server:
// pg_dump of the property's schemas.  Beside either a manifest of row counts
// and checksums (maint/TableSums.h), which a restore is verified against.

#include "maint/AdminProperty.h"
#include "maint/TableSums.h"

namespace vm::maint {

struct BackupHooks {
    // Called between the databases (tests write from another connection here).
    std::function<void(const QString& base)> afterDatabase;
};

// Into `dest` (made when missing; it must hold no backup or database file of
// this property).  Answers the manifest written.
Manifest BackupProperty(Property& p, const QString& dest, const Lines& out,
                        const BackupHooks& hooks = {});

// The backup in `source` into the empty place `target` (a SQLite folder or
// server schemas); refuses without writing anything when the place is not
// empty.  Answers the differences found against the manifest (empty = equal).
QStringList RestoreProperty(const QString& source, const PropertySource& target,
                            const Workstation& ws, Clock& clock, const Lines& out);

// Online copy of one open SQLite database into a new file.
void SqliteBackup(Database& db, const QString& file);

} // namespace vm::maint
