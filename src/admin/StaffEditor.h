#pragma once
// The data side of the staff editor: one account with its identity, flags,
// rights strings, work schedule, personal lists and message groups; checks,
// saves, clones, password resets and deletion.  The screen shows, asks and
// passes the answers; everything here is testable without widgets.

#include "core/AppContext.h"
#include "core/Rights.h"

#include <QMap>
#include <QString>
#include <QStringList>
#include <optional>

namespace vm {

// Kinds of the personal lists (EvConText rows keyed by ConciergeID, one item each).
namespace StaffList {
inline const QString Categories = QStringLiteral("U");       // logbook categories used
inline const QString SecondCategories = QStringLiteral("R"); // the second category list
inline const QString Languages = QStringLiteral("L");        // languages spoken
} // namespace StaffList

// objectNames of the identity fields a refusal points at.
namespace StaffField {
inline const QString Name = QStringLiteral("txtConcierge");
inline const QString Initials = QStringLiteral("txtInitials");
inline const QString LogonName = QStringLiteral("txtUserProfile");
inline const QString EmployeeId = QStringLiteral("txtEUserID");
inline const QString Email = QStringLiteral("txtEmailAddress");
inline const QString Manager = QStringLiteral("chkAuthority");
inline const QString Inactive = QStringLiteral("chkInactive");
} // namespace StaffField

struct StaffMember {
    qint64 id = 0; // 0 = not saved yet
    QString name;  // display name (Concierge)
    QString initials;
    QString logonName; // UserProfile
    QString jobTitle, telephone, otConciergeId, email, employeeId;
    QStringList messageGroups;
    QString hoursShift;
    QString workSchedule = QStringLiteral("0000000"); // "1"/"0", position 1 = Sunday
    bool inactive = false, manager = false, restricted = false, readOnly = false;
    bool languageOnly = false, inhibitMsg = false, dniMessages = false;
    bool allLogs = false, allRentals = false;
    // One string per editable area (admin/RightsLayout.h), as stored.  An
    // area missing here keeps its stored string.  A new member whose strings
    // are empty or still the defaults gets the template of its flags
    // (manager, restricted) instead.
    QMap<RightsArea, QString> rights;
    // The personal lists, in order; saved with the member.
    QStringList categories, secondCategories, languages;
};

// A refusal: the text to show, its title and the control (objectName) to focus.
struct StaffRefusal {
    QString text;
    QString title;
    QString field;
};

// The member as stored (nullopt when there is no such account).
std::optional<StaffMember> LoadStaffMember(AppContext& ctx, qint64 id);
// A new member's starting values: active, schedule "0000000", default rights.
StaffMember NewStaffMember();

// A member's groups as the screen shows them: joined with ", ".
QString MessageGroupsText(const QStringList& groups);
// A work schedule as stored: seven "1"/"0" characters.
QString NormalizedSchedule(const QString& schedule);

// The checks before a save, in their fixed order: reserved name, name,
// initials, logon name, and (masked mode) the employee id.
std::optional<StaffRefusal> ValidateStaffMember(AppContext& ctx, const StaffMember& member);

// What the screen asks before saving.  `refusal` set: show it and stop (the
// fields, the initials and the employee id are checked here already).
struct StaffSavePlan {
    std::optional<StaffRefusal> refusal;
    QString renameQuestion;         // non-empty: ask Yes/No (name changed)
    QString deleteMessagesQuestion; // non-empty: ask Yes/No (active to inactive)
};
StaffSavePlan PlanStaffSave(AppContext& ctx, const StaffMember& member);

struct StaffSaveAnswers {
    bool renameLogbook = false;  // Yes to the rename question
    bool deleteMessages = false; // Yes to the delete-messages question
};
struct StaffSaveResult {
    std::optional<StaffRefusal> refusal; // set: nothing was written
    qint64 id = 0;                       // the member's id (new members too)
    QStringList notices;                 // to show after the save, in order
    int messagesDeleted = 0;
    bool saved() const { return !refusal; }
};
// Checks everything again (initials in any letter case, employee id) and then
// writes the account, its rights, schedule, lists, the logbook rename, the
// password reset (active to inactive) and the message deletion in one
// transaction.  A refusal writes nothing.  New members (id 0) go through
// InsertConcierge; member.id is set on success.
StaffSaveResult SaveStaffMember(AppContext& ctx, StaffMember& member,
                                const StaffSaveAnswers& answers = {});

// Choosing a tab: "" when it may open, else the message (nobody chosen; the
// rights tabs of a language-only member).
QString StaffTabRefusal(const StaffMember* selected, bool rightsTab);

// cmdCheckAll / cmdUncheckAll: every position of every editable string.
void SetAllRights(StaffMember& member, bool allowed);

// Personal lists stored for a member, in sequence order.
QStringList GetStaffList(AppContext& ctx, qint64 conciergeId, const QString& kind);
// Replaces one list (delete then one row per non-blank item, in order) in one transaction.
void ReplaceStaffList(AppContext& ctx, qint64 conciergeId, const QString& kind,
                      const QStringList& items);

// Cloning from another member into the member being edited (written by the
// next save).  `fromId` 0 = nobody chosen: the refusal text.
inline const QString MsgSelectCloneSource =
    QStringLiteral("Please select a Concierge before pressing the Clone button.  Thank you.");
std::optional<StaffRefusal> CloneRights(AppContext& ctx, StaffMember& member, qint64 fromId);
std::optional<StaffRefusal> CloneLanguages(AppContext& ctx, StaffMember& member, qint64 fromId);
std::optional<StaffRefusal> CloneCategoryLists(AppContext& ctx, StaffMember& member,
                                               qint64 fromId);

// cmdReset: both passwords become the stored form of the logon name (the next
// logon forces a change).  Answers the two texts to show, or the refusal for
// an unsaved member.
struct StaffResetResult {
    std::optional<StaffRefusal> refusal;
    QStringList notices;
};
StaffResetResult ResetStaffPasswords(AppContext& ctx, qint64 conciergeId);

// Inside a transaction: other desks' checks against all accounts (initials,
// logon names, the last manager) wait until it ends, so two desks cannot both
// pass a check that only one of their writes may pass.
void HoldStaffChecks(Database& db);

// Active managers other than `exceptId`; the service accounts do not count.
// The last one may not be deleted, made inactive or lose the manager switch.
int ActiveManagersBesides(Database& db, qint64 exceptId);
inline const QString MsgOnlyActiveManager = QStringLiteral(
    "This is the only active manager (Authorized) account.  Another active manager is needed "
    "before this one is made inactive, loses the manager switch or is deleted.  Thank you.");

// cmdDelete: the confirmation to ask first (Yes/No).
QString DeleteStaffQuestion();
// Deletes the member with its rights row and personal lists in one
// transaction and writes the shared-log line.  Refuses yourself, a reserved
// account and the last active manager.
std::optional<StaffRefusal> DeleteStaffMember(AppContext& ctx, qint64 conciergeId);

// Message groups (Other rows "MsgGroup").  Each answers the refusal text, or
// empty when done.  A group a member still belongs to is not deleted.
QStringList StaffMessageGroups(AppContext& ctx);
QString AddStaffMessageGroup(AppContext& ctx, const QString& name);
QString ReplaceStaffMessageGroup(AppContext& ctx, const QString& oldName, const QString& newName);
QString DeleteMessageGroupQuestion();
QString DeleteStaffMessageGroup(AppContext& ctx, const QString& name);
// The add button's caption: "Replace" while a replacement is typed.
QString MessageGroupButtonCaption(const QString& selected, const QString& typed);

// The proposed employee id of a new member: "z" + four digits, one more than
// the largest such id stored.
QString NextEmployeeId(AppContext& ctx);

} // namespace vm
