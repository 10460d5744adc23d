#include "admin/StaffEditor.h"
#include "bookings/BookingTimes.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Staff.h"
#include "core/TextLog.h"
#include "desk/Messages.h"
#include "security/Audit.h"
#include "security/PasswordPolicy.h"

namespace vm {

namespace {

const QString MsgGroupMissing =
    "The Message Group does not exist" + CRLF + "in the list of available types.";

std::optional<StaffRefusal> deletionRefusal(AppContext& ctx, const Row& account) {
    const qint64 id = account.number("ConciergeID");
    if (id == ctx.session.conciergeId)
        return StaffRefusal{QStringLiteral("You are logged on as this Staff Member and may not "
                                           "delete your own record.  Thank you."),
                            {},
                            {}};
    if (IsReservedAccount(account.text("Concierge")))
        return StaffRefusal{
            QStringLiteral("This is a Reserved Account.  You may not delete it.  Thank you."),
            {},
            {}};
    const bool activeManager = account.flag("Authorized") && account.text("Status").trimmed() != "I";
    if (activeManager && ActiveManagersBesides(ctx.db(), id) == 0)
        return StaffRefusal{MsgOnlyActiveManager, {}, {}};
    return std::nullopt;
}

} // namespace

void HoldStaffChecks(Database& db) {
    // SQLite's writer lock already serialises the transactions.
    if (db.engine() == Engine::PostgreSQL && db.inTransaction())
        db.query("SELECT [DBUpdateLevel] FROM [Authorization] FOR UPDATE");
}

int ActiveManagersBesides(Database& db, qint64 exceptId) {
    HoldStaffChecks(db);
    int n = 0;
    for (const Row& r : db.query("SELECT [Concierge] FROM [Concierge] WHERE [Status] = 'A' AND "
                                 "[Authorized] = ? AND [ConciergeID] <> ?",
                                 {true, exceptId}))
        if (!IsReservedAccount(r.text(0))) ++n;
    return n;
}

StaffResetResult ResetStaffPasswords(AppContext& ctx, qint64 conciergeId) {
    StaffResetResult result;
    Database& db = ctx.db();
    QString logon, employeeId;
    db.transaction([&] {
        const std::optional<Row> r =
            conciergeId == 0 ? std::nullopt : GetConciergeInformation(db, conciergeId);
        if (!r) {
            result.refusal = StaffRefusal{"Please <Save> the Concierge Information before " +
                                              CRLF + "resetting passwords.",
                                          {},
                                          {}};
            return;
        }
        logon = StoredText(r->text("UserProfile"));
        employeeId = StoredText(r->text("EUserID"));
        ResetPasswordL(ctx, conciergeId);
        ResetPasswordC(ctx, conciergeId);
    });
    if (result.refusal) return result;
    result.notices << "We have reset the Logon Password to be the same" + CRLF +
                          "as the User Profile (" + logon + ")."
                   << "We have reset the Credit Card Decryption Password to be the same" + CRLF +
                          "as the User Profile (" + logon + ").";
    SendSyslogMessage(ctx, PCIDSS(PCIDSS::AccountModified, true, CurrentEmployeeId(ctx), employeeId));
    return result;
}

QString DeleteStaffQuestion() {
    return "Please confirm that you wish to Delete this" + CRLF +
           "Concierge record by pressing the <Yes> key." + CRLF + CRLF +
           "Note:  If you choose to delete this record you" + CRLF +
           "will not be able to select entries by Concierge" + CRLF +
           "but will be able to see entries using the other" + CRLF + "selection options.";
}

std::optional<StaffRefusal> DeleteStaffMember(AppContext& ctx, qint64 conciergeId) {
    Database& db = ctx.db();
    std::optional<StaffRefusal> refusal;
    QString name, employeeId;
    db.transaction([&] {
        HoldStaffChecks(db); // first, as the save takes it: never two locks in two orders
        std::optional<Row> account;
        if (LockRowForBooking(db, "Concierge", "ConciergeID", conciergeId))
            account = GetConciergeInformation(db, conciergeId);
        if (!account) {
            refusal = StaffRefusal{QStringLiteral("This Staff Member no longer exists."), {}, {}};
            return;
        }
        if ((refusal = deletionRefusal(ctx, *account))) return;
        name = StoredText(account->text("Concierge"));
        employeeId = StoredText(account->text("EUserID"));
        db.exec("DELETE FROM [EvConText] WHERE [EvConKey] = ? AND [EvConType] IN (?, ?, ?)",
                {conciergeId, StaffList::Categories, StaffList::SecondCategories,
                 StaffList::Languages});
        db.exec("DELETE FROM [ConciergePlus] WHERE [ConciergeID] = ?", {conciergeId});
        db.exec("DELETE FROM [Concierge] WHERE [ConciergeID] = ?", {conciergeId});
    });
    if (refusal) return refusal;
    LogMessage(ctx.start.databaseFolder,
               "User: " + ctx.session.name + " Deleted the Staff Member: " + name +
                   " on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
    SendSyslogMessage(ctx,
                      PCIDSS(PCIDSS::AccountDeletion, true, CurrentEmployeeId(ctx), employeeId));
    return std::nullopt;
}

QStringList StaffMessageGroups(AppContext& ctx) {
    return GetMessageGroups(ctx.db());
}

QString AddStaffMessageGroup(AppContext& ctx, const QString& name) {
    return InsertMsgGroup(ctx, name);
}

QString ReplaceStaffMessageGroup(AppContext& ctx, const QString& oldName,
                                 const QString& newName) {
    return RenameMsgGroup(ctx, oldName, newName);
}

QString DeleteMessageGroupQuestion() {
    return "Press <Yes> to DELETE this Message Group." + CRLF +
           "Press <No> if you DO NOT wish to delete.";
}

QString DeleteStaffMessageGroup(AppContext& ctx, const QString& name) {
    const QString wanted = name.trimmed();
    bool exists = false;
    for (const QString& g : StaffMessageGroups(ctx))
        exists = exists || g.compare(wanted, Qt::CaseInsensitive) == 0;
    if (!exists) return MsgGroupMissing;
    const int members = CountGroupMembers(ctx.db(), wanted);
    if (members > 0)
        return "The Message Group " + wanted + " is still used by " + QString::number(members) +
               (members == 1 ? " Staff Member" : " Staff Members") +
               ".  Please remove it from their accounts before deleting it.";
    DeleteMsgGroup(ctx, wanted);
    return {};
}

QString MessageGroupButtonCaption(const QString& selected, const QString& typed) {
    const bool replacing = !selected.trimmed().isEmpty() && !typed.trimmed().isEmpty() &&
                           selected.trimmed().compare(typed.trimmed(), Qt::CaseInsensitive) != 0;
    return replacing ? QStringLiteral("Replace") : QStringLiteral("Add Group");
}

} // namespace vm
