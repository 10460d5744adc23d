#pragma once
// Staff rights: one "0"/"1" character per right in the ConciergePlus column
// of an area.  Screens ask here, never index the strings themselves.  The
// positions are listed in docs/rights.md.

#include "platform/Database.h"

#include <QString>

namespace vm {

enum class RightsArea {
    Tabs, Globals, Contacts, Events, Logbook, Messages, Others, Profiles, Administration,
    Maintenance, Future1, AddOns
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
} // namespace Rights

} // namespace vm
