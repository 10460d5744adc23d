#pragma once
// Limits on guessing passwords, counted per account in the database so that
// neither Cancel, a new dialog nor a restart starts the count again.
//
// Logon password: the failures on a logon name are its 'U' rows in
// FailedLogOns since its last 'S' row; every path that checks the password
// records its attempt there (the logon, the dialog's Change Password, the
// change of password itself).  The lock falls on the accounts of the name
// that was guessed.
//
// Card-viewing password: the member's count of wrong card passwords
// (Concierge.CCViewFailures), back to 0 on a right one or a manager's reset.
// At the limit card viewing is locked for that member until a manager resets
// the card password; the logon is not affected.
//
// Both follow the lockout switch (Security2) and its number of attempts
// (FutureD4, 3 when unset).

#include "core/AppContext.h"

namespace vm {

enum class Attempt {
    Right,
    Wrong,       // the path's own message
    LastWarning, // one more wrong one locks
    Locked
};

// The attempts allowed before the lock; 0 when the lockout is off.
int AllowedFailures(const Globals& g);

class LogonLockout {
public:
    explicit LogonLockout(AppContext& ctx) : m_ctx(ctx) {}

    // Failed attempts on the name since its last successful logon.
    int failures(const QString& logonName) const;

    // After a failed attempt on the name has been recorded: where it leaves the
    // name (never Right).  At Locked the accounts of that name are inactivated.
    // Every failure is sent to the audit collector.
    Attempt afterFailure(const QString& logonName);

    static QString WarningText();
    static QString LockedText();

private:
    AppContext& m_ctx;
};

// Checks the card-viewing password of the member logged on and counts a wrong
// one.  While card viewing is locked the password is not even compared.
// Wrong ones are sent to the audit collector; the lock is written to the shared log.
// A manager's reset of the card password (or its change) ends the lock.
Attempt CheckCardViewAttempt(AppContext& ctx, const QString& typed);

} // namespace vm
