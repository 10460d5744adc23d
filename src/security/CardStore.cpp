#include "security/CardStore.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/Settings.h"
#include "core/TextLog.h"
#include "platform/RegistryValues.h"
#include "security/Audit.h"
#include "security/CardData.h"
#include "security/Lockout.h"
#include "security/Logon.h"
#include "security/PasswordPolicy.h"

#include <QHash>
#include <QRegularExpression>
#include <algorithm>
#include <vector>

namespace vm {

namespace {
QString tail(const AppContext& ctx) {
    return " on: " + Formats::AuditStamp(ctx.clock().now()) +
           " at PC Named: " + ctx.workstation.computerName;
}

void log(const AppContext& ctx, const QString& line) {
    LogMessage(ctx.start.databaseFolder, line, ctx.clock());
}

QString nowStored(const AppContext& ctx) {
    return Formats::StoredDateTime(ctx.clock().now());
}

QString reasonText(bool viewed, const QString& reason) {
    return viewed ? CleanSqlText(reason) : kInvalidViewReason;
}

void audit(AppContext& ctx, int event) {
    SendSyslogMessage(ctx, PCIDSS(event, true, CurrentEmployeeId(ctx)));
}

QString scopeFilter(const QString& scope, bool hasWhere) {
    QString cond;
    if (scope.compare("Good", Qt::CaseInsensitive) == 0)
        cond = "C.[Viewed] = ?";
    else if (scope.compare("Bad", Qt::CaseInsensitive) == 0)
        cond = "C.[Viewed] = ?";
    if (cond.isEmpty()) return {};
    return (hasWhere ? " AND " : " WHERE ") + cond;
}

QVariantList scopeParams(const QString& scope) {
    if (scope.compare("Good", Qt::CaseInsensitive) == 0) return {true};
    if (scope.compare("Bad", Qt::CaseInsensitive) == 0) return {false};
    return {};
}

std::vector<Row> viewLog(AppContext& ctx, const QString& from, bool hasWhere, const QString& scope,
                         const QString& logName) {
    const QString sql = "SELECT P.[LastName], P.[FirstName], C.[Viewed], C.[LogDateTime], "
                        "C.[Concierge], C.[Workstation], C.[Reason] " +
                        from + scopeFilter(scope, hasWhere) +
                        " ORDER BY P.[LastName], P.[FirstName], C.[LogDateTime] DESC";
    auto rows = ctx.db().query(sql, scopeParams(scope));
    log(ctx, "User: " + ctx.session.name + " Viewed the " + logName +
                 " Credit Card viewing log for with the scope of (" + scope + ")");
    audit(ctx, PCIDSS::AuditTrailAccess);
    return rows;
}

// The masked number kept in an entry's text, e.g. "xxxxxxxxxxxx1111".
QString maskedNumberIn(const QString& text) {
    static const QRegularExpression masked("x{10}[0-9x]*");
    return masked.match(text).captured(0);
}

} // namespace

void InsertLogbookCCV(AppContext& ctx, qint64 id, bool viewed, QChar source,
                      const QString& reason) {
    ctx.db().exec("INSERT INTO [LogbookCCV] ([LogbookID], [Viewed], [MsgSource], [Workstation], "
                  "[Concierge], [LogDateTime], [Reason]) VALUES (?, ?, ?, ?, ?, ?, ?)",
                  {id, viewed, QString(source), ctx.workstation.computerName, ctx.session.name,
                   nowStored(ctx), reasonText(viewed, reason)});
    log(ctx, "User: " + ctx.session.name +
                 (viewed ? " Viewed a credit card for the Logbook entry ("
                         : " Failed to view a credit card for the Logbook entry (") +
                 QString::number(id) + ")" + tail(ctx));
}

void InsertProfileCCV(AppContext& ctx, qint64 profileId, qint64 profileCCId, bool viewed,
                      const QString& reason) {
    ctx.db().exec("INSERT INTO [ProfileCCV] ([ProfileID], [ProfileCCID], [Viewed], [Workstation], "
                  "[Concierge], [LogDateTime], [Reason]) VALUES (?, ?, ?, ?, ?, ?, ?)",
                  {profileId, profileCCId, viewed, ctx.workstation.computerName, ctx.session.name,
                   nowStored(ctx), reasonText(viewed, reason)});
    log(ctx, "User: " + ctx.session.name +
                 (viewed ? " Viewed a credit card for the Profile entry ("
                         : " Failed to view a credit card for the Profile entry (") +
                 QString::number(profileId) + ")" + tail(ctx));
}

std::vector<Row> GetCCVComplete(AppContext& ctx, const QString& scope) {
    return viewLog(ctx,
                   "FROM [ProfileCCV] C INNER JOIN [Profile] P ON C.[ProfileID] = P.[ProfileID]",
                   false, scope, "Profile");
}

std::vector<Row> GetCCVLComplete(AppContext& ctx, const QString& scope) {
    return viewLog(ctx,
                   "FROM [LogbookCCV] C INNER JOIN [LogBook] P ON C.[LogbookID] = P.[LogID] "
                   "WHERE C.[MsgSource] = 'L'",
                   true, scope, "Logbook");
}

std::vector<Row> GetCCVFComplete(AppContext& ctx, const QString& scope) {
    return viewLog(ctx,
                   "FROM [LogbookCCV] C INNER JOIN [LostAndFound] P ON C.[LogbookID] = P.[ItemID] "
                   "WHERE C.[MsgSource] = 'F'",
                   true, scope, "Lost and Found");
}

std::vector<Row> GetCCVHistory(AppContext& ctx, qint64 profileId, qint64 cardId) {
    return ctx.db().query("SELECT * FROM [ProfileCCV] WHERE [ProfileID] = ? AND [ProfileCCID] = ? "
                          "ORDER BY [LogDateTime] DESC",
                          {profileId, cardId});
}

int DeleteCCViews(AppContext& ctx, int days) {
    const int n = ctx.db().exec("DELETE FROM [ProfileCCV] WHERE [LogDateTime] < ?",
                                {Formats::StoredDateTime(ctx.clock().now().addDays(-days))});
    log(ctx, "User: " + ctx.session.name +
                 " Deleted items from the Profile Credit Card viewing log for where the entries "
                 "are more than " +
                 QString::number(days) + " days old.");
    audit(ctx, PCIDSS::AuditTrailModification);
    return n;
}

int DeleteCCLViews(AppContext& ctx, int days) {
    const int n = ctx.db().exec("DELETE FROM [LogbookCCV] WHERE [LogDateTime] < ?",
                                {Formats::StoredDateTime(ctx.clock().now().addDays(-days))});
    log(ctx, "User: " + ctx.session.name +
                 " Deleted items from the Logbook Credit Card viewing log for where the entries "
                 "are more than " +
                 QString::number(days) + " days old.");
    audit(ctx, PCIDSS::AuditTrailModification);
    return n;
}

std::vector<Row> GetProfileCC(AppContext& ctx, qint64 profileId) {
    return ctx.db().query(
        "SELECT * FROM [ProfileCC] WHERE [ProfileID] = ? ORDER BY [CreditCardType], [ProfileCCID]",
        {profileId});
}

qint64 InsertProfileCC(AppContext& ctx, const ProfileCard& card) {
    const QString record = QString::number(card.profileId);
    const QString digits = StripNonDigits(card.number);
    const QString enc = EncryptCC(ctx, digits, record);
    if (enc.isEmpty()) // the cipher has said so; nothing is stored
        return 0;
    const QString encExp = EncryptCC(ctx, card.expires.trimmed(), record);
    const qint64 id = ctx.db().insert(
        "INSERT INTO [ProfileCC] ([ProfileID], [CreditCardType], [CardNumber], [Expires], [EncCC], "
        "[EncExp], [CreatedDate]) VALUES (?, ?, ?, 'xx/xx', ?, ?, ?)",
        {card.profileId, CleanSqlText(card.cardType), MaskCard(digits), enc, encExp,
         ctx.clock().now()},
        "ProfileCCID");
    SendSyslogMessage(ctx, PCIDSS(PCIDSS::CreditCardAdded, true, CurrentEmployeeId(ctx)));
    return id;
}

bool UpdateProfileCC(AppContext& ctx, qint64 profileCCId, const ProfileCard& card) {
    const QString record = QString::number(card.profileId);
    const QString digits = StripNonDigits(card.number);
    const QString enc = EncryptCC(ctx, digits, record);
    if (enc.isEmpty()) return false;
    ctx.db().exec("UPDATE [ProfileCC] SET [CreditCardType] = ?, [CardNumber] = ?, [Expires] = "
                  "'xx/xx', [EncCC] = ?, [EncExp] = ?, [CreatedDate] = ? WHERE [ProfileCCID] = ?",
                  {CleanSqlText(card.cardType), MaskCard(digits), enc,
                   EncryptCC(ctx, card.expires.trimmed(), record), ctx.clock().now(), profileCCId});
    SendSyslogMessage(ctx, PCIDSS(PCIDSS::CreditCardModified, true, CurrentEmployeeId(ctx)));
    return true;
}

void DeleteProfileCC(AppContext& ctx, qint64 profileCCId) {
    ctx.db().exec("DELETE FROM [ProfileCC] WHERE [ProfileCCID] = ?", {profileCCId});
    SendSyslogMessage(ctx, PCIDSS(PCIDSS::CreditCardDeleted, true, CurrentEmployeeId(ctx)));
}

void DeleteProfileCCByProfile(AppContext& ctx, qint64 profileId) {
    ctx.db().exec("DELETE FROM [ProfileCC] WHERE [ProfileID] = ?", {profileId});
}

void LogCCDeletion(AppContext& ctx, bool isProfile, qint64 id, const QString& deletedBy) {
    const QString table = isProfile ? "[ProfileDeletedCC]" : "[LogbookDeletedCC]";
    const QString column = isProfile ? "[ProfileID]" : "[LogbookID]";
    ctx.db().exec("INSERT INTO " + table + " (" + column +
                      ", [DeletedDate], [DeletedBy]) VALUES (?, ?, ?)",
                  {id, ctx.clock().now(), deletedBy});
}

QString ApplyCardScreening(AppContext& ctx, const QString& form, const QString& field,
                           qint64 recordId, const QString& text, bool remove) {
    if (remove) {
        log(ctx, "User: " + ctx.session.name +
                     " Prevented a possible credit card number from being stored in the form '" +
                     form + "' for '" + field + "'" + tail(ctx));
        return CreditCardISM(text, true);
    }
    // The suspicious-activity log keeps the evidence, never the clear number.
    InsertSuspcious(ctx, recordId, form, field, CreditCardISM(text, false));
    log(ctx, "User: " + ctx.session.name +
                 " Allowed a possible credit card number to be stored in the form '" + form +
                 "' for '" + field + "'" + tail(ctx));
    return text;
}

CloneCardAnswer AskCloneCardPassword(AppContext& ctx) {
    const auto typed = ctx.prompt().input(kClonePasswordText, {}, {}, true);
    if (!typed) return CloneCardAnswer::Refused;
    if (typed->trimmed().compare("SKIP", Qt::CaseInsensitive) == 0) return CloneCardAnswer::Skip;
    // Counted like every other card-viewing password: the same warning and lock.
    const Attempt step = CheckCardViewAttempt(ctx, *typed);
    if (step == Attempt::Right) return CloneCardAnswer::Carry;
    ctx.prompt().message(CardPasswordRefusalText(step, PasswordText::CardWrong), {},
                         Icon::Exclamation);
    return CloneCardAnswer::Refused;
}

int CheckForCCPolicy(AppContext& ctx) {
    return GetVmSetting(ctx.db(), "Purge_CC_N_Days").trimmed().toInt();
}

bool HasCCPurgeRunToday(AppContext& ctx) {
    const QString last = GetVmSetting(ctx.db(), "Purge_Last_Run").trimmed();
    QDate d = Formats::ParseShortDate(last);
    if (!d.isValid()) d = Formats::ParseStoredDate(last);
    return d.isValid() && d == ctx.clock().today();
}

namespace {
// Cards are removed this many to a transaction: a purge of a hundred thousand
// takes seconds, and one that stops half-way has removed whole batches only
// (each card with its audit line and history), so the next run finds the rest.
constexpr size_t PurgeBatch = 500;

struct DueCard {
    qint64 id = 0;
    QString note; // the entry's first text piece
};

// The text pieces that continue the batch's entries.
QHash<qint64, QString> continuations(Database& db, const std::vector<DueCard>& due, size_t from,
                                     size_t to) {
    QVariantList ids;
    for (size_t i = from; i < to; ++i)
        ids << due[i].id;
    QHash<qint64, QString> more;
    db.forEach("SELECT [LogID], [NoteField] FROM [LogText] WHERE [LogID] IN (" +
                   QString("?, ").repeated(ids.size()).chopped(2) +
                   ") ORDER BY [LogID], [Sequence]",
               ids, [&](const Row& r) {
                   qint64 id = 0;
                   r.integer(0, id);
                   more[id] += r.text(1);
                   return true;
               });
    return more;
}

// One statement for a batch: `head` (INSERT INTO table (columns)) with a
// tuple of `width` values per row.
void insertRows(Database& db, const QString& head, int width, const QVariantList& values) {
    const QString tuple = "(" + QString("?, ").repeated(width).chopped(2) + ")";
    db.exec(head + " VALUES " + QString(tuple + ", ").repeated(values.size() / width).chopped(2),
            values);
}

QString marks(qsizetype n) {
    return QString("?, ").repeated(n).chopped(2);
}

QString progressLabel(const QString& what, size_t done, size_t total) {
    return what + ": Removing " + QString::number(done) + " of " + QString::number(total);
}
} // namespace

int DeleteCCFromLogbook(AppContext& ctx, const PurgeProgress& progress) {
    Database& db = ctx.db();
    const QDateTime now = ctx.clock().now();
    db.exec("UPDATE [LogBook] SET [CC_CreatedDate] = ? WHERE [EncCC] IS NOT NULL AND "
            "TRIM([EncCC]) <> '' AND [CC_CreatedDate] IS NULL",
            {now});

    const int referDays = GetVmSetting(db, "Purge_CC_LogRefer_N_Days", "0").trimmed().toInt();
    const int days = CheckForCCPolicy(ctx);
    std::vector<DueCard> due;
    auto take = [&due](const Row& r) {
        DueCard c;
        r.integer(0, c.id);
        c.note = r.text(1);
        due.push_back(std::move(c));
    };
    if (referDays >= 1) {
        db.forEach("SELECT [LogID], [NoteField], [ReferDate] FROM [LogBook] WHERE [EncCC] IS NOT "
                   "NULL AND TRIM([EncCC]) <> ''",
                   {}, [&](const Row& r) {
                       const QDate refer = Formats::ParseStoredDate(r.trimmedText(2));
                       if (refer.isValid() && refer.daysTo(now.date()) > referDays) take(r);
                       return true;
                   });
    } else if (days >= 1) {
        db.forEach("SELECT [LogID], [NoteField] FROM [LogBook] WHERE [CC_CreatedDate] < ? AND "
                   "[EncCC] IS NOT NULL AND TRIM([EncCC]) <> ''",
                   {now.addDays(-days)}, [&](const Row& r) {
                       take(r);
                       return true;
                   });
    }

    const QString stamp = Formats::StoredDateTime(now);
    size_t done = 0;
    for (size_t from = 0; from < due.size(); from += PurgeBatch) {
        const size_t to = std::min(due.size(), from + PurgeBatch);
        db.transaction([&] {
            const QHash<qint64, QString> more = continuations(db, due, from, to);
            QVariantList ids, deleted, history;
            for (size_t i = from; i < to; ++i) {
                const DueCard& c = due[i];
                if (progress) progress(progressLabel("Logbook", i + 1, due.size()));
                const QString masked = maskedNumberIn(c.note + more.value(c.id));
                QString reason = "CC " + masked + " removed by Credit Card Policy.";
                if (masked.isEmpty() || reason.size() > 50)
                    reason = "Credit Card was removed by Credit Card Policy.";
                ids << c.id;
                deleted << c.id << now << QStringLiteral("CC_POL");
                history << c.id << QStringLiteral("CCPOL") << stamp << reason;
            }
            db.exec("UPDATE [LogBook] SET [EncCC] = '', [CC_CreatedDate] = NULL WHERE [LogID] IN (" +
                        marks(ids.size()) + ")",
                    ids);
            insertRows(db, "INSERT INTO [LogbookDeletedCC] ([LogbookID], [DeletedDate], [DeletedBy])",
                       3, deleted);
            insertRows(db,
                       "INSERT INTO [LogbookHistory] ([LogbookID], [Initials], [LogDateTime], "
                       "[Reason])",
                       4, history);
        });
        done = to;
    }
    return int(done);
}

int DeleteCCFromProfiles(AppContext& ctx, int days, const PurgeProgress& progress) {
    Database& db = ctx.db();
    const QDateTime now = ctx.clock().now();
    db.exec("UPDATE [ProfileCC] SET [CreatedDate] = ? WHERE [CreatedDate] IS NULL", {now});
    if (days < 1) return 0;
    std::vector<std::pair<qint64, qint64>> due; // card, profile
    db.forEach("SELECT [ProfileCCID], [ProfileID] FROM [ProfileCC] WHERE [CreatedDate] < ? AND "
               "[EncCC] IS NOT NULL AND TRIM([EncCC]) <> ''",
               {now.addDays(-days)}, [&](const Row& r) {
                   qint64 card = 0, profile = 0;
                   r.integer(0, card);
                   r.integer(1, profile);
                   due.emplace_back(card, profile);
                   return true;
               });
    const QString deletedBy = "Credit Card Policy (" + QString::number(days) + " days)";
    size_t done = 0;
    for (size_t from = 0; from < due.size(); from += PurgeBatch) {
        const size_t to = std::min(due.size(), from + PurgeBatch);
        db.transaction([&] {
            QVariantList ids, deleted;
            for (size_t i = from; i < to; ++i) {
                if (progress) progress(progressLabel("Profiles", i + 1, due.size()));
                ids << due[i].first;
                deleted << due[i].second << now << deletedBy;
            }
            db.exec("UPDATE [ProfileCC] SET [CardNumber] = 'Rem by CC Policy', [Expires] = ' ', "
                    "[EncCC] = '', [EncExp] = '' WHERE [ProfileCCID] IN (" +
                        marks(ids.size()) + ")",
                    ids);
            insertRows(db, "INSERT INTO [ProfileDeletedCC] ([ProfileID], [DeletedDate], [DeletedBy])",
                       3, deleted);
        });
        done = to;
    }
    return int(done);
}

bool PurgeCreditCards(AppContext& ctx, const PurgeProgress& progress) {
    const int days = CheckForCCPolicy(ctx);
    if (days < 1 || HasCCPurgeRunToday(ctx)) return false;
    if (progress) progress("Validating Logbook Entries...");
    DeleteCCFromLogbook(ctx, progress);
    if (progress) progress("Validating Profile Entries...");
    DeleteCCFromProfiles(ctx, days, progress);
    // Written last: a purge that failed half-way runs again.
    SetValueFromKey(ctx.db(), "Purge_Last_Run", Formats::ShortDate(ctx.clock().today()));
    return true;
}

QString ProfileCardPolicyText(int days) {
    const QString n = QString::number(days);
    return "Credit cards entered in Guest Profiles will be removed after " + n + " days, " + CRLF +
           "per PCI requirements of limiting credit card retention.  If you wish  " + CRLF +
           "to enter a credit card number for a reservation more than " + n + " days out, " + CRLF +
           "please use the LogBook to do so." + CRLF + CRLF +
           "Do you still wish to store this Credit Card Number?";
}

bool ConfirmProfileCardPolicy(AppContext& ctx) {
    const int days = CheckForCCPolicy(ctx);
    if (days < 1) return true;
    if (INIRead("Settings", kProfileCardPolicyKey, ctx.iniFile(), "False")
            .compare("True", Qt::CaseInsensitive) == 0)
        return true;
    bool optOut = false;
    const Answer a =
        ctx.prompt().askWithOptOut(ProfileCardPolicyText(days), kProfileCardPolicyTitle,
                                   Buttons::YesNo, Icon::Question, Answer::Yes, optOut);
    if (optOut) INIWrite("Settings", kProfileCardPolicyKey, "True", ctx.iniFile());
    return a == Answer::Yes;
}

} // namespace vm
