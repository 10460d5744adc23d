#pragma once
// The printed key-control lists: keys out, keys in, all keys, the activity of
// a key or an employee, and the overdue keys.  The screen's grids show the
// same columns and cells (the functions below), so what is printed and
// exported is what the member sees.
//
// Arguments: "keyId" or "employeeId", with "from" and "through"
// ("yyyy/MM/dd", either may be empty) for the activity; none for the others
// (the overdue list is as of the clock's now).

#include "core/AppContext.h"
#include "operations/KeyControl.h"
#include "output/Reports.h"

namespace vm {

enum class KeyListKind { KeysOut, KeysIn, AllKeys };

// The columns and one key's cells of a key list.
QStringList KeyListHeadings(KeyListKind kind);
QStringList KeyListCells(KeyListKind kind, const KeyRecord& k);
// The keys of the list, by group then number.
std::vector<KeyRecord> KeyListRows(AppContext& ctx, KeyListKind kind);

// The columns and one loan's cells of the activity of a key (`byKey`) or of
// an employee.  "Minutes Late" is empty while the key is out.
QStringList KeyActivityHeadings(bool byKey);
QStringList KeyActivityCells(bool byKey, const KeyLoanRow& row);

// The columns and one loan's cells of the overdue list.
QStringList KeyOverdueHeadings();
QStringList KeyOverdueCells(const KeyLoanRow& row);

doc::Document BuildKeyList(AppContext& ctx, const PrintRequest& r, KeyListKind kind);
doc::Document BuildKeyActivity(AppContext& ctx, const PrintRequest& r, bool byKey);
doc::Document BuildOverdueKeys(AppContext& ctx, const PrintRequest& r);

void RegisterKeyControlReports(ReportCatalogue& catalogue);

// Routine names.
inline const QString RptKeysOut = QStringLiteral("KeyKeyReport1");
inline const QString RptKeysIn = QStringLiteral("KeyKeyReport2");
inline const QString RptAllKeys = QStringLiteral("KeyKeyReport3");
inline const QString RptKeyActivityByEmployee = QStringLiteral("KeyActivityReport1");
inline const QString RptKeyActivityByKey = QStringLiteral("KeyActivityReport2");
inline const QString RptOverdueKeys = QStringLiteral("KeyOverdueReport");

inline const QString kKeyNothingToPrint =
    QStringLiteral("There is no Key information to Print.");

} // namespace vm
