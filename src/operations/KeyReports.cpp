// Due and overdue loans, the key reports, the activity search and the CSV
// exports of the lists.

#include "core/Formats.h"
#include "operations/KeyControl.h"
#include "operations/KeyRows.h"
#include "platform/CsvWriter.h"

namespace vm {

using namespace keys;

std::vector<KeyLoanRow> KeyGetDueOverDue(AppContext& ctx, const QDateTime& now) {
    // Timestamps compare as text ("yyyy/MM/dd HH:mm").
    return loanList(ctx.db(),
                    "WHERE [KeyHistory].[KeyStatus] = 'O' AND [KeyHistory].[DateTimeDue] < ?",
                    {Formats::StoredDateTime(now)},
                    " ORDER BY [KeyHistory].[DateTimeDue], [KeyHistory].[KeyHistoryID]");
}

std::vector<KeyRecord> KeyKeyReport1(AppContext& ctx) {
    return keyList(ctx.db(),
                   "WHERE [KeyMaster].[KeyStatus] = 'O' AND [KeyEmployee].[KeyEmployeeID] IS "
                   "NOT NULL",
                   {});
}

std::vector<KeyRecord> KeyKeyReport2(AppContext& ctx) {
    return keyList(ctx.db(), "WHERE [KeyMaster].[KeyStatus] = 'I'", {});
}

std::vector<KeyRecord> KeyKeyReport3(AppContext& ctx) {
    return keyList(ctx.db(), {}, {});
}

QString KeyCheckActivitySearch(bool subjectChosen, const QString& fromText,
                               const QString& throughText) {
    if (!subjectChosen) return kKeySelectKeyOrEmployee;
    const QString fromTyped = fromText.trimmed(), throughTyped = throughText.trimmed();
    const QDate from = Formats::ParseShortDate(fromTyped);
    const QDate through = Formats::ParseShortDate(throughTyped);
    if (!fromTyped.isEmpty() && !from.isValid()) return kKeyInvalidFromDate;
    if (!throughTyped.isEmpty() && !through.isValid()) return kKeyInvalidThroughDate;
    if (from.isValid() && through.isValid() && through < from) return kKeyThroughBeforeFrom;
    if (!from.isValid() && through.isValid()) return kKeyThroughWithoutFrom;
    return {};
}

namespace {

std::vector<KeyLoanRow> activity(AppContext& ctx, const QString& column, qint64 id,
                                 const QDate& from, const QDate& through) {
    QString where = "WHERE [KeyHistory].[" + column + "] = ?";
    QVariantList params{id};
    if (from.isValid()) {
        where += " AND [KeyHistory].[DateTimeOut] >= ?";
        params << Formats::StoredDate(from);
    }
    if (through.isValid()) {
        // The whole through day: the last minute a stored time can name.
        where += " AND [KeyHistory].[DateTimeOut] <= ?";
        params << Formats::StoredDate(through) + " 23:59";
    }
    return loanList(ctx.db(), where, params,
                    " ORDER BY [KeyHistory].[DateTimeOut], [KeyHistory].[KeyHistoryID]");
}

} // namespace

std::vector<KeyLoanRow> KeyActivityReport1(AppContext& ctx, qint64 employeeId, const QDate& from,
                                           const QDate& through) {
    return activity(ctx, "KeyEmployeeID", employeeId, from, through);
}

std::vector<KeyLoanRow> KeyActivityReport2(AppContext& ctx, qint64 keyId, const QDate& from,
                                           const QDate& through) {
    return activity(ctx, "KeyMasterID", keyId, from, through);
}

QString KeyExportCsv(AppContext& ctx, const QString& fileName, const QStringList& headings,
                     const std::vector<QStringList>& rows, const QString& emptyMessage) {
    if (rows.empty()) return emptyMessage;
    const QString path = ctx.workstation.outputFolder() + fileName;
    CsvWriter csv(path);
    bool written = csv.open() && csv.writeRow(headings);
    for (const QStringList& row : rows) {
        if (!written) break;
        written = csv.writeRow(row);
    }
    written = written && csv.commit();
    return FileWrittenMessage(path, written);
}

} // namespace vm
