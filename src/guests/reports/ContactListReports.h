#pragma once
// The Contacts page on paper: the special guest list of one keyword (plain
// paper in the list window, or the letter window on the letterhead) and the
// contact list as the page shows it.

#include "output/Reports.h"

#include <QList>

namespace vm {

inline const QString RoutineGuestContactList = QStringLiteral("PrintContactGL");
// The same guest list in the letter window (one routine has one window).
inline const QString RoutineGuestContactListLetter = QStringLiteral("PrintContactGLLetter");
inline const QString RoutineContactList = QStringLiteral("PrintContactList");
inline const QString TitleGuestContactList = QStringLiteral("Guest Contact List");
inline const QString TitleContactList = QStringLiteral("Contact List");

// Arguments of the routines.
inline const QString ArgContactIds = QStringLiteral("contactIds");
inline const QString ArgContactSort = QStringLiteral("contactSort");
inline const QString ArgKeyword = QStringLiteral("keyword");
inline const QString ArgCity = QStringLiteral("city");
inline const QString ArgArea = QStringLiteral("area");

PrintRequest GuestContactListRequest(const QString& keyword, const QString& city,
                                     const QString& area, bool letterhead);
PrintRequest ContactListRequest(const QList<qint64>& ids, int sort);

doc::Document BuildGuestContactList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildContactList(AppContext& ctx, const PrintRequest& r);

void RegisterContactListReports(ReportCatalogue& catalogue);

} // namespace vm
