#pragma once
// The profile screen's printed details: the guest's head, addresses, phones,
// indicators, contact history and notes, read for the request's "profileId".

#include "core/AppContext.h"
#include "output/Reports.h"

namespace vm {

inline const QString ProfileDetailsRoutine = QStringLiteral("PrintProfileReport");

// "Profile Details" (list window).  Private indicators are printed for
// managers only; a private profile is refused to others, as is a profile
// that no longer exists.
doc::Document BuildProfileDetails(AppContext& ctx, const PrintRequest& r);

void RegisterProfileReports(ReportCatalogue& catalogue);

inline const QString MsgProfileGoneNoPrint =
    QStringLiteral("This Profile no longer exists.  Nothing was printed.");
inline const QString MsgPrivateProfileNoPrint =
    QStringLiteral("This is a Private Profile.  You are not authorized to print it.");

} // namespace vm
