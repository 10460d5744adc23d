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

// Contacts: the contact screen, the picker and the main window's Contacts page.
inline constexpr Right ContactsEdit{RightsArea::Contacts, 1};
inline constexpr Right ContactsAdd{RightsArea::Contacts, 2};
inline constexpr Right ContactsImport{RightsArea::Contacts, 3};
inline constexpr Right ContactsExtract{RightsArea::Contacts, 4};
inline constexpr Right ContactsGuestList{RightsArea::Contacts, 5};
inline constexpr Right ContactsClone{RightsArea::Contacts, 6};
inline constexpr Right ContactsExtra{RightsArea::Contacts, 7};
inline constexpr Right ContactsDocs{RightsArea::Contacts, 8};
inline constexpr Right ContactsStatusMessages{RightsArea::Contacts, 9};
inline constexpr Right ContactsPrint{RightsArea::Contacts, 10};
inline constexpr Right ContactsMessages{RightsArea::Contacts, 11};
inline constexpr Right ContactsViewDocs{RightsArea::Contacts, 12};
inline constexpr Right ContactsSearch{RightsArea::Contacts, 13};
inline constexpr Right ContactsDelete{RightsArea::Contacts, 14};

// Events: the event screen and the main window's Events page.
inline constexpr Right EventsEdit{RightsArea::Events, 1};
inline constexpr Right EventsAdd{RightsArea::Events, 2};
inline constexpr Right EventsImport{RightsArea::Events, 3};
inline constexpr Right EventsDocs{RightsArea::Events, 4};
inline constexpr Right EventsViewDocs{RightsArea::Events, 5};
inline constexpr Right EventsPrint{RightsArea::Events, 6};
inline constexpr Right EventsMessages{RightsArea::Events, 7};
inline constexpr Right EventsGuestLists{RightsArea::Events, 8};
inline constexpr Right EventsTypes{RightsArea::Events, 9};
inline constexpr Right EventsDelete{RightsArea::Events, 10};

// Others: the icons of the main window's Others page and the group screens.
inline constexpr Right OthersGroups{RightsArea::Others, 1};
inline constexpr Right OthersGroupsAdd{RightsArea::Others, 2};
inline constexpr Right OthersGroupDocs{RightsArea::Others, 3};
inline constexpr Right OthersGroupPrint{RightsArea::Others, 4};
inline constexpr Right OthersReportWriter{RightsArea::Others, 5};
inline constexpr Right OthersGroupExtract{RightsArea::Others, 6};
inline constexpr Right OthersGroupViewDocs{RightsArea::Others, 7};
inline constexpr Right OthersMap{RightsArea::Others, 8};
inline constexpr Right OthersRentals{RightsArea::Others, 9};
inline constexpr Right OthersMessageCenter{RightsArea::Others, 10};
// The rental and inventory screen: check in, check out (and issue), print its
// reports, search the loans by date, set the default rental texts.
inline constexpr Right OthersRentalsCheckIn{RightsArea::Others, 11};
inline constexpr Right OthersRentalsCheckOut{RightsArea::Others, 12};
inline constexpr Right OthersRentalsPrint{RightsArea::Others, 13};
inline constexpr Right OthersRentalsSearch{RightsArea::Others, 14};
inline constexpr Right OthersRentalsDefaults{RightsArea::Others, 15};
inline constexpr Right OthersWebImport{RightsArea::Others, 16};
// Unbooking another member's reservations needs a manager; unbooking at all
// and purging the reservation lists need this.
inline constexpr Right OthersReservations{RightsArea::Others, 17};

// Profiles: the profile screen, the picker and the main window's Profiles page.
inline constexpr Right ProfilesEdit{RightsArea::Profiles, 1};
inline constexpr Right ProfilesAdd{RightsArea::Profiles, 2};
inline constexpr Right ProfilesImport{RightsArea::Profiles, 3};
inline constexpr Right ProfilesNotes{RightsArea::Profiles, 4};
inline constexpr Right ProfilesIndicatorEmail{RightsArea::Profiles, 5};
inline constexpr Right ProfilesIndicators{RightsArea::Profiles, 6};
inline constexpr Right ProfilesContactHistory{RightsArea::Profiles, 7};
inline constexpr Right ProfilesGroupEntries{RightsArea::Profiles, 8};
inline constexpr Right ProfilesLogbook{RightsArea::Profiles, 9};
inline constexpr Right ProfilesCards{RightsArea::Profiles, 10};
inline constexpr Right ProfilesExtract{RightsArea::Profiles, 11};
inline constexpr Right ProfilesLists{RightsArea::Profiles, 12};
inline constexpr Right ProfilesPrint{RightsArea::Profiles, 13};
inline constexpr Right ProfilesMerge{RightsArea::Profiles, 14};

// The add-on modules of the Others page (off for new accounts; managers pass).
inline constexpr Right AddOnsReservations{RightsArea::AddOns, 1};
inline constexpr Right AddOnsIncidents{RightsArea::AddOns, 2};
inline constexpr Right AddOnsLostAndFound{RightsArea::AddOns, 3};
inline constexpr Right AddOnsKeyControl{RightsArea::AddOns, 4};
inline constexpr Right AddOnsTimedServices{RightsArea::AddOns, 5};

// The main window's command bar.
inline constexpr Right TabQuickViewer{RightsArea::Tabs, 8};
inline constexpr Right GlobalsWhiteboard{RightsArea::Globals, 5};
inline constexpr Right MaintenancePrintLists{RightsArea::Maintenance, 1};
inline constexpr Right MaintenanceWebPages{RightsArea::Maintenance, 2};

// The Administration page's windows (off for new accounts; managers pass).
inline constexpr Right AdministrationStaff{RightsArea::Administration, 1};
inline constexpr Right AdministrationInterfaces{RightsArea::Administration, 2};
inline constexpr Right AdministrationMaintenanceQueries{RightsArea::Administration, 3};

// Staff messages: the Messages tab's features, the mail indicator, composing.
inline constexpr Right MessagesUse{RightsArea::Messages, 1};

// The quick viewer's maintenance screens.
inline constexpr Right GlobalsActivityGraphs{RightsArea::Globals, 1};
inline constexpr Right GlobalsQuickViewerCategories{RightsArea::Globals, 2};
inline constexpr Right GlobalsMasterTasks{RightsArea::Globals, 3};
inline constexpr Right GlobalsDocumentLinks{RightsArea::Globals, 4};
} // namespace Rights

} // namespace vm
