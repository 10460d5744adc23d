#include "logbook/forms/LogbookOutputHooks.h"

#include "logbook/reports/LogbookReports.h"
#include "logbook/reports/ReportData.h"
#include "output/forms/PrintPreview.h"

namespace vm {

namespace {

QVariantList IdList(const std::vector<qint64>& ids) {
    QVariantList out;
    out.reserve(qsizetype(ids.size()));
    for (qint64 id : ids)
        out << id;
    return out;
}

// The request of one document of an entry; an empty routine for a name the
// logbook does not print.
// Guest documents carry the guest's address for the preview's E-mail button.
PrintRequest EntryRequest(AppContext& ctx, qint64 logId, const QString& document,
                          LogSource source) {
    const EntryReport report = EntryReportFor(document);
    PrintRequest request{report.routine,
                         report.title,
                         {{ArgLogId, logId}, {ArgArchive, source == LogSource::Archive}}};
    const ReportRoutine* routine = ctx.reports.find(report.routine);
    if (routine && routine->email)
        request.args.insert(ArgEmailTo, GuestEmailOfEntry(ctx, logId, source));
    return request;
}

} // namespace

void InstallLogbookOutput(AppContext& ctx, LogbookScreenHooks& hooks) {
    hooks.printEntry = [&ctx](qint64 logId, const QString& document, LogSource source,
                              QWidget* parent) {
        OpenReport(ctx, EntryRequest(ctx, logId, document, source), parent);
    };
    hooks.emailEntry = [&ctx](qint64 logId, const QString& document, LogSource source,
                              QWidget* parent) {
        return EmailReport(ctx, EntryRequest(ctx, logId, document, source),
                           GuestEmailOfEntry(ctx, logId, source), parent);
    };
    hooks.printEntries = [&ctx](const std::vector<qint64>& logIds, const QString&, LogSource source,
                                QWidget* parent) {
        OpenReport(ctx,
                   {"PrintGuestArrivals",
                    "Guest Arrivals",
                    {{ArgLogIds, IdList(logIds)}, {ArgArchive, source == LogSource::Archive}}},
                   parent);
    };
    hooks.printMessages = [&ctx](qint64 logId, QWidget* parent) {
        OpenReport(ctx, {"PrintLogbookMessages", "Logbook Messages", {{ArgLogId, logId}}}, parent);
    };
    hooks.printLogbookList = [&ctx](const std::vector<qint64>& logIds, bool archive,
                                    QWidget* parent) {
        OpenReport(ctx,
                   {"PrintLogbookList",
                    "Logbook List",
                    {{ArgLogIds, IdList(logIds)}, {ArgArchive, archive}}},
                   parent);
    };
}

} // namespace vm
