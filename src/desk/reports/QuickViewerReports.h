#pragma once
// The quick viewer's printed documents: a day's tasks ("date", optional
// "category"), a day's diary ("date", optional "group"), one quick-reference
// list ("categoryId"), who read one document ("documentId"), every document
// with its readers, and every staff member with the documents read or not.

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

doc::Document BuildDailyDuties(AppContext& ctx, const PrintRequest& r);
doc::Document BuildDailyDiary(AppContext& ctx, const PrintRequest& r);
doc::Document BuildQVList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildDocRead(AppContext& ctx, const PrintRequest& r);
doc::Document BuildDocsRead(AppContext& ctx, const PrintRequest& r);
doc::Document BuildDocsByConcierge(AppContext& ctx, const PrintRequest& r);

void RegisterQuickViewerReports(ReportCatalogue& catalogue);

inline const QString MsgNoTasksToPrint =
    QStringLiteral("There are no Tasks for this day.  Nothing was printed.");
inline const QString MsgNoDiaryToPrint =
    QStringLiteral("There is nothing in the Daily Diary for this day.  Nothing was printed.");
inline const QString MsgQvListGone =
    QStringLiteral("The Quick Viewer category no longer exists.  Nothing was printed.");
inline const QString MsgNoDocumentsToPrint =
    QStringLiteral("There are no Documents to print.  Nothing was printed.");
inline const QString MsgDocumentGone =
    QStringLiteral("Please select a Document first.  Nothing was printed.");
inline const QString NotReadYet = QStringLiteral("Not Read");

} // namespace vm
