#pragma once
// The stored card numbers seen from the server's side: the retention purge as
// the daily job runs it, and a new card key for every stored number.

#include "maint/AdminProperty.h"

namespace vm::maint {

struct PurgeResult {
    bool ran = false;
    int days = 0;     // the policy's days (0 = no policy)
    int logbook = 0;  // entries whose card was removed
    int profiles = 0; // profile cards removed
    QString why;      // why it did not run
};

// The daily purge of the card policy, exactly as the first start of the day
// runs it: not without a policy, not twice a day.
PurgeResult PurgeCards(AppContext& ctx);

struct RekeyHooks {
    // Called after each value is written again (tests make it fail there).
    std::function<void(int written)> afterValue;
};

struct RekeyResult {
    int values = 0; // card numbers and expiry dates encrypted again
    QString locationFile;
};

// Every stored card number (current and archive) encrypted under a new key
// template in one transaction; the location file of the property gets the new
// template, written whole (temporary file + rename, owner-only), only after
// the commit.  Any failure before the commit leaves the databases and the
// location file as they were.
RekeyResult RekeyCards(Property& p, const Lines& out, const RekeyHooks& hooks = {});

} // namespace vm::maint
