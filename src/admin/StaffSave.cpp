#include "admin/RightsLayout.h"
#include "admin/StaffEditor.h"
#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/FactoryData.h"
#include "core/Staff.h"
#include "desk/Messages.h"
#include "security/Audit.h"
#include "security/PasswordPolicy.h"

namespace vm {

namespace {

StaffRefusal refuse(const QString& text, const QString& field, const QString& title = {}) {
    return StaffRefusal{text, title, field};
}

QString upper(const QString& s) {
    return s.trimmed().toUpper();
}

// Another account has these initials, whatever their letter case.
bool initialsTaken(Database& db, const QString& initials, qint64 exceptId) {
    return db
        .scalar("SELECT COUNT(*) FROM [Concierge] WHERE upper(trim([Initials])) = ? AND "
                "[ConciergeID] <> ?",
                {upper(initials), exceptId})
        .toInt() > 0;
}

const QString MsgInitialsInUse = "The Initials entered are already in use by another" + CRLF +
                                 "concierge.  Because we use the initials to identify" + CRLF +
                                 "who created Logbook entries the initials must be" + CRLF +
                                 "unique.  Please change the initials.  Thank you.";

// The checks that need the other accounts: initials, logon name, the last manager.
std::optional<StaffRefusal> checkAgainstOthers(Database& db, const StaffMember& m,
                                               const std::optional<StaffMember>& stored) {
    if (initialsTaken(db, m.initials, m.id)) return refuse(MsgInitialsInUse, StaffField::Initials);
    // Two accounts of one logon name could not be told apart at the logon
    // (after a reset both passwords are the name itself).
    const bool logonChanged = !stored || upper(stored->logonName) != upper(m.logonName);
    if (logonChanged) {
        const QString owner = StoredText(
            db.scalar("SELECT [Concierge] FROM [Concierge] WHERE upper(trim([UserProfile])) = ? "
                      "AND [ConciergeID] <> ?",
                      {upper(m.logonName), m.id})
                .toString());
        if (!owner.isEmpty())
            return refuse("The User Profile entered is already used by " + owner + "." + CRLF +
                              "Please enter another User Profile.  Thank you.",
                          StaffField::LogonName);
    }
    const bool wasActiveManager = stored && stored->manager && !stored->inactive;
    const bool staysActiveManager = m.manager && !m.inactive;
    if (wasActiveManager && !staysActiveManager && ActiveManagersBesides(db, m.id) == 0)
        return refuse(MsgOnlyActiveManager, m.inactive ? StaffField::Inactive : StaffField::Manager);
    return std::nullopt;
}

std::optional<StaffRefusal> fullCheck(AppContext& ctx, const StaffMember& m,
                                      const std::optional<StaffMember>& stored) {
    if (stored && IsReservedAccount(stored->name))
        return refuse("This is a Reserved Name.  You may not add/edit it.  Thank you.",
                      StaffField::Name);
    if (auto refusal = ValidateStaffMember(ctx, m)) return refusal;
    return checkAgainstOthers(ctx.db(), m, stored);
}

bool nameChanged(const std::optional<StaffMember>& stored, const StaffMember& m) {
    return stored && stored->name.trimmed() != m.name.trimmed();
}

// The strings to write: the areas the member carries, in their stored form.
QList<QPair<QString, QString>> rightsToWrite(const StaffMember& m) {
    QList<QPair<QString, QString>> out;
    for (const RightsRow& r : EditableRightsRows())
        if (m.rights.contains(r.area))
            out.append({r.column, NormalizedRights(r.area, m.rights.value(r.area))});
    return out;
}

bool rightsUntouched(const StaffMember& m) {
    for (auto it = m.rights.cbegin(); it != m.rights.cend(); ++it)
        if (NormalizedRights(it.key(), it.value()) != DefaultRights(it.key())) return false;
    return true;
}

void writeRights(Database& db, qint64 id, const QList<QPair<QString, QString>>& strings) {
    if (strings.isEmpty()) return;
    QStringList sets;
    QVariantList params;
    for (const auto& [column, value] : strings) {
        sets << "[" + column + "] = ?";
        params << value;
    }
    params << id;
    const QString update =
        "UPDATE [ConciergePlus] SET " + sets.join(", ") + " WHERE [ConciergeID] = ?";
    if (db.exec(update, params) == 0) {
        InsertConciergePlus(db, id);
        db.exec(update, params);
    }
}

void writeAccount(Database& db, const StaffMember& m) {
    db.exec("UPDATE [Concierge] SET [UserProfile] = ?, [Initials] = ?, [Concierge] = ?, "
            "[MessageGroup] = ?, [EmailAddress] = ?, [Status] = ?, [JobTitle] = ?, [EUserID] = ?, "
            "[Authorized] = ?, [InhibitMsg] = ?, [DNIMessages] = ?, [Restricted] = ?, "
            "[ReadOnly] = ?, [LSkillsOnly] = ?, [OTConciergeID] = ?, [Telephone] = ?, "
            "[WorkSchedule] = ?, [HoursShift] = ?, [AllLogs] = ?, [AllRentals] = ? "
            "WHERE [ConciergeID] = ?",
            {CleanSqlText(m.logonName), CleanSqlText(m.initials), CleanSqlTextKeepAmp(m.name),
             CleanSqlTextKeepAmp(m.messageGroups.join(",")), CleanSqlText(m.email),
             m.inactive ? "I" : "A", CleanSqlText(m.jobTitle), CleanSqlText(m.employeeId),
             m.manager, m.inhibitMsg, m.dniMessages, m.restricted, m.readOnly, m.languageOnly,
             CleanSqlText(m.otConciergeId), CleanSqlText(m.telephone),
             NormalizedSchedule(m.workSchedule), CleanSqlText(m.hoursShift), m.allLogs,
             m.allRentals, m.id});
}

qint64 insertAccount(AppContext& ctx, const StaffMember& m) {
    NewConcierge c;
    c.logonName = m.logonName;
    c.initials = m.initials;
    c.name = m.name;
    c.messageGroup = m.messageGroups.join(",");
    c.email = m.email;
    c.jobTitle = m.jobTitle;
    c.employeeId = m.employeeId;
    c.telephone = m.telephone;
    c.otConciergeId = m.otConciergeId;
    c.inactive = m.inactive;
    c.manager = m.manager;
    c.inhibitMsg = m.inhibitMsg;
    c.dniMessages = m.dniMessages;
    c.restricted = m.restricted;
    c.allLogs = m.allLogs;
    c.allRentals = m.allRentals;
    c.readOnly = m.readOnly;
    c.languageOnly = m.languageOnly;
    const qint64 id = InsertConcierge(ctx, c);
    // The first logon forces a change: both passwords start as the logon name.
    ResetPasswordL(ctx, id);
    ResetPasswordC(ctx, id);
    return id;
}

QString inactiveNotice(const QString& logon) {
    return "While changing this Concierge to Inactive status" + CRLF +
           "we have also reset the Password to be the same" + CRLF + "as the User Profile (" +
           logon + ").";
}

QString activeNotice(const QString& logon) {
    return "As you change this Concierge to Active status" + CRLF +
           "please remember that the Password has been set to" + CRLF + "the User Profile (" +
           logon + ") name.";
}

void sendAudit(AppContext& ctx, const std::optional<StaffMember>& stored, const StaffMember& m) {
    const QString actor = CurrentEmployeeId(ctx);
    const QString account = m.employeeId.trimmed();
    SendSyslogMessage(ctx, PCIDSS(stored ? PCIDSS::AccountModified : PCIDSS::AccountCreation, true,
                                  actor, account));
    if (stored && stored->manager != m.manager)
        SendSyslogMessage(ctx, PCIDSS(m.manager ? PCIDSS::AccountClassUpgrade
                                                : PCIDSS::AccountClassDowngrade,
                                      true, actor, account));
}

} // namespace

std::optional<StaffRefusal> ValidateStaffMember(AppContext& ctx, const StaffMember& m) {
    if (IsReservedAccount(m.name))
        return refuse("This is a Reserved Name.  You may not add/edit it.  Thank you.",
                      StaffField::Name);
    if (m.name.trimmed().isEmpty())
        return refuse("Please enter the Name of the Concierge.  Thank you.", StaffField::Name);
    if (m.initials.trimmed().isEmpty())
        return refuse("Please enter the Initials of the Concierge.  Thank you.",
                      StaffField::Initials);
    if (upper(m.initials) == "@@")
        return refuse(
            "This is a Reserved Set of Initials.  You may not add/edit it.  Thank you.",
            StaffField::Initials);
    if (m.logonName.trimmed().isEmpty())
        return refuse("Please enter a User Profile Name.  Thank you.", StaffField::LogonName);
    if (upper(m.logonName) == "SUPPORT")
        return refuse("This is a Reserved User Profile.  You may not add/edit it.  Thank you.",
                      StaffField::LogonName);
    if (!ctx.start.masked) return std::nullopt;
    const QString employeeId = m.employeeId.trimmed();
    if (employeeId.isEmpty())
        return refuse("The Network User ID is a required field. Please complete. Thank you. ",
                      StaffField::EmployeeId);
    const QVariant owner =
        ctx.db().scalar("SELECT [Concierge] FROM [Concierge] WHERE [ConciergeID] <> ? AND "
                        "[EUserID] = ?",
                        {m.id, CleanSqlText(employeeId)});
    if (owner.isValid())
        return refuse("The Network User ID entered is associated with " +
                          StoredText(owner.toString()) + "." + CRLF +
                          "Please verify the data entered. Thank you.",
                      StaffField::EmployeeId, "Network User ID Duplicate");
    return std::nullopt;
}

StaffSavePlan PlanStaffSave(AppContext& ctx, const StaffMember& m) {
    StaffSavePlan plan;
    std::optional<StaffMember> stored;
    if (m.id != 0) stored = LoadStaffMember(ctx, m.id);
    if (m.id != 0 && !stored) {
        plan.refusal = refuse(QStringLiteral("This Staff Member no longer exists.  Please choose "
                                             "the member from the list again."),
                              StaffField::Name);
        return plan;
    }
    plan.refusal = fullCheck(ctx, m, stored);
    if (plan.refusal) return plan;
    if (nameChanged(stored, m))
        plan.renameQuestion = "The Concierge Name has changed.  Do you wish" + CRLF +
                              "to have the Logbook entries associated with" + CRLF +
                              "this new name?";
    if (stored && !stored->inactive && m.inactive)
        plan.deleteMessagesQuestion =
            "Do you wish to delete ALL MESSAGES sent to " + m.name.trimmed() + "?";
    return plan;
}

StaffSaveResult SaveStaffMember(AppContext& ctx, StaffMember& member,
                                const StaffSaveAnswers& answers) {
    Database& db = ctx.db();
    StaffSaveResult result;
    std::optional<StaffMember> stored;
    StaffMember m = member;
    try {
        db.transaction([&] {
            HoldStaffChecks(db);
            if (m.id != 0) {
                if (!LockRowForBooking(db, "Concierge", "ConciergeID", m.id) ||
                    !(stored = LoadStaffMember(ctx, m.id))) {
                    result.refusal = refuse(
                        QStringLiteral("This Staff Member no longer exists.  Please choose the "
                                       "member from the list again."),
                        StaffField::Name);
                    return;
                }
            }
            result.refusal = fullCheck(ctx, m, stored);
            if (result.refusal) return;

            const bool isNew = m.id == 0;
            if (isNew) m.id = insertAccount(ctx, m);
            writeAccount(db, m);
            if (!isNew || !rightsUntouched(m)) writeRights(db, m.id, rightsToWrite(m));
            ReplaceStaffList(ctx, m.id, StaffList::Categories, m.categories);
            ReplaceStaffList(ctx, m.id, StaffList::SecondCategories, m.secondCategories);
            ReplaceStaffList(ctx, m.id, StaffList::Languages, m.languages);

            const bool renamed = nameChanged(stored, m) && answers.renameLogbook;
            if (renamed)
                UpdateConciergeLogBookName(db, stored->name, m.name.trimmed(),
                                           CleanSqlText(m.initials));
            const QString logon = m.logonName.trimmed();
            if (stored && !stored->inactive && m.inactive) {
                ResetPasswordL(ctx, m.id);
                result.notices << inactiveNotice(logon);
                if (answers.deleteMessages)
                    result.messagesDeleted =
                        DeleteMessages(ctx, MsgDelete::InactiveStaff,
                                       renamed ? m.name.trimmed() : stored->name);
            } else if (stored && stored->inactive && !m.inactive) {
                // The reminder below must hold even when the logon name changed
                // while the member was inactive.
                ResetPasswordL(ctx, m.id);
                result.notices << activeNotice(logon);
            }
        });
    } catch (const DbError&) {
        // Another desk saved the same initials between the check and the write.
        if (!initialsTaken(db, m.initials, member.id)) throw;
        result.refusal = refuse(MsgInitialsInUse, StaffField::Initials);
    }
    if (result.refusal) {
        result.notices.clear();
        result.messagesDeleted = 0;
        return result;
    }
    member.id = result.id = m.id;
    sendAudit(ctx, stored, m);
    return result;
}

} // namespace vm
