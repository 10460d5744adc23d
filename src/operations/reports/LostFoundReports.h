#pragma once
// The printed lost-and-found documents: the three lists and the item sheets.
// Arguments: "id" (ItemID) for a sheet; for a list the search as the window
// ran it: "status" (L, F, D), "kind" (LfSearchKind), "value", "from" and
// "through" ("yyyy/MM/dd" or ""), "category".

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

doc::Document BuildLostFoundList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildLostItemSheet(AppContext& ctx, const PrintRequest& r);
doc::Document BuildFoundItemSheet(AppContext& ctx, const PrintRequest& r);
doc::Document BuildMatchedItemSheet(AppContext& ctx, const PrintRequest& r);

void RegisterLostFoundReports(ReportCatalogue& catalogue);

inline const QString RptLostFoundList = QStringLiteral("PrintLostFoundList");
inline const QString RptLostItem = QStringLiteral("PrintLostItem");
inline const QString RptFoundItem = QStringLiteral("PrintFoundItem");
inline const QString RptMatchedItem = QStringLiteral("PrintMatchedItemSheet");

// "Lost Items List", "Found Items List" or "Disposed Items List" by the list's letter.
QString LfListHeading(const QString& status);

} // namespace vm
