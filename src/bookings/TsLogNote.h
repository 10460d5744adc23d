#pragma once
// The logbook entry a timed-service booking files and keeps in step.  Each
// runs inside the caller's transaction on the current database.

#include "bookings/TsBookings.h"

namespace vm {

// Files the entry of a new booking under the link's category and answers its
// LogID; `typedCard` (digits only) is stored with it.
qint64 FileTsLogEntry(AppContext& ctx, const TsLogLink& link, const TsBooking& b,
                      const QString& typedCard);

// Patches the entry's design lines with the booking's values, writes it back
// (Complete follows the first status) and adds the history row.  "" when
// written or when there is nothing to write to; MsgTsEntryChanged when
// another desk saved the entry meanwhile.
QString UpdateTsLogEntry(AppContext& ctx, const TsBooking& b, const QString& typedCard);

// Cancels the entry (it is kept) with its history row.
void CancelTsLogEntry(AppContext& ctx, qint64 logId);

} // namespace vm
