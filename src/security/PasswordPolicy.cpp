#include "security/PasswordPolicy.h"

#include "core/DataAccess.h"
#include "core/Formats.h"
#include "core/TextLog.h"
#include "platform/PasswordHash.h"
#include "security/Lockout.h"
#include "security/Logon.h"

namespace vm {

namespace {
QString normalized(const QString& s) {
    return s.trimmed().toUpper();
}

QString hashOrBlank(const QString& password) {
    const QString h = HashPassword(password);
    return h.isEmpty() ? QString(" ") : h;
}

void log(const AppContext& ctx, const QString& text) {
    LogMessage(ctx.start.databaseFolder,
               text + " on: " + Formats::AuditStamp(ctx.clock().now()) +
                   " at PC Named: " + ctx.workstation.computerName,
               ctx.clock());
}

std::optional<Row> accountOf(Database& db, const QString& logonName, const QString& current) {
    for (const Row& r :
         db.query("SELECT * FROM [Concierge] WHERE [UserProfile] = ?", {logonName.trimmed()}))
        if (CheckPasswordHash(current, r.text("Password"))) return r;
    return std::nullopt;
}

std::optional<PasswordRefusal> complexity(const QString& logonName, const QString& pw,
                                          bool security3) {
    const QString field = "txtNewPassword";
    if (!security3) {
        if (pw.size() > 10) return PasswordRefusal{PasswordText::TooLong, field};
        return std::nullopt;
    }
    if (pw.size() < 7 || pw.size() > 10) return PasswordRefusal{PasswordText::Length, field};
    bool digit = false, allDigits = true;
    for (QChar c : pw) {
        const bool d = c >= '0' && c <= '9';
        digit = digit || d;
        allDigits = allDigits && d;
    }
    if (!digit) return PasswordRefusal{PasswordText::NeedsDigit, field};
    if (allDigits) return PasswordRefusal{PasswordText::NeedsLetter, field};
    const QString name = logonName.trimmed().toUpper();
    if (!name.isEmpty() && pw.toUpper().contains(name))
        return PasswordRefusal{PasswordText::ContainsLogonName, field};
    return std::nullopt;
}

bool inHistory(const Row& r, const QString& prefix, const QString& newPassword) {
    for (int i = 1; i <= 4; ++i)
        if (CheckPasswordHash(newPassword, r.text(prefix + QString::number(i)))) return true;
    return false;
}

QString resetForm(const QString& logonName) {
    return hashOrBlank(normalized(logonName));
}
} // namespace

std::optional<PasswordRefusal> CheckNewPasswordRules(const QString& logonName,
                                                     const QString& current,
                                                     const QString& newPassword,
                                                     const QString& verify, bool security3) {
    if (newPassword.isEmpty() || verify.isEmpty())
        return PasswordRefusal{PasswordText::EnterAndVerify, "txtNewPassword"};
    if (newPassword == logonName)
        return PasswordRefusal{PasswordText::SameAsLogonName, "txtNewPassword"};
    if (newPassword == current)
        return PasswordRefusal{PasswordText::SameAsCurrent, "txtNewPassword"};
    if (newPassword.contains('&') || newPassword.contains('|'))
        return PasswordRefusal{PasswordText::ForbiddenChars, "txtNewPassword"};
    if (auto refused = complexity(logonName, newPassword, security3)) return refused;
    if (newPassword != verify) return PasswordRefusal{PasswordText::Mismatch, "txtVerify"};
    return std::nullopt;
}

std::optional<PasswordRefusal> VerifyPassword(AppContext& ctx, const QString& logonName,
                                              const QString& current, const QString& newPassword,
                                              const QString& verify, bool forced) {
    const bool security3 = ctx.globals.security3;
    if (auto refused = CheckNewPasswordRules(logonName, current, newPassword, verify, security3))
        return refused;
    if (!forced) {
        const long r = CheckCredentials(ctx, logonName, current);
        if (r == LogonResult::Inactive)
            return PasswordRefusal{PasswordText::Inactive, "txtPassword"};
        if (r != LogonResult::Ok) {
            switch (LogonLockout(ctx).afterFailure(logonName)) {
            case Attempt::Locked:
                return PasswordRefusal{LogonLockout::LockedText(), "txtPassword", true};
            case Attempt::LastWarning:
                return PasswordRefusal{LogonLockout::WarningText(), "txtPassword"};
            default:
                return PasswordRefusal{PasswordText::CannotChange, "txtPassword"};
            }
        }
    }
    if (security3 && CheckPreviousPassword(ctx.db(), logonName, current, newPassword))
        return PasswordRefusal{PasswordText::History, "txtNewPassword"};
    const auto initials = UpdatePassword(ctx, logonName, current, newPassword);
    if (!initials) return PasswordRefusal{PasswordText::CannotChange, "txtPassword"};
    UpdateLastPWDate(ctx, *initials);
    return std::nullopt;
}

bool CheckPreviousPassword(Database& db, const QString& logonName, const QString& current,
                           const QString& newPassword) {
    const auto r = accountOf(db, logonName, current);
    return r && inHistory(*r, "PriorPwd", newPassword);
}

std::optional<QString> UpdatePassword(AppContext& ctx, const QString& logonName,
                                      const QString& current, const QString& newPassword) {
    Database& db = ctx.db();
    std::optional<QString> initials;
    db.transaction([&] {
        const auto r = accountOf(db, logonName, current);
        if (!r) return;
        db.exec("UPDATE [Concierge] SET [Password] = ?, [PriorPwd1] = ?, [PriorPwd2] = ?, "
                "[PriorPwd3] = ?, [PriorPwd4] = ? WHERE [ConciergeID] = ?",
                {hashOrBlank(newPassword), r->text("Password"), r->text("PriorPwd1"),
                 r->text("PriorPwd2"), r->text("PriorPwd3"), r->number("ConciergeID")});
        initials = r->text("Initials");
    });
    if (initials) log(ctx, "User: " + logonName.trimmed() + " Password Change occurred.");
    return initials;
}

void UpdateLastPWDate(AppContext& ctx, const QString& initials) {
    ctx.db().exec("UPDATE [Concierge] SET [LastPWChange] = ? WHERE [Initials] = ?",
                  {Formats::StoredDate(ctx.clock().today()), initials});
}

bool CheckCardViewPassword(AppContext& ctx, const QString& typed) {
    return CheckCardViewAttempt(ctx, typed) == Attempt::Right;
}

QString CardPasswordRefusalText(Attempt step, const QString& wrongText) {
    if (step == Attempt::Locked) return PasswordText::CardLocked;
    if (step == Attempt::LastWarning) return wrongText + CR + CR + PasswordText::CardLastWarning;
    return wrongText;
}

std::optional<PasswordRefusal> ChangeCardPassword(AppContext& ctx, const QString& current,
                                                  const QString& newPassword,
                                                  const QString& verify) {
    const Attempt step = CheckCardViewAttempt(ctx, current);
    if (step != Attempt::Right)
        return PasswordRefusal{CardPasswordRefusalText(step, PasswordText::CardCurrentWrong),
                               "txtPassword"};
    const auto r = ctx.db().queryOne("SELECT * FROM [Concierge] WHERE [ConciergeID] = ?",
                                     {ctx.session.conciergeId});
    if (!r) return PasswordRefusal{PasswordText::CardCurrentWrong, "txtPassword"};
    if (newPassword.isEmpty()) return PasswordRefusal{PasswordText::CardEnterNew, "txtNewPassword"};
    if (verify.isEmpty()) return PasswordRefusal{PasswordText::CardVerifyNew, "txtVerify"};
    const QString logonName = StoredText(r->text("UserProfile"));
    if (newPassword == logonName)
        return PasswordRefusal{PasswordText::SameAsLogonName, "txtNewPassword"};
    if (newPassword == current)
        return PasswordRefusal{PasswordText::SameAsCurrent, "txtNewPassword"};
    if (auto refused = complexity(logonName, newPassword, ctx.globals.security3)) return refused;
    if (CheckPasswordHash(newPassword, r->text("Password")))
        return PasswordRefusal{PasswordText::CardSameAsLogon, "txtNewPassword"};
    if (ctx.globals.security3 && inHistory(*r, "PriorCPwd", newPassword))
        return PasswordRefusal{PasswordText::History, "txtNewPassword"};
    if (newPassword != verify) return PasswordRefusal{PasswordText::Mismatch, "txtVerify"};
    UpdatePasswordCC(ctx, logonName, newPassword);
    return std::nullopt;
}

void UpdatePasswordCC(AppContext& ctx, const QString& logonName, const QString& newPassword) {
    Database& db = ctx.db();
    db.transaction([&] {
        const auto r = db.queryOne("SELECT [ConciergeID], [CCViewPW], [PriorCPwd1], [PriorCPwd2], "
                                   "[PriorCPwd3] FROM [Concierge] WHERE [ConciergeID] = ?",
                                   {ctx.session.conciergeId});
        if (!r) return;
        db.exec("UPDATE [Concierge] SET [CCViewPW] = ?, [PriorCPwd1] = ?, [PriorCPwd2] = ?, "
                "[PriorCPwd3] = ?, [PriorCPwd4] = ?, [CCViewFailures] = 0 WHERE [ConciergeID] = ?",
                {hashOrBlank(newPassword), r->text("CCViewPW"), r->text("PriorCPwd1"),
                 r->text("PriorCPwd2"), r->text("PriorCPwd3"), r->number("ConciergeID")});
    });
    log(ctx, "User: " + logonName + " Updated the Credit Card viewing password.");
}

void ResetPasswordL(AppContext& ctx, qint64 conciergeId) {
    const QString logon =
        ctx.db()
            .scalar("SELECT [UserProfile] FROM [Concierge] WHERE [ConciergeID] = ?", {conciergeId})
            .toString();
    ctx.db().exec("UPDATE [Concierge] SET [Password] = ? WHERE [ConciergeID] = ?",
                  {resetForm(logon), conciergeId});
}

void ResetPasswordC(AppContext& ctx, qint64 conciergeId) {
    const QString logon =
        ctx.db()
            .scalar("SELECT [UserProfile] FROM [Concierge] WHERE [ConciergeID] = ?", {conciergeId})
            .toString();
    ctx.db().exec("UPDATE [Concierge] SET [CCViewPW] = ?, [CCViewFailures] = 0 "
                  "WHERE [ConciergeID] = ?",
                  {resetForm(logon), conciergeId});
}

int ResetAllPasswords(AppContext& ctx) {
    Database& db = ctx.db();
    int n = 0;
    db.transaction([&] {
        for (const Row& r :
             db.query("SELECT [ConciergeID], [Concierge], [UserProfile] FROM [Concierge]")) {
            if (ReservedAccounts().contains(r.trimmedText("Concierge"))) continue;
            const QString reset = resetForm(r.text("UserProfile"));
            n += db.exec("UPDATE [Concierge] SET [Password] = ?, [CCViewPW] = ?, "
                         "[CCViewFailures] = 0 WHERE [ConciergeID] = ?",
                         {reset, reset, r.number("ConciergeID")});
        }
    });
    return n;
}

} // namespace vm
