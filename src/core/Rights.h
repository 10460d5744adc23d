#pragma once
// Staff rights: one "0"/"1" character per right in the ConciergePlus column
// of an area.  Screens ask here, never index the strings themselves.  The
// positions are listed in docs/rights.md.

#include "platform/Database.h"

#include <QString>

namespace vm {

enum class RightsArea {
    Tabs,
    Globals,
    Contacts,
    Events,
    Logbook,
    Messages,
    Others,
    Profiles,
    Administration,
    Maintenance,
    Future1,
    AddOns
};

struct Right {
    RightsArea area;
    int position; // 1-based character position
};

QString RightsColumn(RightsArea area);
// Default string of a new account.
QString DefaultRights(RightsArea area);
// The strings of the two templates applied to new managers and restricted members.
QString ManagerRights(RightsArea area);
QString RestrictedRights(RightsArea area);
const QList<RightsArea>& AllRightsAreas();

// True when character `position` of the member's string is "1".
bool HasRight(Database& db, qint64 conciergeId, const Right& right);
bool HasRight(const QString& rights, int position);
QString SetRightChar(QString rights, int position, bool allowed);

namespace Rights {
// Main window tabs, in the order the tabs stand.
inline constexpr Right TabContacts{RightsArea::Tabs, 1};
inline constexpr Right TabEvents{RightsArea::Tabs, 2};
inline constexpr Right TabLogbook{RightsArea::Tabs, 3};
inline constexpr Right TabMessages{RightsArea::Tabs, 4};
inline constexpr Right TabOthers{RightsArea::Tabs, 5};
inline constexpr Right TabProfiles{RightsArea::Tabs, 6};
inline constexpr Right TabAdministration{RightsArea::Tabs, 7};

// Logbook: the entry screen and the main window's Logbook page.
inline constexpr Right LogbookAdd{RightsArea::Logbook, 1};
inline constexpr Right LogbookDueOverdue{RightsArea::Logbook, 2};
inline constexpr Right LogbookBulkConfirmations{RightsArea::Logbook, 3};
inline constexpr Right LogbookItineraries{RightsArea::Logbook, 4};
inline constexpr Right LogbookViewMessages{RightsArea::Logbook, 5};
inline constexpr Right LogbookLinkProfile{RightsArea::Logbook, 6};
inline constexpr Right LogbookEditProfile{RightsArea::Logbook, 7};
inline constexpr Right LogbookSelectProfile{RightsArea::Logbook, 8};
inline constexpr Right LogbookDeselectProfile{RightsArea::Logbook, 9};
inline constexpr Right LogbookReservations{RightsArea::Logbook, 10};
inline constexpr Right LogbookExport{RightsArea::Logbook, 11};
inline constexpr Right LogbookSendMessages{RightsArea::Logbook, 12};
inline constexpr Right LogbookPrintDetails{RightsArea::Logbook, 13};
inline constexpr Right LogbookVendorRequest{RightsArea::Logbook, 14};
inline constexpr Right LogbookGuestRequest{RightsArea::Logbook, 15};
inline constexpr Right LogbookConfirmation{RightsArea::Logbook, 16};
inline constexpr Right LogbookNotifications{RightsArea::Logbook, 17};
inline constexpr Right LogbookCloneCards{RightsArea::Logbook, 18};
inline constexpr Right LogbookDecryptProfileCards{RightsArea::Logbook, 19};

// Others: the icons of the main window's Others page.
inline constexpr Right OthersReportWriter{RightsArea::Others, 5};
} // namespace Rights

} // namespace vm
