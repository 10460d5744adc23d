#pragma once
// The printed rental sheets and lists.  Arguments of the requests:
// "loanId" for the charges sheet; "date" ("yyyy/MM/dd", empty for every item
// out) for the items due back; "from", "through" ("yyyy/MM/dd"), "byCheckout"
// and "categoryId" for the loans by date.

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

doc::Document BuildRentalCharges(AppContext& ctx, const PrintRequest& r);
doc::Document BuildRentalResults(AppContext& ctx, const PrintRequest& r);
doc::Document BuildDueBack(AppContext& ctx, const PrintRequest& r);
doc::Document BuildInventoryList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildShoppingList(AppContext& ctx, const PrintRequest& r);

void RegisterRentalReports(ReportCatalogue& catalogue);

// Routine names and the titles of their windows.
inline const QString RptRentalCharges = QStringLiteral("PrintRentalCharges");
inline const QString RptRentalResults = QStringLiteral("PrintRentalResults");
inline const QString RptDueBack = QStringLiteral("PrintDueBack");
inline const QString RptInventoryList = QStringLiteral("PrintInventoryList");
inline const QString RptShoppingList = QStringLiteral("PrintShoppingList");
inline const QString TitleRentalCharges = QStringLiteral("Rental Charges");
inline const QString TitleRentalResults = QStringLiteral("Rental Results");
inline const QString TitleDueBack = QStringLiteral("Items Due Back");
inline const QString TitleInventoryList = QStringLiteral("Inventory List");
inline const QString TitleShoppingList = QStringLiteral("Shopping List");

inline const QString MsgNoRentalsToPrint =
    QStringLiteral("There is nothing to print for this selection.");

} // namespace vm
