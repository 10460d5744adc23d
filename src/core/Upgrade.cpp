#include "core/Upgrade.h"

#include "core/DataAccess.h"
#include "core/FactoryData.h"
#include "core/Formats.h"
#include "core/LongText.h"
#include "core/Settings.h"
#include "core/schema/SchemaBuilder.h"

#include <QFileInfo>
#include <QSet>

namespace vm {

using namespace schema;

namespace {

// Tables, columns and indexes the declarations assign to `level`.
void applyDeclaredChanges(Database& db, int level) {
    QSet<QString> existing;
    for (const QString& name : db.tables())
        existing.insert(name.toLower());
    for (const Table& t : Registry::all().tables()) {
        if (!(t.stores & Current)) continue;
        const bool present = existing.contains(t.name.toLower());
        if (t.createdAt == level) {
            if (!present) CreateTable(db, t, level);
            continue;
        }
        if (t.createdAt > level || !present) continue;
        for (const Column& c : t.columns)
            if (c.addedAt == level) AddColumn(db, t, c);
        for (const Index& ix : t.indexes)
            if (ix.addedAt == level) CreateIndex(db, t, ix);
    }
}

void step81046(AppContext& ctx) {
    Database& db = ctx.db();
    const QString today = Formats::StoredDate(ctx.clock().today());
    const QString initials = CleanSqlText(ctx.session.initials);
    for (const Row& r : db.query("SELECT [EventID], [DocumentLink] FROM [Event] WHERE "
                                 "[DocumentLink] <> '' AND [DocumentLink] <> ' '"))
        db.exec("UPDATE [Event] SET [LUInitials] = ?, [UpdateDate] = ?, [DocumentLink] = ? WHERE "
                "[EventID] = ?",
                {initials, today, r.text("DocumentLink"), r.value("EventID")});
}

void step81051(AppContext& ctx) {
    ctx.db().exec("UPDATE [FailedLogOns] SET [MsgSource] = 'U'");
}

void step81052(AppContext& ctx) {
    Database& db = ctx.db();
    const qint64 count =
        db.scalar("SELECT COUNT([LogID]) AS [CountEm] FROM [LogBook]").toLongLong();
    if (count > 0)
        ctx.prompt().message("We will be updating " + QString::number(count) + " Logbook entries." +
                                 CRLF + CRLF + "Please do not interrupt this process." + CRLF +
                                 CRLF + "Velmora will appear when this is complete." + CRLF + CRLF +
                                 "It may take a few minutes." + CRLF + CRLF +
                                 "Press OK to proceed with the update now." + CRLF + CRLF,
                             {}, Icon::Information);
    auto convert = [&](const QString& table, const QString& key) {
        for (const Row& r : db.query("SELECT [" + key + "], [ReferTime] FROM [" + table +
                                     "] WHERE [ReferTime] IS NOT NULL")) {
            const QString old = r.trimmedText("ReferTime");
            if (old.isEmpty() || old == "00") continue;
            const QString time = ConvertReferTimeCode(old);
            if (time != old)
                db.exec("UPDATE [" + table + "] SET [ReferTime] = ? WHERE [" + key + "] = ?",
                        {time, r.value(key)});
        }
    };
    convert("LogBook", "LogID");
    convert("GroupLog", "GroupLogID");
}

void step81053(AppContext& ctx) {
    ctx.db().exec("UPDATE [Concierge] SET [AllRentals] = ? WHERE [Restricted] = ?", {true, false});
}

void step81055(AppContext& ctx) {
    ctx.db().exec("UPDATE [Authorization] SET [PMSDateType] = 'YYYY/MM/DD'");
}

void step81058(AppContext& ctx) {
    for (const auto& [from, to] : {std::pair{"F", "F0"}, {"H", "H0"}, {"S", "S0"}})
        ctx.db().exec("UPDATE [EvConText] SET [EvConType] = ? WHERE [EvConType] = ?", {to, from});
}

void step81062(AppContext& ctx) {
    // Rows that never had the column get the first switch; rights already
    // stored are kept (overwriting them would take rights away from staff).
    ctx.db().exec(
        "UPDATE [ConciergePlus] SET [Others] = '1' WHERE [Others] IS NULL OR [Others] = ''");
}

void step81064(AppContext& ctx) {
    change_field_size(ctx.db(), "LostAndFound", "ItemText", 250);
    change_field_size(ctx.db(), "LostAndFound", "EmailAddress", 250);
    Database& db = ctx.db();
    if (db.tableExists("LostAndFoundUdCats") &&
        db.scalar("SELECT COUNT(*) FROM [LostAndFoundUdCats]").toLongLong() == 0)
        db.exec("INSERT INTO [LostAndFoundUdCats] DEFAULT VALUES");
}

using StepFn = void (*)(AppContext&);

struct Step {
    int level;
    StepFn extra; // the step's own data work, after the declared schema changes
};

const QList<Step>& steps() {
    static const QList<Step> s = {
        {81046, step81046}, {81047, nullptr},   {81048, nullptr},   {81050, nullptr},
        {81051, step81051}, {81052, step81052}, {81053, step81053}, {81054, nullptr},
        {81055, step81055}, {81056, nullptr},   {81057, nullptr},   {81058, step81058},
        {81059, nullptr},   {81060, nullptr},   {81061, nullptr},   {81062, step81062},
        {81063, nullptr},   {81064, step81064}, {81065, nullptr},   {81066, nullptr},
    };
    return s;
}

Table spaSoftMappingTable() {
    Table t;
    t.name = "SpaSoftLogbookMapping";
    t.owner = "core";
    t.lng("ID")
        .key({"ID"})
        .lng("LogbookCategoryID")
        .lng("VmElementID")
        .text("SpaSoftElementName", 100)
        .text("SpaSoftElementNameFriendly", 100);
    return t;
}

} // namespace

const QList<int>& LadderLevels() {
    static const QList<int> levels = [] {
        QList<int> l;
        for (const Step& s : steps())
            l << s.level;
        return l;
    }();
    return levels;
}

QString ConvertReferTimeCode(const QString& stored) {
    const QString s = stored.trimmed();
    bool isNumber = false;
    const int code = s.toInt(&isNumber);
    // Texts that already read as a clock time are left as they are.
    if (!isNumber) return stored;
    static const char* slotTimes[] = {"08:00", "10:00", "12:00", "15:00", "18:00", "20:00"};
    if (code == 0) return {};
    if (code >= 1 && code <= 6) return slotTimes[code - 1];
    // Larger codes count minutes from 23:30 (wrapping past midnight).
    return Formats::Time24(QTime(23, 30).addSecs(qint64(code) * 60));
}

void UpdateDBLevel(Database& db, int level) {
    db.exec("UPDATE [Authorization] SET [DBUpdateLevel] = ?", {level});
}

int StoredLevel(Database& db) {
    return db.scalar("SELECT [DBUpdateLevel] FROM [Authorization]").toInt();
}

void CreateBaseDatabase(Database& db, const Clock& clock) {
    db.transaction([&] {
        db.deferStatements();
        for (const Table& t : Registry::all().tables())
            if ((t.stores & Current) && t.createdAt == 0) CreateTable(db, t, BaseLevel);
        db.flushDeferred();
        InsertFactoryData(db, clock);
        UpdateDBLevel(db, BaseLevel);
    });
}

void RunUpgradeLadder(AppContext& ctx, const UpgradeHooks& hooks) {
    Database& db = ctx.db();
    for (const Step& s : steps()) {
        if (StoredLevel(db) >= s.level) continue;
        db.transaction([&] {
            if (hooks.beforeStep) hooks.beforeStep(s.level);
            applyDeclaredChanges(db, s.level);
            if (s.extra) s.extra(ctx);
            UpdateDBLevel(db, s.level);
        });
    }
}

void RunEveryStartSteps(AppContext& ctx) {
    Database& db = ctx.db();
    // Trigram indexes of "contains" searches, a server's joint statistics and
    // the row versions of records edited in place: the program's own additions, not schema levels, so a
    // database made before them gets them here (a new one has them already).
    for (const Table& t : Registry::all().tables()) {
        if (!(t.stores & Current) ||
            (t.substringSearch.isEmpty() && !t.versioned && t.jointStatistics.isEmpty()) ||
            !db.tableExists(t.name))
            continue;
        if (!t.substringSearch.isEmpty()) EnsureSubstringIndex(db, t);
        EnsureJointStatistics(db, t);
        if (t.versioned) db.transaction([&] { EnsureRowVersion(db, t); });
    }
    if (!GetVmSetting(db, "SpaSoftPropertyID").trimmed().isEmpty() &&
        !db.tableExists("SpaSoftLogbookMapping")) {
        static const QList<std::tuple<int, const char*, const char*>> rows = {
            {1, "ActivityUniqueID", "Activity ID"},
            {2, "ActivityType", "Type"},
            {3, "ActivityLocation", "Location"},
            {4, "ActivityName", "Name"},
            {5, "NumberOfPersons", "Number of Persons"},
            {6, "ActivityDescription", "Description"},
            {7, "GroupCode", "Group Code"},
            {8, "Amount", "Amount"},
            {9, "AmountCurrency", "Type of Currency"},
            {10, "DespositRequired", "Deposit Required"},
            {11, "PersonNames", "Person Names"},
            {12, "ProviderName", "Provider"},
            {13, "FacilityName", "Facility"},
            {14, "ReservationNumber", "Reservation Number"},
        };
        db.transaction([&] {
            CreateTable(db, spaSoftMappingTable(), CurrentLevel);
            for (const auto& [id, name, friendly] : rows)
                db.exec("INSERT INTO [SpaSoftLogbookMapping] ([ID], [SpaSoftElementName], "
                        "[SpaSoftElementNameFriendly]) VALUES (?, ?, ?)",
                        {id, name, friendly});
        });
    }
    // A category's correspondence letter was once kept under "C", the code of
    // a contact's notes, so the two overwrote each other when their keys met.
    // Databases of that time held no contacts yet: every such row is a letter.
    if (GetVmSetting(db, "CategoryLetterCode") != TextKind::CategoryCorrespondence)
        db.transaction([&] {
            db.exec("UPDATE [EvConText] SET [EvConType] = ? WHERE [EvConType] = 'C' AND "
                    "[EvConKey] IN (SELECT [LogTypeID] FROM [LogType])",
                    {TextKind::CategoryCorrespondence});
            SetValueFromKey(db, "CategoryLetterCode", TextKind::CategoryCorrespondence);
        });
    if (GetBooleanSetting(db, "EnhancedEncryption"))
        db.exec("DELETE FROM [Concierge] WHERE [Concierge] = ?", {"Orvanta Support"});
    if (ctx.start.masked) {
        const QString stored = GetVmSetting(db, "SendToSyslog");
        if (stored.trimmed().isEmpty()) {
            const bool present =
                QFileInfo::exists(ctx.workstation.programFolder + "/VerifyEID") ||
                QFileInfo::exists(ctx.workstation.programFolder + "/VerifyEID.exe");
            SetValueFromKey(db, "SendToSyslog", present ? "True" : "False");
            ctx.start.sendToSyslog = present;
        } else {
            ctx.start.sendToSyslog = stored.trimmed().toUpper() == "TRUE";
        }
    }
}

} // namespace vm
