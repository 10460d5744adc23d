#include "core/Staff.h"

#include "core/DataAccess.h"
#include "core/FactoryData.h"
#include "core/Formats.h"

namespace vm {

bool IsReservedAccount(const QString& displayName) {
    const QString n = displayName.trimmed().toUpper();
    return n == "SUPPORT PROFILE" || n == "ORVANTA SUPPORT" || n == "CONCIERGE BELLHOP";
}

QList<StaffEntry> GetAllConcierges(Database& db, bool withMessageGroups) {
    QList<StaffEntry> out;
    if (withMessageGroups) out.append({0, "*All Vm Users", false});
    for (const Row& r :
         db.query("SELECT [ConciergeID], [Concierge], [Initials], [DNIMessages] FROM "
                  "[Concierge] WHERE [Status] = 'A' AND [LSkillsOnly] = ? ORDER BY "
                  "[Concierge]",
                  {false})) {
        if (IsReservedAccount(r.text("Concierge"))) continue;
        const QString text = withMessageGroups
                                 ? r.text("Concierge")
                                 : r.text("Concierge") + " (" + r.text("Initials") + ")";
        out.append({r.number("ConciergeID"), text, r.flag("DNIMessages")});
    }
    if (withMessageGroups && db.tableExists("Other"))
        for (const Row& r : db.query("SELECT [OtherValue] FROM [Other] WHERE [OtherType] = "
                                     "'MsgGroup' ORDER BY [OtherValue]"))
            out.append({0, "*" + r.trimmedText("OtherValue"), false});
    return out;
}

QList<StaffEntry> GetAllConcierges4Edit(Database& db) {
    QList<StaffEntry> out;
    for (const Row& r :
         db.query("SELECT * FROM [Concierge] ORDER BY [LSkillsOnly] DESC, [Concierge]")) {
        if (IsReservedAccount(r.text("Concierge"))) continue;
        QString mark;
        if (r.flag("LSkillsOnly"))
            mark = "  (Language Only)";
        else if (r.text("Status") == "I")
            mark = "  (Inactive)";
        else if (r.flag("Restricted"))
            mark = "  (Restricted)";
        else if (r.flag("Authorized"))
            mark = "  (Authorized)";
        out.append({r.number("ConciergeID"), r.text("Concierge") + mark, r.flag("DNIMessages")});
    }
    return out;
}

QList<StaffEntry> GetAllConcierges2Clone(Database& db, bool restricted, bool authorized) {
    QList<StaffEntry> out;
    for (const Row& r : db.query("SELECT [ConciergeID], [Concierge], [Initials] FROM [Concierge] "
                                 "WHERE [Status] = 'A' AND [Restricted] = ? AND [Authorized] = ? "
                                 "AND [LSkillsOnly] = ? ORDER BY [Concierge]",
                                 {restricted, authorized, false}))
        if (!IsReservedAccount(r.text("Concierge")))
            out.append({r.number("ConciergeID"), r.text("Concierge"), false});
    return out;
}

std::optional<Row> GetConciergeInformation(Database& db, qint64 id) {
    return db.queryOne("SELECT * FROM [Concierge] WHERE [ConciergeID] = ?", {id});
}

QString GetConciergeNameFromID(Database& db, qint64 id) {
    const QVariant v =
        db.scalar("SELECT [Concierge] FROM [Concierge] WHERE [ConciergeID] = ?", {id});
    return v.isValid() ? v.toString() : QString();
}

ConciergePlusL GetConciergePlusL(Database& db, qint64 id) {
    ConciergePlusL out;
    auto r = db.queryOne("SELECT [HoursShift], [AllLogs], [AllRentals], [WorkSchedule] FROM "
                         "[Concierge] WHERE [ConciergeID] = ?",
                         {id});
    if (!r) return out;
    out.hoursShift = r->text("HoursShift");
    out.allLogs = r->flag("AllLogs");
    out.allRentals = r->flag("AllRentals");
    out.workSchedule = r->text("WorkSchedule").trimmed().isEmpty() ? "0" : r->text("WorkSchedule");
    return out;
}

QList<StaffLanguage> GetStaffbyLanguage(Database& db, const QString& language) {
    QList<StaffLanguage> out;
    for (const Row& r : db.query(
             "SELECT [NoteField], [Concierge], [JobTitle], [Telephone], [WorkSchedule], "
             "[HoursShift] FROM [EvConText] INNER JOIN [Concierge] ON [EvConText].[EvConKey] = "
             "[Concierge].[ConciergeID] WHERE [EvConType] = 'L' AND [NoteField] = ? ORDER BY "
             "[Concierge]",
             {language}))
        out.append({r.text("NoteField"), r.text("Concierge"), r.text("JobTitle"),
                    r.text("Telephone"), r.text("WorkSchedule"), r.text("HoursShift")});
    return out;
}

qint64 InsertConcierge(AppContext& ctx, const NewConcierge& c) {
    Database& db = ctx.db();
    const QString today = Formats::StoredDate(ctx.clock().today());
    qint64 id = 0;
    db.transaction([&] {
        id = db.insert(
            "INSERT INTO [Concierge] ([UserProfile], [Initials], [Password], [CCViewPW], "
            "[Concierge], [MessageGroup], [EmailAddress], [Status], [LastLogon], [LastPWChange], "
            "[JobTitle], [EUserID], [WorkSchedule], [Authorized], [InhibitMsg], [DNIMessages], "
            "[Restricted], [AllLogs], [AllRentals], [ReadOnly], [LSkillsOnly], [Telephone], "
            "[OTConciergeID]) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, '0000000', ?, ?, ?, ?, "
            "?, ?, ?, ?, ?, ?)",
            {CleanSqlText(c.logonName),
             CleanSqlText(c.initials),
             c.passwordHash,
             c.ccViewHash,
             CleanSqlTextKeepAmp(c.name),
             CleanSqlText(c.messageGroup),
             CleanSqlText(c.email),
             c.inactive ? "I" : "A",
             today,
             today,
             CleanSqlText(c.jobTitle),
             CleanSqlText(c.employeeId),
             c.manager,
             c.inhibitMsg,
             c.dniMessages,
             c.restricted,
             c.allLogs,
             c.allRentals,
             c.readOnly,
             c.languageOnly,
             CleanSqlText(c.telephone),
             CleanSqlText(c.otConciergeId)},
            "ConciergeID");
        InsertConciergePlus(db, id, c.manager ? QChar('A') : c.restricted ? QChar('R') : QChar());
    });
    return id;
}

void UpdateConciergeLogBookName(Database& db, const QString& oldName, const QString& newName,
                                const QString& initials) {
    db.transaction([&] {
        db.exec("UPDATE [LogBook] SET [EnteredBy] = ?, [Initials] = ? WHERE [EnteredBy] = ?",
                {CleanSqlTextKeepAmp(newName), initials, CleanSqlTextKeepAmp(oldName)});
        db.exec("UPDATE [MsgTimer] SET [ConciergeName] = ? WHERE [ConciergeName] = ?",
                {CleanSqlTextKeepAmp(newName), CleanSqlTextKeepAmp(oldName)});
    });
}

} // namespace vm
