#pragma once
// Staff passwords are kept as salted scrypt hashes of the trimmed, upper-cased
// password (so they stay case-insensitive). Stored form, self-describing:
//   scrypt$<N>$<r>$<p>$<salt hex>$<hash hex>

#include <QString>

namespace vm {

// A fresh hash with a new random salt; "" if the random generator or scrypt fails.
QString HashPassword(const QString& password);

// True when the typed password (trimmed, upper-cased) matches the stored hash.
// A stored value not in the form above, or with out-of-range parameters, is false.
bool CheckPasswordHash(const QString& password, const QString& stored);

// True when the stored value is in the hash form (as opposed to an older stored form).
bool LooksHashed(const QString& stored);

// Does the work of one check against a fresh hash and answers false.  A
// look-up that found no account calls it, so that the time a logon takes does
// not tell whether the name exists.
bool CheckPasswordHashDecoy(const QString& password);

// The number of times this process has run the hash (hashing, checks and decoys).
quint64 PasswordChecksRun();

} // namespace vm
