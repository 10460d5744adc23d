#pragma once
// The Profiles page on paper: the list as the grid shows it, and the
// facsimile and telephone lists of the listed profiles (numbers a guest asked
// not to be used are left out).

#include "output/Reports.h"

#include <QList>

namespace vm {

inline const QString RoutineProfileList = QStringLiteral("PrintProfileList");
inline const QString RoutineProfileFaxList = QStringLiteral("PrintFaxList");
inline const QString RoutineProfilePhoneList = QStringLiteral("PrintPhoneList");
inline const QString TitleProfileList = QStringLiteral("Profile List");
inline const QString TitleProfileFaxList = QStringLiteral("Profile Facsimile List");
inline const QString TitleProfilePhoneList = QStringLiteral("Profile Telephone List");

// The grid as shown: its visible headers and the rows' cells of those columns.
PrintRequest ProfileListRequest(const QString& description, const QStringList& headers,
                                const QList<QStringList>& rows);
PrintRequest ProfileFaxListRequest(const QList<qint64>& ids);
PrintRequest ProfilePhoneListRequest(const QList<qint64>& ids);

doc::Document BuildProfileList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildProfileFaxList(AppContext& ctx, const PrintRequest& r);
doc::Document BuildProfilePhoneList(AppContext& ctx, const PrintRequest& r);

void RegisterProfileListReports(ReportCatalogue& catalogue);

} // namespace vm
