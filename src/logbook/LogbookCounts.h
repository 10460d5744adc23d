#pragma once
// Counts of entries for the statistics screens, the record dump of one entry,
// and the updates other screens make to many entries at once.

#include "core/AppContext.h"

namespace vm {

enum class DateField { ReferDate, EntryDate };

// One category between two dates, both ends included; optionally one member's.
int CountTypeEntriesInRange(Database& db, const QString& category, const QString& from,
                            const QString& to, DateField field, const QString& enteredBy = {});
// "category<TAB>count" per category, then "TOTAL:<TAB>sum" ("#,###").
// Optionally one member's (`enteredBy`) or one group's (`groupId` > 0) entries.
QStringList CountLogEntries(Database& db, const QString& from, const QString& to, DateField field,
                            const QString& enteredBy = {}, qint64 groupId = 0);
// Entries of the archive from `from` up to, not including, `to`; "*All" counts every category.
int CountArchiveEntries(Database& archive, const QString& category, const QString& from,
                        const QString& to, DateField field);

// "LogBook Entry", then "Column: value" per column; "No records found" without a row.
QString GetLogbookRecordText(Database& db, qint64 logId);

// After a bulk print of confirmations: Notified takes the BulkPrintNotify text.
void UpdateBulkNotify(Database& db, qint64 logId);
// The same with the setting's text read beforehand (`db` may be the archive,
// which has no settings row).
void UpdateBulkNotify(Database& db, qint64 logId, const QString& notifyText);

} // namespace vm
