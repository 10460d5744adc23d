#include "security/Logon.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "platform/PasswordHash.h"
#include "platform/RegistryValues.h"
#include "security/Audit.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>

namespace vm {

namespace {
QString normalized(const QString& password) {
    return password.trimmed().toUpper();
}

QString auditTail(const AppContext& ctx) {
    return " on: " + Formats::AuditStamp(ctx.clock().now()) +
           " at PC Named: " + ctx.workstation.computerName;
}

void log(const AppContext& ctx, const QString& line) {
    LogMessage(ctx.start.databaseFolder, line, ctx.clock());
}

// The row of the account whose stored password the typed one verifies
// against.  Logon names are not unique, so every row of the name is tried.
// When no row had a hash to check, a decoy check takes its place: an unknown
// name must not answer faster than a known one.
std::optional<Row> verifiedRow(Database& db, const QString& logonName, const QString& password) {
    bool checked = false;
    for (const Row& r :
         db.query("SELECT * FROM [Concierge] WHERE [UserProfile] = ?", {logonName.trimmed()})) {
        const QString stored = r.text("Password");
        checked = checked || LooksHashed(stored);
        if (CheckPasswordHash(password, stored)) return r;
    }
    if (!checked) CheckPasswordHashDecoy(password);
    return std::nullopt;
}

// The stored form an account gets when it is reset or locked: the hash of
// its logon name, so the next logon with that name forces a change.
QString resetForm(const QString& logonName) {
    const QString h = HashPassword(normalized(logonName));
    return h.isEmpty() ? QString(" ") : h;
}
} // namespace

void FillSessionFromStaffRow(Session& s, const Row& r) {
    s.clear();
    s.conciergeId = r.number("ConciergeID");
    s.name = r.trimmedText("Concierge");
    s.initials = r.trimmedText("Initials");
    s.logonName = r.trimmedText("UserProfile");
    s.email = r.trimmedText("EmailAddress");
    s.messageGroup = r.trimmedText("MessageGroup");
    s.manager = r.flag("Authorized");
    s.restricted = r.flag("Restricted");
    s.readOnly = r.flag("ReadOnly");
    s.allLogs = r.flag("AllLogs");
    s.allRentals = r.flag("AllRentals");
}

const QStringList& ReservedAccounts() {
    static const QStringList names{"Support Profile", "Orvanta Support", "Concierge Bellhop"};
    return names;
}

void StartGuestSession(Session& s) {
    s.clear();
    s.name = "Guest Viewer";
    s.logonName = "Guest";
    s.initials = "GV";
    s.conciergeId = 0;
    s.readOnly = true;
    s.restricted = true;
    s.manager = false;
    s.guest = true;
}

LogonCheck CheckLogon(AppContext& ctx, const QString& logonName, const QString& password,
                      SupportChallenge* challenge) {
    LogonCheck out;
    const QString name = logonName.trimmed();
    Session& s = ctx.session;
    try {
        Database& db = ctx.db();
        if (name.toUpper() == kGuestLogon) {
            if (GetBooleanSetting(db, "GuestDisabled")) {
                InsertFailedLogons(ctx, 'U', logonName, password);
                s.clear();
                out.result = LogonResult::Inactive;
                return out;
            }
            StartGuestSession(s);
            out.result = LogonResult::Ok;
            return out;
        }

        std::optional<Row> row;
        const bool support = name.toUpper() == kSupportLogon;
        if (support) {
            // The support account has no password of its own: only the desk's
            // answer to this dialog's challenge.
            if (challenge && challenge->redeem(SupportPublicKey(ctx.workstation), password)) {
                row = db.queryOne("SELECT * FROM [Concierge] WHERE [UserProfile] = ?", {name});
                if (row && row->text("Status").trimmed().toUpper() == "I") {
                    db.exec("UPDATE [Concierge] SET [Status] = 'A' WHERE [ConciergeID] = ?",
                            {row->number("ConciergeID")});
                    row = db.queryOne("SELECT * FROM [Concierge] WHERE [ConciergeID] = ?",
                                      {row->number("ConciergeID")});
                }
            }
        } else {
            row = verifiedRow(db, name, password);
        }

        if (!row) {
            if (!name.isEmpty()) InsertFailedLogons(ctx, 'U', logonName, password);
            s.clear();
            out.result = LogonResult::NotFound;
            return out;
        }
        out.status = row->text("Status").trimmed().toUpper();
        if (out.status != "A") {
            InsertFailedLogons(ctx, 'U', logonName, password);
            s.clear();
            out.result = LogonResult::Inactive;
            return out;
        }

        FillSessionFromStaffRow(s, *row);
        s.support = support;
        out.result = LogonResult::Ok;
        out.mustChange = !support && normalized(password) == normalized(row->text("UserProfile"));
        if (ctx.globals.security4 && !support && !out.mustChange) {
            const QDate changed = Formats::ParseStoredDate(row->text("LastPWChange").trimmed());
            // An unreadable date cannot prove the password is young: treat it as expired.
            const qint64 age = changed.isValid() ? changed.daysTo(ctx.clock().today())
                                                 : qint64(ctx.globals.passwordDays) + 1;
            if (age > ctx.globals.passwordDays) {
                s.clear();
                out.result = LogonResult::Expired;
            } else if (age > ctx.globals.passwordDays - 7) {
                out.result = LogonResult::ExpiresSoon;
            }
        }
        InsertFailedLogons(ctx, 'S', logonName, password);
        log(ctx, "User: " + StoredText(row->text("Concierge")) +
                     " Successful Logon. User Status: '" + out.status + "'" + auditTail(ctx));
        return out;
    } catch (const DbError& e) {
        s.clear();
        try {
            if (!name.isEmpty()) InsertFailedLogons(ctx, 'U', logonName, password);
        } catch (const DbError&) {
        }
        out.result = e.number() > 0 && e.number() < LogonResult::Expired ? e.number()
                                                                         : DbErrorNumber::General;
        return out;
    }
}

long CheckCredentials(AppContext& ctx, const QString& logonName, const QString& password) {
    try {
        std::optional<Row> row;
        if (logonName.trimmed().toUpper() != kSupportLogon)
            row = verifiedRow(ctx.db(), logonName, password);
        // A locked account's password is its logon name, known to all: proving
        // it must not count as a success.
        const bool active = row && row->text("Status").trimmed().toUpper() == "A";
        InsertFailedLogons(ctx, active ? 'S' : 'U', logonName, password);
        if (!row) return LogonResult::NotFound;
        return active ? LogonResult::Ok : LogonResult::Inactive;
    } catch (const DbError& e) {
        return e.number() > 0 ? e.number() : DbErrorNumber::General;
    }
}

void InsertFailedLogons(AppContext& ctx, QChar source, const QString& logonName,
                        const QString& password) {
    const QString now = Formats::StoredDateTime(ctx.clock().now());
    const QString xs = password.trimmed().isEmpty() ? QString() : QString(password.size(), 'X');
    // The name is kept trimmed: the lockout counts the attempts on a name.
    ctx.db().exec("INSERT INTO [FailedLogOns] ([Workstation], [LogDateTime], [MsgSource], "
                  "[LogonName], [Password], [EncPW]) VALUES (?, ?, ?, ?, ?, '')",
                  {ctx.workstation.computerName, now, QString(source), logonName.trimmed(), xs});
    if (source == 'U') log(ctx, "User: " + logonName + "  Failed Logon attempt" + auditTail(ctx));
}

void UpdateLogonDate(AppContext& ctx) {
    Database& db = ctx.db();
    const Session& s = ctx.session;
    const QDateTime now = ctx.clock().now();
    db.transaction([&] {
        db.exec("UPDATE [Concierge] SET [LastLogon] = ? WHERE [Initials] = ?",
                {Formats::StoredDate(now.date()), s.initials});
        QString telephone;
        if (s.conciergeId != 0)
            telephone = StoredText(db.scalar("SELECT [Telephone] FROM [Concierge] WHERE "
                                             "[ConciergeID] = ?",
                                             {s.conciergeId})
                                       .toString());
        const QVariant id = db.scalar("SELECT [LoggedOnID] FROM [LoggedOn] WHERE [Workstation] = ?",
                                      {ctx.workstation.computerName});
        if (id.isValid())
            db.exec("UPDATE [LoggedOn] SET [Concierge] = ?, [LogDateTime] = ?, [OffDateTime] = '', "
                    "[Telephone] = ? WHERE [LoggedOnID] = ?",
                    {s.name, Formats::StoredDateTime(now), telephone, id});
        else
            db.exec(
                "INSERT INTO [LoggedOn] ([Workstation], [Concierge], [LogDateTime], "
                "[OffDateTime], [Telephone]) VALUES (?, ?, ?, '', ?)",
                {ctx.workstation.computerName, s.name, Formats::StoredDateTime(now), telephone});
    });
}

void UpdateLogoffDate(AppContext& ctx) {
    Database& db = ctx.db();
    const QVariant id = db.scalar("SELECT [LoggedOnID] FROM [LoggedOn] WHERE [Workstation] = ?",
                                  {ctx.workstation.computerName});
    if (id.isValid())
        db.exec("UPDATE [LoggedOn] SET [OffDateTime] = ? WHERE [LoggedOnID] = ?",
                {Formats::StoredDateTime(ctx.clock().now()), id});
}

void UpdateLogonDateAll(AppContext& ctx) {
    ctx.db().exec("UPDATE [Concierge] SET [LastLogon] = ?",
                  {Formats::StoredDate(ctx.clock().today())});
}

void InactivateUser(AppContext& ctx, const QString& logonName) {
    Database& db = ctx.db();
    db.transaction([&] {
        db.exec("UPDATE [Concierge] SET [Status] = 'I' WHERE [UserProfile] = ?",
                {logonName.trimmed()});
        // The reserved accounts are made active again every morning: with the
        // logon name as password, anyone could lock one and take it over the
        // next day.  They keep their password.
        db.exec("UPDATE [Concierge] SET [Password] = ? WHERE [UserProfile] = ? AND "
                "[Concierge] NOT IN (?, ?, ?)",
                {resetForm(logonName), logonName.trimmed(), ReservedAccounts().at(0),
                 ReservedAccounts().at(1), ReservedAccounts().at(2)});
    });
}

int InactivateInactiveStaff(AppContext& ctx) {
    Database& db = ctx.db();
    const QDate today = ctx.clock().today();
    const int logonDays = ctx.globals.logonDays;
    struct Member {
        qint64 id;
        QString logon;
    };
    std::vector<Member> stale;
    int active = 0;
    for (const Row& r : db.query("SELECT [ConciergeID], [Concierge], [UserProfile], [LastLogon], "
                                 "[Status] FROM [Concierge]")) {
        if (ReservedAccounts().contains(r.trimmedText("Concierge")) ||
            r.trimmedText("Status").toUpper() != "A")
            continue;
        ++active;
        const QDate last = Formats::ParseStoredDate(r.trimmedText("LastLogon"));
        // Without a readable date nobody can tell how long the member has been away.
        if (logonDays >= 1 && last.isValid() && last.daysTo(today) > logonDays)
            stale.push_back({r.number("ConciergeID"), r.trimmedText("UserProfile")});
    }

    int done = 0;
    if (!stale.empty()) {
        const QString n = QString::number(stale.size());
        const QString text = "We have the system date on your workstation as " +
                             Formats::ShortDate(today) + "." + CRLF +
                             "According to this date we have calculated that " + n +
                             " staff members will be flagged as INACTIVE out of a total of " +
                             QString::number(active) + " active staff members." + CRLF +
                             "Do you wish to flag the " + n + " staff members as INACTIVE?";
        if (ctx.prompt().ask(text, {}, Buttons::YesNo, Icon::Question, Answer::No) == Answer::Yes) {
            db.transaction([&] {
                for (const Member& m : stale)
                    done += db.exec("UPDATE [Concierge] SET [Password] = ?, [Status] = 'I' "
                                    "WHERE [ConciergeID] = ?",
                                    {resetForm(m.logon), m.id});
            });
        }
    }
    for (const QString& reserved : ReservedAccounts())
        db.exec("UPDATE [Concierge] SET [Status] = 'A' WHERE [Concierge] = ?", {reserved});
    return done;
}

std::vector<Row> GetFailedLogons(AppContext& ctx, const QString& filter) {
    QString where;
    if (filter.compare("Good", Qt::CaseInsensitive) == 0)
        where = " WHERE [MsgSource] = 'S'";
    else if (filter.compare("Bad", Qt::CaseInsensitive) == 0)
        where = " WHERE [MsgSource] = 'U'";
    return ctx.db().query("SELECT [Workstation], [LogDateTime], [LogonName], [Password], "
                          "[FailLogID], [EncPW], [MsgSource] FROM [FailedLogOns]" +
                          where + " ORDER BY [LogDateTime] DESC, [FailLogID] DESC");
}

int DeleteFailedLogons(AppContext& ctx, int days) {
    return ctx.db().exec("DELETE FROM [FailedLogOns] WHERE [LogDateTime] < ?",
                         {Formats::StoredDateTime(ctx.clock().now().addDays(-days))});
}

std::vector<Row> GetSuspiciousActivity(AppContext& ctx) {
    return ctx.db().query("SELECT [VmMName], [DateTimeSA], [Concierge], [Workstation], "
                          "[VmModule], [FieldSA], [DataSA], [RecordID], [SuspiciousID] "
                          "FROM [Suspicious] ORDER BY [DateTimeSA] DESC, [SuspiciousID] DESC");
}

int DeleteSuspicious(AppContext& ctx, int days) {
    return ctx.db().exec("DELETE FROM [Suspicious] WHERE [DateTimeSA] < ?",
                         {Formats::StoredDateTime(ctx.clock().now().addDays(-days))});
}

void InsertSuspcious(AppContext& ctx, qint64 recordId, const QString& module, const QString& field,
                     const QString& data) {
    ctx.db().exec("INSERT INTO [Suspicious] ([RecordID], [Workstation], [Concierge], [DateTimeSA], "
                  "[VmMName], [VmModule], [FieldSA], [DataSA]) VALUES (?, ?, ?, ?, ?, ?, ?, ?)",
                  {recordId, ctx.workstation.computerName, ctx.session.name,
                   Formats::StoredDateTime(ctx.clock().now()), ProgramTitle, module, field, data});
}

bool VerifyEmployee(AppContext& ctx) {
    const Workstation& ws = ctx.workstation;
    QString program = ws.programFolder + "/VerifyEID";
    if (!QFileInfo(program).isExecutable()) program += ".exe";
    if (!QFileInfo(program).isExecutable()) return true;
    const QString employeeId = CurrentEmployeeId(ctx);
    const QString ini = ws.programFolder + "/VerifyEID.ini";
    const QString answerFile = ws.programFolder + "/eidres.txt";
    INIWrite("ProgramSettings", "VerifyEidReturnFile", answerFile, ini);
    INIWrite("ProgramSettings", "CallerFilename", ws.executableName + ".exe", ini);
    INIWrite("ProgramSettings", "CallerVersion", AuditVersionText(), ini);
    QFile::remove(answerFile);

    QProcess p;
    p.start(program, {"/EID:" + employeeId});
    if (!p.waitForFinished(60000)) p.kill();
    QFile f(answerFile);
    const bool disabled = f.open(QIODevice::ReadOnly) &&
                          QString::fromUtf8(f.readAll()).toUpper().contains("DISABLED");
    if (!disabled) return true;

    ctx.db().exec("UPDATE [Concierge] SET [Status] = 'I' WHERE [ConciergeID] = ?",
                  {ctx.session.conciergeId});
    ctx.prompt().message(
        "The employee id '" + employeeId + "' is not authorized to access Velmora." + CRLF + CRLF +
            "The Corvella Directory status lists '" + employeeId + "' as DISABLED.",
        "Unauthorized Employee", Icon::Critical);
    UpdateLogoffDate(ctx);
    ctx.session.clear();
    return false;
}

} // namespace vm
