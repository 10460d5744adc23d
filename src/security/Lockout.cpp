#include "security/Lockout.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/TextLog.h"
#include "platform/PasswordHash.h"
#include "security/Audit.h"
#include "security/Logon.h"

namespace vm {

namespace {

Attempt stepFor(int failures, int allowed) {
    if (allowed <= 0) return Attempt::Wrong;
    if (failures >= allowed) return Attempt::Locked;
    if (failures >= allowed - 1) return Attempt::LastWarning;
    return Attempt::Wrong;
}

void clearCardViewFailures(Database& db, qint64 conciergeId) {
    db.exec("UPDATE [Concierge] SET [CCViewFailures] = 0 WHERE [ConciergeID] = ?", {conciergeId});
}

} // namespace

int AllowedFailures(const Globals& g) {
    if (!g.security2) return 0;
    return g.futureD4 > 0 ? g.futureD4 : 3;
}

QString LogonLockout::WarningText() {
    return QStringLiteral(
        "One more invalid logon attempt and User Profile will be flagged as INACTIVE.");
}

QString LogonLockout::LockedText() {
    return QStringLiteral("Your User Profile has been flagged as INACTIVE.");
}

int LogonLockout::failures(const QString& logonName) const {
    // Served by the (LogonName, MsgSource, FailLogID) index.
    return m_ctx.db()
        .scalar("SELECT COUNT(*) FROM [FailedLogOns] WHERE [LogonName] = ? AND [MsgSource] = 'U' "
                "AND [FailLogID] > COALESCE((SELECT MAX([FailLogID]) FROM [FailedLogOns] "
                "WHERE [LogonName] = ? AND [MsgSource] = 'S'), 0)",
                {logonName.trimmed(), logonName.trimmed()})
        .toInt();
}

Attempt LogonLockout::afterFailure(const QString& logonName) {
    const Attempt step = stepFor(failures(logonName), AllowedFailures(m_ctx.globals));
    if (step == Attempt::Locked) InactivateUser(m_ctx, logonName);
    SendSyslogMessage(m_ctx, PCIDSS(PCIDSS::UserLogin, false, logonName.trimmed()));
    return step;
}

Attempt CheckCardViewAttempt(AppContext& ctx, const QString& typed) {
    const qint64 id = ctx.session.conciergeId;
    if (id == 0 || typed.trimmed().isEmpty()) return Attempt::Wrong;
    Database& db = ctx.db();
    const auto row = db.queryOne("SELECT [CCViewPW], [CCViewFailures] FROM [Concierge] "
                                 "WHERE [ConciergeID] = ?",
                                 {id});
    if (!row) return Attempt::Wrong;
    const int allowed = AllowedFailures(ctx.globals);
    const int before = int(row->number("CCViewFailures"));
    const auto audit = [&] {
        SendSyslogMessage(ctx, PCIDSS(PCIDSS::CreditCardViewed, false, CurrentEmployeeId(ctx)));
    };
    if (allowed > 0 && before >= allowed) {
        audit();
        return Attempt::Locked;
    }
    if (CheckPasswordHash(typed, row->text("CCViewPW"))) {
        if (before != 0) clearCardViewFailures(db, id);
        return Attempt::Right;
    }
    db.exec("UPDATE [Concierge] SET [CCViewFailures] = COALESCE([CCViewFailures], 0) + 1 "
            "WHERE [ConciergeID] = ?",
            {id});
    const int now =
        int(db.scalar("SELECT [CCViewFailures] FROM [Concierge] WHERE [ConciergeID] = ?", {id})
                .toLongLong());
    audit();
    const Attempt step = stepFor(now, allowed);
    if (step == Attempt::Locked)
        LogMessage(
            ctx.start.databaseFolder,
            "User: " + ctx.session.name + " Card viewing locked after " + QString::number(now) +
                " invalid card viewing passwords on: " + Formats::AuditStamp(ctx.clock().now()) +
                " at PC Named: " + ctx.workstation.computerName,
            ctx.clock());
    return step;
}

} // namespace vm
