#pragma once
// The logbook's printed documents.  Each builder reads what its request
// names ("logId" or "logIds", and "archive" for the archive database) and
// answers the document; nothing to print is refused with ReportRefused.

#include "core/AppContext.h"
#include "output/Reports.h"

#include <vector>

namespace vm {

// Letters on the property's letterhead (frmPrintLH).
doc::Document BuildGuestConfirmation(AppContext& ctx, const PrintRequest& r);
doc::Document BuildLogbookCorrespondence(AppContext& ctx, const PrintRequest& r);
// One confirmation letter per entry of "logIds", each on its own pages.  Once
// the document is built, the printed entries are marked notified with the
// setting BulkPrintNotify, all in one transaction.  With UnNotifiedOnly the
// entries already notified are left out.
doc::Document BuildGuestArrivals(AppContext& ctx, const PrintRequest& r);

// Sheets (frmPrintObj).
doc::Document BuildConfirmationReport(AppContext& ctx, const PrintRequest& r);
doc::Document BuildGuestServiceRequest(AppContext& ctx, const PrintRequest& r);
doc::Document BuildVendorServiceRequest(AppContext& ctx, const PrintRequest& r);
doc::Document BuildLogbookEntry(AppContext& ctx, const PrintRequest& r);
doc::Document BuildLogbookMessages(AppContext& ctx, const PrintRequest& r);
// The Logbook page's list: "logIds" in the order shown.
doc::Document BuildLogbookList(AppContext& ctx, const PrintRequest& r);

void RegisterLogbookReports(ReportCatalogue& catalogue);

// The routine and title a document of the entry screen prints with
// ("Details", "Confirmation", "GuestRequest", "VendorRequest",
// "Correspondence", "CustomForm"); an empty routine for any other name.
struct EntryReport {
    QString routine, title;
};
EntryReport EntryReportFor(const QString& document);

// Marks the entries of `db` (current or archive) notified with `notifyText`
// (the setting BulkPrintNotify), in one transaction; a blank text changes
// nothing (it would erase what the desk wrote).  Answers the entries marked.
int MarkBulkNotified(Database& db, const std::vector<qint64>& logIds, const QString& notifyText);

inline const QString MsgNoMessages =
    QStringLiteral("There are no Messages for this Logbook Entry.  Nothing was printed.");
inline const QString MsgAllNotified =
    QStringLiteral("Every selected Logbook Entry has been notified already.  Nothing was printed.");

} // namespace vm
