#pragma once
// Staff lists and the data side of new accounts.

#include "core/AppContext.h"

#include <optional>

namespace vm {

struct StaffEntry {
    qint64 id = 0; // 0 for "*All Vm Users" and message groups
    QString text;  // as listed: "Name (XX)", "Name  (Inactive)", "*Group" …
    bool dniMessages = false;
};

// The three service accounts (display names compared upper-cased).
bool IsReservedAccount(const QString& displayName);

// Active desk members; with message groups: "*All Vm Users", the members and "*" + each group.
QList<StaffEntry> GetAllConcierges(Database& db, bool withMessageGroups);
// Every member for the staff editor, marked Language Only / Inactive / Restricted / Authorized.
QList<StaffEntry> GetAllConcierges4Edit(Database& db);
// Members whose rights may be copied to a new member.
QList<StaffEntry> GetAllConcierges2Clone(Database& db, bool restricted, bool authorized);
std::optional<Row> GetConciergeInformation(Database& db, qint64 id);
QString GetConciergeNameFromID(Database& db, qint64 id);

struct ConciergePlusL {
    QString hoursShift;
    bool allLogs = false;
    bool allRentals = false;
    QString workSchedule; // "0" when empty
};
ConciergePlusL GetConciergePlusL(Database& db, qint64 id);

struct StaffLanguage {
    QString language, name, jobTitle, telephone, workSchedule, hoursShift;
};
QList<StaffLanguage> GetStaffbyLanguage(Database& db, const QString& language);

struct NewConcierge {
    QString logonName; // UserProfile
    QString initials;
    QString passwordHash; // stored form of the logon password
    QString ccViewHash;   // stored form of the card-viewing password
    QString name;         // display name
    QString messageGroup, email, jobTitle, employeeId, telephone, otConciergeId;
    bool inactive = false;
    bool manager = false, inhibitMsg = false, dniMessages = false, restricted = false;
    bool allLogs = false, allRentals = false, readOnly = false, languageOnly = false;
};
// Inserts the member and its rights row in one transaction; answers the new id.
qint64 InsertConcierge(AppContext& ctx, const NewConcierge& c);

// A member's new display name reaches the logbook and the message timers.
void UpdateConciergeLogBookName(Database& db, const QString& oldName, const QString& newName,
                                const QString& initials);

} // namespace vm
