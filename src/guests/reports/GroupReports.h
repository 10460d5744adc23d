#pragma once
// The printed documents of groups and conventions: the list of groups (in
// house, or all with "showAll") and one group's details ("groupId") with its
// schedule and logbook entry templates.

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

doc::Document BuildGroupList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildGroupDetails(AppContext& ctx, const PrintRequest& r);

void RegisterGroupReports(ReportCatalogue& catalogue);

inline const QString MsgNoGroupsToPrint =
    QStringLiteral("There are no Groups to print.  Nothing was printed.");
inline const QString MsgGroupNotFound =
    QStringLiteral("The Group no longer exists.  Nothing was printed.");

} // namespace vm
