#pragma once
// Moving a property between the engines: the target is made as the program
// makes a new property, then every declared table's rows are copied (keys
// kept) in one transaction per database, and the row counts and checksums of
// both sides compared.

#include "maint/AdminProperty.h"
#include "maint/TableSums.h"

namespace vm::maint {

struct CopyResult {
    QList<DatabaseSums> source;
    QList<DatabaseSums> target;
    QStringList differences; // empty = every table equal
};

// `from` is open; `to` names an empty place.  Desks should be stopped: rows
// saved during the copy are not in the target (the comparison then says so).
CopyResult CopyProperty(Property& from, const PropertySource& to, const Workstation& ws,
                        Clock& clock, const Lines& out);

// Rows a multi-row INSERT of CopyRows carries at most.
inline constexpr int CopyBatchRows = 250;

// Rows of the declared tables of `store` from one database into another that
// has the same tables; the target's rows of those tables are replaced.
void CopyRows(Database& from, Database& to, schema::Store store);

} // namespace vm::maint
