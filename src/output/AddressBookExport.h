#pragma once
// The address-book files: every contact, profile, event and staff member, and
// one group's logbook entries, each written to a fixed file in the
// workstation's output folder with a fixed header line.  Every field is
// quoted (address-book importers expect it); the rows are streamed from the
// database straight into the file, which replaces an older one only when it
// is complete.

#include "core/AppContext.h"

#include <QString>

namespace vm {

inline const QString AllContactsFile = QStringLiteral("AllContacts.csv");
inline const QString AllProfilesFile = QStringLiteral("AllProfiles.csv");
inline const QString AllEventsFile = QStringLiteral("AllEvents.csv");
inline const QString AllStaffFile = QStringLiteral("AllStaff.csv");
inline const QString AllGroupLogsFile = QStringLiteral("AllGroupLogEntries.csv");

struct ExportResult {
    bool ok = false;
    int rows = 0;    // records written (heading and header lines not counted)
    QString path;    // the file
    QString message; // what to tell the member: created, not writable, or the error
};

// Contacts of ctx.contactsDb() by name.  Private contacts only for managers.
ExportResult BuildAllContactCSV(AppContext& ctx);
// Profiles by last and first name, with their notes.  Private profiles (and a
// private "Arrival Date" indicator) only for managers; the "Arrival Date"
// column only on resort/club properties.
ExportResult BuildAllProfileCSV(AppContext& ctx);
// Events of ctx.eventsDb() by name and starting date, with their notes.
ExportResult BuildAllEventsCSV(AppContext& ctx);
// Staff by name, never the two support accounts; the Open Table columns when
// the property uses it, the network user id in masked mode.
ExportResult BuildAllStaffCSV(AppContext& ctx);
// The group's name and dates, then its logbook entries by refer date and time.
ExportResult BuildAllGroupLogsCSV(AppContext& ctx, qint64 groupId);

inline const QString MsgNotAuthorizedGroupExtract =
    QStringLiteral("You are not authorized to extract Group Logbook Information.");
inline const QString MsgGroupNotFound =
    QStringLiteral("This Group no longer exists.  No file was created.");

} // namespace vm
