#include "admin/RightsLayout.h"

namespace vm {

namespace {

RightsRow row(RightsArea area, const QString& title, const QStringList& named) {
    RightsRow r{area, RightsColumn(area), title, named};
    const int length = DefaultRights(area).size();
    for (int p = r.captions.size() + 1; p <= length; ++p)
        r.captions << QStringLiteral("Position %1 (not used)").arg(p);
    return r;
}

QList<RightsRow> makeRows() {
    return {
        row(RightsArea::Tabs, "Main Window Tabs",
            {"Contacts", "Events", "Logbook", "Messages", "Others", "Profiles", "Administration",
             "Quick Viewer"}),
        row(RightsArea::Globals, "Quick Viewer and Whiteboard",
            {"Activity Graphs", "Quick Viewer Categories", "Master Task List", "Document Links",
             "Whiteboard"}),
        row(RightsArea::Contacts, "Contacts",
            {"Edit Contacts", "Add Contacts", "Import Contacts", "Extract to CSV File",
             "Print Guest Lists", "Clone in Another Language", "Extra Contact Information",
             "Linked Documents", "Status Messages", "Print Contact Details", "Contact Messages",
             "View Linked Documents", "Search Contacts", "Delete Contacts"}),
        row(RightsArea::Events, "Events",
            {"Edit Events", "Add Events", "Import Events", "Linked Documents",
             "View Linked Documents", "Print Event Details", "Event Messages", "Print Event Lists",
             "Event Types", "Delete Events"}),
        row(RightsArea::Logbook, "Logbook",
            {"Add Entries", "Due and Overdue Entries", "Bulk Confirmations", "Guest Itineraries",
             "View Messages", "Link Profile", "Edit Profile", "Select Profile", "Deselect Profile",
             "Reservations", "Export", "Send Messages", "Print Details", "Vendor Service Request",
             "Guest Service Request", "Guest Confirmation", "Guest Notifications",
             "Clone Card Numbers", "Decrypt Profile Card Numbers"}),
        row(RightsArea::Messages, "Messages", {"Use Messaging"}),
        row(RightsArea::Others, "Others",
            {"Groups and Conventions", "Add Groups", "Group Linked Documents", "Print Groups",
             "Logbook Report Writer", "Extract Group Entries", "View Group Linked Documents",
             "Point-to-Point Map", "Rental and Inventory Items", "Personal Message Center",
             "Check In Rentals", "Check Out Rentals", "Print Rental Reports",
             "Search Rentals by Date", "Rental Default Values", "Import Web Site Requests",
             "Unbook and Purge Reservations"}),
        row(RightsArea::Profiles, "Profiles",
            {"Edit Profiles", "Add Profiles", "Import Profiles", "Profile Notes", "Indicator E-mail",
             "Indicators", "Contact History", "Group Logbook Entries", "Profile Logbook Entries",
             "Card Information", "Extract Profiles", "Profile Lists and Letters",
             "Print Profile Details", "Merge Profiles"}),
        row(RightsArea::Administration, "Administration",
            {"Concierge Staff", "Interface Options", "Database Maintenance"}),
        row(RightsArea::Maintenance, "Maintenance", {"Print Search Lists", "Web Pages"}),
        row(RightsArea::AddOns, "Add-On Modules",
            {"Reservations", "Incident Reporting", "Lost and Found", "Key Control",
             "Timed Services"}),
    };
}

} // namespace

const QList<RightsRow>& EditableRightsRows() {
    static const QList<RightsRow> rows = makeRows();
    return rows;
}

const RightsRow* FindRightsRow(RightsArea area) {
    for (const RightsRow& r : EditableRightsRows())
        if (r.area == area) return &r;
    return nullptr;
}

int RightsLength(RightsArea area) {
    return DefaultRights(area).size();
}

QString RightCaption(RightsArea area, int position) {
    const RightsRow* r = FindRightsRow(area);
    if (r && position >= 1 && position <= r->captions.size()) return r->captions.at(position - 1);
    return QStringLiteral("Position %1 (not used)").arg(position);
}

QString NormalizedRights(RightsArea area, const QString& stored) {
    QString out = stored.trimmed();
    for (QChar& c : out)
        if (c != '1') c = '0';
    while (out.size() < RightsLength(area))
        out += '0';
    return out;
}

} // namespace vm
