#pragma once
// The printed day sheets of timed services: one page per location or per
// provider with the rows that hold bookings and the meal break.
// Arguments: "date" ("yyyy/MM/dd").

#include "output/Reports.h"

namespace vm {

inline const QString RoutineLocationSheets = QStringLiteral("PrintLocationSheets");
inline const QString RoutineProviderSheets = QStringLiteral("PrintProviderSheets");

doc::Document BuildLocationSheets(AppContext& ctx, const PrintRequest& r);
doc::Document BuildProviderSheets(AppContext& ctx, const PrintRequest& r);

void RegisterTimedServiceReports(ReportCatalogue& catalogue);

} // namespace vm
