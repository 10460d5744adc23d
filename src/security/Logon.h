#pragma once
// The check of a logon, the session it opens, the records of who logged on
// where and of every attempt, and the inactivation of accounts.

#include "core/AppContext.h"
#include "security/SupportAccess.h"

#include <QString>
#include <optional>
#include <vector>

namespace vm {

namespace LogonResult {
constexpr long Ok = 0;
constexpr long Inactive = 99999;
constexpr long ExpiresSoon = 99998;
constexpr long Expired = 99997;
constexpr long NotFound = 3021; // the look-up found no row: wrong name or password
} // namespace LogonResult

inline const QString kGuestLogon = QStringLiteral("GUEST");
inline const QString kSupportLogon = QStringLiteral("SUPPORT");
inline const QString kFactoryLogon = QStringLiteral("CONCIERGE");
inline const QString kFactoryPassword = QStringLiteral("BELLHOP");
// The three reserved accounts, by display name.
const QStringList& ReservedAccounts();

struct LogonCheck {
    long result = LogonResult::NotFound;
    // The typed password equals the logon name (after a reset or an
    // inactivation): the password must be changed before work starts.
    bool mustChange = false;
    QString status;
};

// Checks a logon and, on success, fills ctx.session.  Records the attempt.
// A database error counts as a failed attempt (its number is answered).
// The support account logs on only with the support desk's answer to
// `support`, the challenge the dialog showed (see SupportAccess.h).
// A name with no account costs the same hash work as a wrong password.
LogonCheck CheckLogon(AppContext& ctx, const QString& logonName, const QString& password,
                      SupportChallenge* support = nullptr);

// Checks a name and password without touching the session (used before a
// voluntary password change).  Answers Ok, Inactive or NotFound; records the
// attempt ('S' only for an active account).  The support account has no
// password to change: NotFound.
long CheckCredentials(AppContext& ctx, const QString& logonName, const QString& password);

// Records an attempt: 'S' or 'U'.  The typed password is never stored: only
// one "X" per character.
void InsertFailedLogons(AppContext& ctx, QChar source, const QString& logonName,
                        const QString& password);
void UpdateLogonDate(AppContext& ctx);
void UpdateLogoffDate(AppContext& ctx);
void UpdateLogonDateAll(AppContext& ctx);
// Locks an account: status 'I' and the password reset to the logon name.
void InactivateUser(AppContext& ctx, const QString& logonName);

// Start of day: asks, then inactivates staff who have not logged on for
// LogonDays days; the reserved accounts are never counted and end up active.
// Answers the number inactivated.
int InactivateInactiveStaff(AppContext& ctx);

// Listings and purges of the logon and suspicious-activity logs.
std::vector<Row> GetFailedLogons(AppContext& ctx, const QString& filter); // All, Good, Bad
int DeleteFailedLogons(AppContext& ctx, int days);
std::vector<Row> GetSuspiciousActivity(AppContext& ctx);
int DeleteSuspicious(AppContext& ctx, int days);
void InsertSuspcious(AppContext& ctx, qint64 recordId, const QString& module, const QString& field,
                     const QString& data);

// Masked mode, after a logon: asks the employee directory (the VerifyEID
// program beside the executable) about the member.  A member reported
// disabled is inactivated, told so, and the session ends: answers false.
// Without the program there is nobody to ask: answers true.
bool VerifyEmployee(AppContext& ctx);

// The session of a member, from the member's Concierge row.
void FillSessionFromStaffRow(Session& s, const Row& r);

// The session of the read-only guest viewer.
void StartGuestSession(Session& s);

} // namespace vm
