#pragma once
// The contact screen's printed documents.  Each builder reads the contact
// named by the request's "contactId" (in the contacts database) and answers
// the document; a contact that no longer exists is refused.

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

// "Contact Entry" (list window): every field, the extra data, notes and directions.
doc::Document BuildContactEntry(AppContext& ctx, const PrintRequest& r);
// "Contact Directions" (letter window): name, address and the directions.
doc::Document BuildContactDirections(AppContext& ctx, const PrintRequest& r);
// "Contact Guest List" (letter window): the text printed on special guest lists.
doc::Document BuildContactGuestListText(AppContext& ctx, const PrintRequest& r);
// "Directions" / "Point to Point" (list window): from the property to the
// contact ("contactId") or to the address in "toName", "toAddress", "toCity",
// "toState", with the contact's directions.
doc::Document BuildPointToPointMap(AppContext& ctx, const PrintRequest& r);

void RegisterContactReports(ReportCatalogue& catalogue);

inline const QString MsgContactGoneNoPrint =
    QStringLiteral("This Contact no longer exists.  Nothing was printed.");

} // namespace vm
