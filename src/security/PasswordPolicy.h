#pragma once
// Rules for new passwords (logon and card-viewing), their history of four,
// the changes and the resets done by managers.  Stored forms are salted
// hashes of the trimmed, upper-cased password; "the same password" always
// means "verifies against the stored hash".

#include "core/AppContext.h"
#include "security/Lockout.h"

#include <QString>
#include <optional>

namespace vm {

// A refused change: the message to show and the field (objectName) to clear
// or select.
struct PasswordRefusal {
    QString message;
    QString field;
    // The lockout has just flagged the account: the program ends.
    bool endsProgram = false;
};

inline const QString CR = QStringLiteral("\r");

// The checks that need no database, in their fixed order (empty fields, logon
// name, current password, forbidden characters, complexity, verification).
std::optional<PasswordRefusal> CheckNewPasswordRules(const QString& logonName,
                                                     const QString& current,
                                                     const QString& newPassword,
                                                     const QString& verify, bool security3);

// The whole change of a logon password: rules, the current password (unless
// the change is forced; a wrong one counts towards the lockout), the history
// of four, then the save.  nullopt = saved.
std::optional<PasswordRefusal> VerifyPassword(AppContext& ctx, const QString& logonName,
                                              const QString& current, const QString& newPassword,
                                              const QString& verify, bool forced);

// True when the new password is one of the four before the current one.
bool CheckPreviousPassword(Database& db, const QString& logonName, const QString& current,
                           const QString& newPassword);
// Stores the new password and shifts the history; answers the initials of the
// account, or nullopt when name and current password match no account.
std::optional<QString> UpdatePassword(AppContext& ctx, const QString& logonName,
                                      const QString& current, const QString& newPassword);
void UpdateLastPWDate(AppContext& ctx, const QString& initials);

// The card-viewing password of the member logged on.  A wrong current
// password counts towards the card-viewing lock.  nullopt = saved.
std::optional<PasswordRefusal> ChangeCardPassword(AppContext& ctx, const QString& current,
                                                  const QString& newPassword,
                                                  const QString& verify);
// CheckCardViewAttempt (Lockout.h) answered Right.
bool CheckCardViewPassword(AppContext& ctx, const QString& typed);
// The message for a wrong card-viewing password: `wrongText` on its own, with
// the warning added at the last attempt, or the lock message.
QString CardPasswordRefusalText(Attempt step, const QString& wrongText);
void UpdatePasswordCC(AppContext& ctx, const QString& logonName, const QString& newPassword);

// Manager resets: the password becomes the logon name (a change is then forced).
void ResetPasswordL(AppContext& ctx, qint64 conciergeId);
void ResetPasswordC(AppContext& ctx, qint64 conciergeId);
// Both passwords of every account but the reserved ones; answers the count.
int ResetAllPasswords(AppContext& ctx);

namespace PasswordText {
inline const QString EnterAndVerify =
    QStringLiteral("Please enter your new password and verify it.");
inline const QString SameAsLogonName =
    QStringLiteral("Your password may not be the same as your Logon Name.");
inline const QString SameAsCurrent =
    QStringLiteral("Your new password may not be the same as your current password.");
inline const QString ForbiddenChars =
    QStringLiteral("Your new password may not contain the following characters: & or |.");
inline const QString Length = "Your new password must contain from 7 to 10 " + CR +
                              "characters (at least one must be a numeric digit).";
inline const QString NeedsDigit =
    QStringLiteral("Your new password must contain at least one numeric digit.");
inline const QString NeedsLetter =
    QStringLiteral("Your new password must contain at least one Alphabetic character.");
inline const QString ContainsLogonName =
    QStringLiteral("Your new password must not contain your Logon Name.");
inline const QString TooLong =
    QStringLiteral("Your new password may not contain more than 10 characters");
inline const QString Mismatch = "Your New Password does not match the password" + CR +
                                "keyed in the Verify Password field." + CR + CR +
                                "Please key your Passwords again and press" + CR + "OK.";
inline const QString Inactive = "Sorry, Your User Profile has been flagged as INACTIVE." + CR + CR +
                                "Please check with your supervisor.";
inline const QString CannotChange =
    "Sorry, we are unable to change  your password." + CR +
    "Perhaps your old password has been keyed incorrectly," + CR +
    "or you have not been enrolled in the Concierge" + CR + "Application." + CR + CR +
    "Please retry your password or check with your" + CR + "supervisor";
inline const QString History = QStringLiteral(
    "Your new password must NOT be the same as any of your FOUR previous passwords.");
inline const QString CardCurrentWrong = QStringLiteral(
    "The Current Password does not match the password we have on file.  If you have forgotten "
    "your password please contact a staff member with Administration priveleges and request "
    "that your passwords (will include your Velmora logon password) be reset.  Thank you.");
inline const QString CardEnterNew = QStringLiteral("Please enter your new password.");
inline const QString CardVerifyNew = QStringLiteral("Please verify your new password.");
inline const QString CardSameAsLogon =
    QStringLiteral("Your password may not be the same as your Velmora Password.");
inline const QString CardWrong = QStringLiteral("The Password you entered to view the actual "
                                                "Credit Card Number does not match the Password "
                                                "you created.");
inline const QString CardLastWarning = QStringLiteral(
    "One more invalid card viewing password and card viewing will be locked for your User "
    "Profile.");
inline const QString CardLocked =
    "Card viewing is locked for your User Profile after too many invalid passwords." + CR + CR +
    "Please ask a staff member with Administration priveleges to reset your card viewing "
    "password.";
} // namespace PasswordText

} // namespace vm
