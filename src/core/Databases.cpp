#include "core/Databases.h"

#include "core/CardKey.h"
#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/schema/SchemaBuilder.h"

#include <QFileInfo>

namespace vm {

namespace {

const QString LF = QStringLiteral("\n");

// A database is new when it has no settings row yet.
void createWhenNew(AppContext& ctx, Database& db) {
    if (!db.tableExists("Authorization")) CreateBaseDatabase(db, ctx.clock());
}

bool purgeDueToday(AppContext& ctx) {
    if (!ctx.db().tableExists("VmSettings")) return false;
    const int days = GetVmSetting(ctx.db(), "Purge_CC_N_Days", "0").trimmed().toInt();
    // The purge writes its day as a short date; older rows may hold the stored form.
    const QString last = GetVmSetting(ctx.db(), "Purge_Last_Run").trimmed();
    QDate lastRun = Formats::ParseShortDate(last);
    if (!lastRun.isValid()) lastRun = Formats::ParseStoredDate(last);
    return days >= 1 && lastRun != ctx.clock().today();
}

bool isDesktopProgram(const AppContext& ctx) {
    const QString exe = ctx.workstation.executableName;
    return exe.compare("velmora", Qt::CaseInsensitive) == 0 || exe == "VelmM" || exe == "@VelmM";
}

} // namespace

QString DatabaseFileName(const QString& baseName) {
    return baseName + ".db";
}

DbLocation LocationFor(const AppContext& ctx, const QString& baseName, const QString& folder) {
    DbLocation loc;
    if (!ctx.start.postgres.isEmpty()) {
        // One server database holds the current, archive and common databases,
        // each in a schema of its own.
        loc.engine = Engine::PostgreSQL;
        QStringList keywords;
        loc.database = "velmora";
        for (const auto& [k, v] : parseConnInfo(ctx.start.postgres)) {
            if (k == "dbname")
                loc.database = v;
            else
                keywords << k + "=" + v;
        }
        loc.connInfo = keywords.join(' ');
        loc.schema = (ctx.start.postgresSchemaPrefix + baseName).toLower();
        return loc;
    }
    loc.engine = Engine::SQLite;
    loc.file = (folder.isEmpty() ? ctx.start.databaseFolder : folder) + DatabaseFileName(baseName);
    return loc;
}

void CloseDatabase(AppContext& ctx) {
    if (ctx.current) ctx.current->close();
    if (ctx.common) ctx.common->close();
    if (ctx.archive) ctx.archive->close();
    ctx.current.reset();
    ctx.common.reset();
    ctx.archive.reset();
}

int OpenDatabase(AppContext& ctx, const QString& mode, const UpgradeHooks& hooks) {
    CloseDatabase(ctx);
    ctx.start.writable = false;
    ctx.start.localBackup = false;
    Q_UNUSED(mode); // engines lock per statement; exclusive use is the maintenance tool's
    try {
        ctx.start.openingLabel = "ARCHIVE";
        ctx.archive = Database::open(LocationFor(ctx, ctx.start.archiveBase));
        schema::EnsureStoreSchema(*ctx.archive, schema::Archive);
        ctx.start.openingLabel = "CURRENT";
        ctx.current = Database::open(LocationFor(ctx, ctx.start.currentBase));
        createWhenNew(ctx, *ctx.current);
    } catch (const DbError& e) {
        ctx.start.lastOpenError = e.description();
        ctx.prompt().message(
            ErrorReportText(e.number(), e.description(), "OpenDatabase", "modWhereDB"), {},
            Icon::Exclamation);
        CloseDatabase(ctx);
        if (e.number() == DbErrorNumber::DamagedFile) return e.number();
        if (e.number() == DbErrorNumber::NoAccess) {
            ctx.prompt().message(
                "We cannot open the database.  There is an opportunity with the security "
                "settings on your server (Users MUST have ALL rights) OR the database is already "
                "opened for exclusive use (Purge and/or Repair and Compact) OR the database has "
                "the READ-ONLY attribute set as True." +
                    LF + LF + "File Location: " + ctx.start.databaseFolder + LF + LF +
                    QString::number(e.number()) + ":  " + e.description(),
                {}, Icon::Critical);
            return e.number();
        }
        // A copy of the current database beside the program is opened read-only.
        const QString local =
            ctx.workstation.programFolder + "/" + DatabaseFileName(ctx.start.currentBase);
        if (!isDesktopProgram(ctx) || !QFileInfo::exists(local) || !ctx.start.postgres.isEmpty())
            return e.number();
        ctx.prompt().message("Could Not Open " + ctx.start.databaseFolder + ctx.start.currentBase +
                                 ".MDB." + LF + LF +
                                 "Will open the Local Database for READ-ONLY access.  Thank you.",
                             {}, Icon::Information);
        try {
            DbLocation loc;
            loc.file = local;
            loc.readOnly = true;
            ctx.current = Database::open(loc, false);
            ctx.start.localBackup = true;
        } catch (const DbError& e2) {
            ctx.start.lastOpenError = e2.description();
            return e2.number();
        }
    }

    try {
        ctx.globals.commonContacts = GetBooleanSetting(ctx.db(), "CommonContacts");
        ctx.globals.commonEvents = GetBooleanSetting(ctx.db(), "CommonEvents");
        LoadCardKey(ctx);
        ctx.start.openingLabel.clear();
        ctx.start.purgeAtStart = purgeDueToday(ctx);
    } catch (const DbError& e) {
        ctx.start.lastOpenError = e.description();
        ctx.prompt().message(
            ErrorReportText(e.number(), e.description(), "OpenDatabase", "modWhereDB"), {},
            Icon::Exclamation);
        CloseDatabase(ctx);
        return e.number();
    }

    if (ctx.globals.commonContacts || ctx.globals.commonEvents) {
        QString folder = GetTextSetting(ctx.db(), "CommonContacts").trimmed();
        if (!folder.isEmpty() && !folder.endsWith('/')) folder += '/';
        try {
            ctx.common = Database::open(LocationFor(ctx, ctx.start.commonBase, folder),
                                        !ctx.start.postgres.isEmpty());
            if (!ctx.start.localBackup) schema::EnsureStoreSchema(*ctx.common, schema::Common);
        } catch (const DbError& e) {
            ctx.start.lastOpenError = e.description();
            return DbErrorNumber::CommonDatabase;
        }
    }

    if (!ctx.start.localBackup) {
        const int stop = GetGlobalValues(ctx, hooks);
        if (stop > 0) return stop;
        ctx.start.writable = true;
    } else {
        LoadGlobals(ctx);
    }
    return 0;
}

int GetGlobalValues(AppContext& ctx, const UpgradeHooks& hooks) {
    try {
        const int level = StoredLevel(ctx.db());
        if (level < schema::BaseLevel) {
            ctx.prompt().message(
                "You must update Velmora to Version 8.6.002" + CRLF +
                    " with Database Update Level of 81045 before installing this" + CRLF +
                    "Version.  You can check your Version and Database Level" + CRLF +
                    "by pressing F8 in Velmora." + CRLF + CRLF +
                    "Orvanta Technical Support: support@orvanta.example, +1 555 0100" + CRLF +
                    CRLF + "The program will now terminate.  Thank you.",
                {}, Icon::Critical);
            CloseDatabase(ctx);
            return 1;
        }
        RunUpgradeLadder(ctx, hooks);
        RunEveryStartSteps(ctx);
        LoadGlobals(ctx);
        return 0;
    } catch (const std::exception& e) {
        // The ladder stopped at the step that failed; that step left nothing
        // behind and runs again at the next start.
        ReportError(ctx.prompt(), e, "GetGlobalValues", "modWhereDB");
        CloseDatabase(ctx);
        return 1;
    }
}

QString OpenFailureMessage(const AppContext& ctx, int number) {
    const QString label = ctx.start.openingLabel;
    switch (number) {
    case 0:
        return {};
    case DbErrorNumber::DamagedFile:
        return "        Your " + label + " Database needs to be Repaired." + LF +
               "================================" + LF + LF +
               "Please Launch The Vm Maintenance program" + LF + "to Repair and Compact your " +
               label + " Database";
    case DbErrorNumber::CommonDatabase:
        return LF + LF + "Could Not Open the Common Contacts Database at " +
               (ctx.current ? GetTextSetting(*ctx.current, "CommonContacts") : QString()) +
               ".  Please verify the path and rerun the enabler program. " + LF + LF + "Thank you.";
    default:
        return "Could Not Open the " + label + " Database at " + ctx.start.databaseFolder + LF +
               LF + LF + "Please contact your Help Desk or System Administrator. " + LF + LF +
               "The Error Number is: " + QString::number(number) + LF +
               "The Error Message is: " + ctx.start.lastOpenError + LF + LF + LF + "Thank you.";
    }
}

Icon OpenFailureIcon(int number) {
    return number == DbErrorNumber::DamagedFile ? Icon::Critical : Icon::Exclamation;
}

bool TableExists(AppContext& ctx, const QString& table) {
    return ctx.db().tableExists(table);
}

bool FieldExists(AppContext& ctx, const QString& table, const QString& field) {
    return ctx.db().columnExists(table, field);
}

} // namespace vm
