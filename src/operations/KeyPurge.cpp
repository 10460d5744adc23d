// The dated purge of returned loans, exported to a file before they go.

#include "core/Formats.h"
#include "operations/KeyControl.h"
#include "operations/KeyRows.h"
#include "platform/CsvWriter.h"

namespace vm {

using namespace keys;

namespace {

// Rows deleted per statement (well under either engine's parameter limit).
constexpr int DeleteChunk = 500;

QStringList csvRow(const KeyLoanRow& l) {
    return {l.dateTimeOut,  l.dateTimeDue, l.dateTimeBack, QString::number(l.minutesFromDue),
            l.groupName,    l.keyNumber,   l.description,  l.employeeName,
            l.jobTitle};
}

} // namespace

QString KeyCheckPurgeDate(const QString& typed, const QDate& today) {
    const QDate day = Formats::ParseShortDate(typed.trimmed());
    if (!day.isValid()) return kKeyPurgeEnterDate;
    if (day > today) return kKeyPurgeFutureDate;
    return {};
}

QString KeyPurgeQuestion(const QDate& before) {
    return "Do you wish to delete ALL Key History entries prior to " + Formats::ShortDate(before);
}

std::vector<KeyLoanRow> KeyActivityReportD(AppContext& ctx, const QDate& before) {
    // Only loans that came back: an open loan stays, however long overdue.
    return loanList(ctx.db(),
                    "WHERE [KeyHistory].[DateTimeDue] < ? AND [KeyHistory].[KeyStatus] = 'I' "
                    "AND [KeyHistory].[DateTimeBack] IS NOT NULL",
                    {Formats::StoredDate(before)},
                    " ORDER BY [KeyHistory].[DateTimeDue], [KeyHistory].[KeyHistoryID]");
}

KeyPurgeResult PurgeKeyHistory(AppContext& ctx, const QDate& before) {
    KeyPurgeResult result;
    const std::vector<KeyLoanRow> rows = KeyActivityReportD(ctx, before);
    if (rows.empty()) {
        result.message = kKeyPurgeNothing;
        return result;
    }
    result.csvPath = ctx.workstation.outputFolder() + kKeyPurgeFileName;
    CsvWriter csv(result.csvPath);
    bool written = csv.open() &&
                   csv.writeRow({"Date/Time Out", "Date/Time Due", "Date/Time Back",
                                 "Minutes Late", "Key Group", "Key Number", "Description",
                                 "Employee", "Job Title"});
    for (const KeyLoanRow& l : rows) {
        if (!written) break;
        written = csv.writeRow(csvRow(l));
    }
    if (!written || !csv.commit()) {
        result.message = FileWrittenMessage(result.csvPath, false);
        return result;
    }
    // Exactly the rows written to the file go: a loan returned since the list
    // was read is left for the next purge.
    Database& db = ctx.db();
    db.transaction([&] {
        for (size_t first = 0; first < rows.size(); first += DeleteChunk) {
            const size_t end = std::min(rows.size(), first + DeleteChunk);
            QStringList marks;
            QVariantList ids;
            for (size_t i = first; i < end; ++i) {
                marks << "?";
                ids << rows[i].historyId;
            }
            result.deleted += db.exec("DELETE FROM [KeyHistory] WHERE [KeyHistoryID] IN (" +
                                          marks.join(", ") + ")",
                                      ids);
        }
    });
    result.done = true;
    result.message = "ALL Key History entries prior to " + Formats::ShortDate(before) +
                     " have been deleted.  Thank you.";
    return result;
}

} // namespace vm
